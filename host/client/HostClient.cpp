#include "host/client/HostClient.h"

#include <cstring>

#include "runtime/InterfaceRef.h"

namespace qvhost {

namespace {
// Answers QueryInterface for an object that offers exactly one interface besides IUnknown.
template <class Interface>
int32_t QueryOne(Interface* self, const GUID& iid, const GUID& own, void** object) {
  if (object == nullptr) return qv::E_NOINTERFACE;
  if (iid == qv::IID_IUnknown || iid == own) {
    *object = self;
    self->AddRef();
    return qv::S_OK;
  }
  *object = nullptr;
  return qv::E_NOINTERFACE;
}
}  // namespace

int32_t QV_STDCALL HostView::QueryInterface(const GUID& iid, void** object) {
  return QueryOne<IUnknown>(this, iid, qv::IID_IUnknown, object);
}

int32_t QV_STDCALL HostDocument::QueryInterface(const GUID& iid, void** object) {
  return QueryOne<IServerDocument>(this, iid, qv::IID_IServerDocument, object);
}

void QV_STDCALL HostDocument::GetView(int32_t index, IUnknown** result) {
  qv::StoreInterface<IUnknown>(result, index == 0 ? &view_ : nullptr);
}

int32_t QV_STDCALL HostClient::QueryInterface(const GUID& iid, void** object) {
  if (object == nullptr) return qv::E_NOINTERFACE;
  if (iid == qv::IID_IUnknown || iid == qv::IID_IClient) {
    *object = static_cast<IClient*>(this);
  } else if (iid == qv::IID_IProcessRunner) {
    *object = static_cast<IProcessRunner*>(this);
  } else {
    *object = nullptr;
    return qv::E_NOINTERFACE;
  }
  AddRef();
  return qv::S_OK;
}

void QV_STDCALL HostClient::GetHelpPopupContext(int32_t, const char*, IUnknown** result) {
  qv::StoreInterface<IUnknown>(result, nullptr);
}

const char* QV_STDCALL HostClient::ServerFileForTarget(const char*) {
  return "";
}

void QV_STDCALL HostClient::OpenDocument(const char* kind, const char* fileName,
                                         IServerDocument** result) {
  std::string k = kind != nullptr ? kind : "";
  std::string f = fileName != nullptr ? fileName : "";
  uint32_t editorDocument = 0;
  if (!services_.OpenDocument || !services_.OpenDocument(k, f, editorDocument)) {
    qv::StoreInterface<IServerDocument>(result, nullptr);
    return;
  }
  documents_.push_back(std::make_unique<HostDocument>(k, f, editorDocument));
  qv::StoreInterface<IServerDocument>(result, documents_.back().get());
}

int32_t QV_STDCALL HostClient::RunProcess(const char* name, char* parameters, int32_t size,
                                          IUnknown* context) {
  std::string n = name != nullptr ? name : "";
  std::string p;
  if (parameters != nullptr && size > 0)
    p.assign(parameters, strnlen(parameters, static_cast<std::size_t>(size)));
  ProcessLog.push_back(n + " " + p);
  HostView* view = nullptr;
  for (auto& document : documents_)
    if (context == &document->View()) view = &document->View();
  if (!services_.RunProcess) return 0;
  return services_.RunProcess(n, p, view) ? 1 : 0;
}

}  // namespace qvhost
