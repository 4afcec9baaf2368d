#pragma once
// A host client for tests: answers the window operations with fixed handles, records the help
// popup calls, and maps redirect targets to server module files.
#include <map>
#include <string>
#include <vector>

#include "runtime/RT_ClientServerInterface.h"

namespace qv::test {

class FakeHelpPopupContext final : public IHelpPopupContext {
 public:
  int32_t QV_STDCALL QueryInterface(const GUID& iid, void** object) override {
    if (iid == IID_IUnknown) {
      *object = static_cast<IUnknown*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  int32_t QV_STDCALL AddRef() override { return ++refs; }
  int32_t QV_STDCALL Release() override { return --refs; }
  void QV_STDCALL Reserved1() override {}
  void QV_STDCALL Reserved2() override {}
  void QV_STDCALL Reserved3() override {}
  void QV_STDCALL Reserved4() override {}
  void QV_STDCALL Reserved5() override {}
  void QV_STDCALL Reserved6() override {}
  void QV_STDCALL Reserved7() override {}
  void QV_STDCALL Reserved8() override {}
  void QV_STDCALL Reserved9() override {}
  void QV_STDCALL PreparePopup() override { ++prepared; }
  int refs = 1;  // the test's own reference
  int prepared = 0;
};

class FakeClient final : public IClient {
 public:
  int32_t QV_STDCALL QueryInterface(const GUID& iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IClient) {
      *object = static_cast<IClient*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  int32_t QV_STDCALL AddRef() override { return ++refs; }
  int32_t QV_STDCALL Release() override { return --refs; }
  void QV_STDCALL NotifyBeforeOpen() override {}
  void QV_STDCALL Reserved2() override {}
  void QV_STDCALL Reserved3() override {}
  void QV_STDCALL Reserved4() override {}
  void QV_STDCALL NotifyAfterOpen(int32_t) override {}
  void QV_STDCALL Reserved6() override {}
  WindowHandle QV_STDCALL GetHelpOwnerWindow() override { return helpOwner; }
  void QV_STDCALL Reserved8() override {}
  void QV_STDCALL Reserved9() override {}
  void QV_STDCALL Reserved10() override {}
  void QV_STDCALL Reserved11() override {}
  void QV_STDCALL Reserved12() override {}
  WindowHandle QV_STDCALL GetDialogOwnerWindow() override { return dialogOwner; }
  void QV_STDCALL Reserved14() override {}
  void QV_STDCALL GetHelpPopupContext(int32_t value, const char* text, IUnknown** result) override {
    popupRequests.push_back({value, text});
    if (*result != nullptr) (*result)->Release();
    popup.AddRef();
    *result = &popup;
  }
  void QV_STDCALL Reserved16() override {}
  void QV_STDCALL Reserved17() override {}
  void QV_STDCALL Reserved18() override {}
  void QV_STDCALL Reserved19() override {}
  void QV_STDCALL Reserved20() override {}
  void QV_STDCALL Reserved21() override {}
  void QV_STDCALL OpenDocument(const char*, const char*, IServerDocument** result) override {
    *result = nullptr;
  }
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
  const char* QV_STDCALL ServerFileForTarget(const char* target) override {
    redirectQueries.push_back(target);
    auto it = serverFiles.find(target);
    answer = it == serverFiles.end() ? std::string() : it->second;
    return answer.c_str();
  }

  int refs = 1;
  WindowHandle helpOwner = reinterpret_cast<WindowHandle>(0x7001);
  WindowHandle dialogOwner = reinterpret_cast<WindowHandle>(0x7002);
  struct PopupRequest {
    int32_t Value;
    std::string Text;
  };
  std::vector<PopupRequest> popupRequests;
  FakeHelpPopupContext popup;
  std::map<std::string, std::string> serverFiles;  // redirect target -> module file
  std::vector<std::string> redirectQueries;

 private:
  std::string answer;
};

}  // namespace qv::test
