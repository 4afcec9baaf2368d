#pragma once
// The stand-in host client: the IClient and IProcessRunner that the module talks to, and the
// documents it hands out. Objects here are counted but owned by the host, which outlives the
// module.
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/RT_ClientServerInterface.h"

namespace qvhost {

using qv::GUID;
using qv::IClient;
using qv::IProcessRunner;
using qv::IServerDocument;
using qv::IUnknown;

// A reference count for objects whose lifetime the host controls: counting is real (so tests can
// see leaks) but reaching zero frees nothing.
class HostRefCount {
 public:
  int32_t Add() { return ++count_; }
  int32_t Drop() { return --count_; }
  int32_t Count() const { return count_; }

 private:
  std::atomic<int32_t> count_{0};
};

// The view that a document hands out as the context of processes run on it.
class HostView final : public IUnknown {
 public:
  explicit HostView(uint32_t document) : Document(document) {}
  int32_t QV_STDCALL QueryInterface(const GUID& iid, void** object) override;
  int32_t QV_STDCALL AddRef() override { return refs_.Add(); }
  int32_t QV_STDCALL Release() override { return refs_.Drop(); }
  int32_t References() const { return refs_.Count(); }

  const uint32_t Document;  // the editor's document this view shows

 private:
  HostRefCount refs_;
};

class HostDocument final : public IServerDocument {
 public:
  HostDocument(std::string kind, std::string fileName, uint32_t editorDocument)
      : Kind(std::move(kind)), FileName(std::move(fileName)), view_(editorDocument) {}

  int32_t QV_STDCALL QueryInterface(const GUID& iid, void** object) override;
  int32_t QV_STDCALL AddRef() override { return refs_.Add(); }
  int32_t QV_STDCALL Release() override { return refs_.Drop(); }
  void QV_STDCALL Reserved1() override {}
  void QV_STDCALL Reserved2() override {}
  void QV_STDCALL Reserved3() override {}
  void QV_STDCALL Reserved4() override {}
  void QV_STDCALL Reserved5() override {}
  void QV_STDCALL Reserved6() override {}
  void QV_STDCALL Reserved7() override {}
  void QV_STDCALL Reserved8() override {}
  void QV_STDCALL Reserved9() override {}
  void QV_STDCALL Reserved10() override {}
  void QV_STDCALL Reserved11() override {}
  void QV_STDCALL Reserved12() override {}
  void QV_STDCALL Reserved13() override {}
  void QV_STDCALL Reserved14() override {}
  void QV_STDCALL Reserved15() override {}
  void QV_STDCALL Reserved16() override {}
  // Operation 17: the document's view with index 0; none for other indexes.
  void QV_STDCALL GetView(int32_t index, IUnknown** result) override;

  int32_t References() const { return refs_.Count(); }
  HostView& View() { return view_; }

  const std::string Kind;
  const std::string FileName;

 private:
  HostRefCount refs_;
  HostView view_;
};

// What the host does when the module asks it to open a document or run a process. The first form
// of the host only records; the editor-backed host fills these in.
struct HostServices {
  // Opens `fileName` as a document of `kind`; returns the editor's document id, or nothing.
  std::function<bool(const std::string& kind, const std::string& fileName, uint32_t& document)>
      OpenDocument;
  // Runs a process on the document behind `view` (may be none); true for success.
  std::function<bool(const std::string& name, const std::string& parameters, HostView* view)>
      RunProcess;
};

class HostClient final : public IClient, public IProcessRunner {
 public:
  explicit HostClient(HostServices services = {}) : services_(std::move(services)) {}

  // IUnknown (shared by both interfaces)
  int32_t QV_STDCALL QueryInterface(const GUID& iid, void** object) override;
  int32_t QV_STDCALL AddRef() override { return refs_.Add(); }
  int32_t QV_STDCALL Release() override { return refs_.Drop(); }

  // IClient
  void QV_STDCALL NotifyBeforeOpen() override { ++BeforeOpenCount; }
  void QV_STDCALL Reserved2() override {}
  void QV_STDCALL Reserved3() override {}
  void QV_STDCALL Reserved4() override {}
  void QV_STDCALL NotifyAfterOpen(int32_t value) override { AfterOpenValues.push_back(value); }
  void QV_STDCALL Reserved6() override {}
  qv::WindowHandle QV_STDCALL GetHelpOwnerWindow() override { return nullptr; }
  void QV_STDCALL Reserved8() override {}
  void QV_STDCALL Reserved9() override {}
  void QV_STDCALL Reserved10() override {}
  void QV_STDCALL Reserved11() override {}
  void QV_STDCALL Reserved12() override {}
  qv::WindowHandle QV_STDCALL GetDialogOwnerWindow() override { return nullptr; }
  void QV_STDCALL Reserved14() override {}
  void QV_STDCALL GetHelpPopupContext(int32_t value, const char* text, IUnknown** result) override;
  void QV_STDCALL Reserved16() override {}
  void QV_STDCALL Reserved17() override {}
  void QV_STDCALL Reserved18() override {}
  void QV_STDCALL Reserved19() override {}
  void QV_STDCALL Reserved20() override {}
  void QV_STDCALL Reserved21() override {}
  void QV_STDCALL OpenDocument(const char* kind, const char* fileName,
                               IServerDocument** result) override;
  void QV_STDCALL Reserved23() override {}
  void QV_STDCALL Reserved24() override {}
  void QV_STDCALL Reserved25() override {}
  void QV_STDCALL Reserved26() override {}
  void QV_STDCALL Reserved27() override {}
  void QV_STDCALL Reserved28() override {}
  void QV_STDCALL Reserved29() override {}
  void QV_STDCALL Reserved30() override {}
  void QV_STDCALL Reserved31() override {}
  void QV_STDCALL Reserved32() override {}
  void QV_STDCALL Reserved33() override {}
  void QV_STDCALL Reserved34() override {}
  void QV_STDCALL Reserved35() override {}
  void QV_STDCALL Reserved36() override {}
  // Operation 37: the module file serving a help redirect target; the stand-in host knows none.
  const char* QV_STDCALL ServerFileForTarget(const char* target) override;

  // IProcessRunner
  void QV_STDCALL Reserved1() override {}
  int32_t QV_STDCALL RunProcess(const char* name, char* parameters, int32_t size,
                                IUnknown* context) override;

  int32_t References() const { return refs_.Count(); }
  const std::vector<std::unique_ptr<HostDocument>>& Documents() const { return documents_; }

  int BeforeOpenCount = 0;
  std::vector<int32_t> AfterOpenValues;
  // Every process run, in order, as "NAME parameters".
  std::vector<std::string> ProcessLog;

 private:
  HostRefCount refs_;
  HostServices services_;
  std::vector<std::unique_ptr<HostDocument>> documents_;
};

}  // namespace qvhost
