#include "runtime/RT_ServerImplementation.h"

#include <stdexcept>
#include <string>

#include "platform/Module.h"
#include "platform/Text.h"
#include "runtime/Boundary.h"
#include "services/Rt_RecentExpressions.h"
#include "ui/Application.h"
#include "ui/MessageQueue.h"

namespace qv {

namespace {
// Neither reference is counted: the host client outlives the module, and the module clears its own
// entry when it is destroyed.
IClient* currentClient = nullptr;
IServerModule* currentServerModule = nullptr;
}  // namespace

InterfaceRef<IClient> CurrentClient() { return InterfaceRef<IClient>(currentClient); }
InterfaceRef<IServerModule> CurrentServerModule() {
  return InterfaceRef<IServerModule>(currentServerModule);
}
void SetCurrentClient(IClient* client) { currentClient = client; }
void SetCurrentServerModule(IServerModule* module) { currentServerModule = module; }

// ---- TCommandLauncher ----

bool TCommandLauncher::NameLess::operator()(const std::string& a, const std::string& b) const {
  return platform::CompareTextIgnoreCase(a, b) < 0;
}

void TCommandLauncher::RegisterCommand(std::string_view name, TLaunchProc launch,
                                       TStateProc state) {
  auto handler = std::make_unique<TCommandHandler>();
  handler->LaunchProc = launch;
  handler->StateProc = state;
  Commands.try_emplace(std::string(name), std::move(handler));  // a duplicate is ignored
}

TLaunchProc TCommandLauncher::FindLaunchProc(std::string_view name) const {
  auto it = Commands.find(std::string(name));
  return it == Commands.end() ? nullptr : it->second->LaunchProc;
}

TStateProc TCommandLauncher::FindStateProc(std::string_view name) const {
  auto it = Commands.find(std::string(name));
  return it == Commands.end() ? nullptr : it->second->StateProc;
}

int32_t QV_STDCALL TCommandLauncher::LaunchCommand(const char* name, char* parameters,
                                                   int32_t /*ignored*/, IUnknown* context) {
  return GuardBoundary("LaunchCommand", int32_t{0}, [&]() -> int32_t {
    InterfaceRef<IUnknown> holdContext(context);
    std::string_view n = name != nullptr ? std::string_view(name) : std::string_view();
    TLaunchProc proc = FindLaunchProc(n);
    if (proc == nullptr) return 0;
    return proc(context, parameters);
  });
}

void QV_STDCALL TCommandLauncher::GetCommandState(const char* name, char* parameters,
                                                  IUnknown* context, int32_t* a, int32_t* b,
                                                  int32_t* c, uint8_t* d, uint8_t* e) {
  GuardBoundary("GetCommandState", [&] {
    if (a != nullptr) *a = -1;
    if (b != nullptr) *b = 0;
    if (c != nullptr) *c = -1;
    if (d != nullptr) *d = 0;
    if (e != nullptr) *e = 0;
    std::string_view n = name != nullptr ? std::string_view(name) : std::string_view();
    if (TStateProc proc = FindStateProc(n)) proc(context, parameters, a, b, c, d, e);
  });
}

// ---- TProcessControl ----

void QV_STDCALL TProcessControl::EndProcess(IUnknown*, int32_t) { --NestingLevel; }
void QV_STDCALL TProcessControl::BeginProcess(IUnknown*, int32_t) { ++NestingLevel; }

// ---- TInterfaceList ----

template <class T>
bool TInterfaceList<T>::Remove(T* item) {
  InterfaceRef<T> removed;  // released after the lock is dropped
  std::lock_guard lock(mutex_);
  for (auto it = items_.begin(); it != items_.end(); ++it) {
    if (it->Get() == item) {
      removed = std::move(*it);
      items_.erase(it);
      return true;
    }
  }
  return false;
}

template <class T>
InterfaceRef<T> TInterfaceList<T>::At(int32_t index) const {
  std::lock_guard lock(mutex_);
  if (index < 0 || index >= static_cast<int32_t>(items_.size()))
    throw ListIndexError(index);
  return items_[static_cast<std::size_t>(index)];
}

template class TInterfaceList<IServerDocument>;
template class TInterfaceList<IUnknown>;

// ---- TServerModule ----

TServerModule::TServerModule(IClient* client, std::string_view name)
    : Client(client), ModuleName(name) {}

void TServerModule::Construct() {
  // The steps may take and drop counted references to the module (CurrentServerModule hands out
  // one); hold one of its own until they are done, so that the count never falls to 0 and frees it.
  ++refCount_;
  struct DropHold {
    int32_t& count;
    ~DropHold() { --count; }
  } dropHold{refCount_};
  SetCurrentClient(Client);
  SetCurrentServerModule(this);
  CreateCommandLauncher();
  ProcessControl = std::make_unique<TProcessControl>();
  RegisterCommands();
  CreateRecentExpressions();
}

TServerModule::~TServerModule() {
  FreeRecentExpressions();  // writes the history; reports failures, never raises
  AuxiliaryItems.Clear();
  CommandLauncher.reset();
  Documents.Clear();
  ProcessControl.reset();
  SetCurrentServerModule(nullptr);
}

int32_t QV_STDCALL TServerModule::QueryInterface(const GUID& iid, void** object) {
  if (object == nullptr) return E_NOINTERFACE;
  if (iid == IID_IUnknown || iid == IID_IServerModule) {
    *object = static_cast<IServerModule*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

int32_t QV_STDCALL TServerModule::AddRef() { return ++refCount_; }

int32_t QV_STDCALL TServerModule::Release() {
  int32_t left = --refCount_;
  if (left == 0) {
    GuardBoundary("Release", [&] { delete this; });
  }
  return left;
}

void QV_STDCALL TServerModule::ProcessIdle() {
  GuardBoundary("ProcessIdle", [&] { DoProcessIdle(); });
}
void QV_STDCALL TServerModule::AcceptHostInterface(IUnknown* host) {
  GuardBoundary("AcceptHostInterface", [&] { DoAcceptHostInterface(host); });
}
void QV_STDCALL TServerModule::CreateServerDocument(int32_t a, int32_t b,
                                                    IServerDocument** result) {
  GuardBoundary("CreateServerDocument", [&] {
    StoreInterface<IServerDocument>(result, nullptr);
    IServerDocument* document = DoCreateServerDocument(a, b);
    StoreInterface(result, document);
  });
}
void QV_STDCALL TServerModule::DestroyServerDocument(IServerDocument* document) {
  GuardBoundary("DestroyServerDocument", [&] { DoDestroyServerDocument(document); });
}
void QV_STDCALL TServerModule::GetClient(IClient** result) {
  GuardBoundary("GetClient", [&] { StoreInterface(result, Client); });
}
void QV_STDCALL TServerModule::GetCommandLauncher(ICommandLauncher** result) {
  GuardBoundary("GetCommandLauncher", [&] {
    StoreInterface<ICommandLauncher>(result, CommandLauncher.get());
  });
}
int32_t QV_STDCALL TServerModule::GetDocumentCount() {
  return GuardBoundary("GetDocumentCount", int32_t{0}, [&] { return Documents.Count(); });
}
void QV_STDCALL TServerModule::GetDocument(int32_t index, IServerDocument** result) {
  GuardBoundary("GetDocument", [&] { StoreInterface(result, Documents.At(index).Get()); });
}
InstanceHandle QV_STDCALL TServerModule::GetInstanceHandle() { return platform::ThisModule(); }
const char* QV_STDCALL TServerModule::GetModuleName() { return ModuleName.c_str(); }
void QV_STDCALL TServerModule::GetProcessControl(IProcessControl** result) {
  GuardBoundary("GetProcessControl", [&] {
    StoreInterface<IProcessControl>(result, ProcessControl.get());
  });
}
int32_t QV_STDCALL TServerModule::GetAuxiliaryCount() {
  return GuardBoundary("GetAuxiliaryCount", int32_t{0}, [&] { return AuxiliaryItems.Count(); });
}
void QV_STDCALL TServerModule::GetAuxiliaryItem(int32_t index, IUnknown** result) {
  GuardBoundary("GetAuxiliaryItem", [&] { StoreInterface(result, AuxiliaryItems.At(index).Get()); });
}
int32_t QV_STDCALL TServerModule::GetModuleValue() {
  return GuardBoundary("GetModuleValue", int32_t{0}, [&] { return DoGetModuleValue(); });
}

void TServerModule::DoProcessIdle() {
  // A message already waiting makes the idle processing's final wait return at once, so the host's
  // loop is never held up while input is pending.
  if (ui::PeekMessage()) ui::PostMessage(ui::Application().Handle(), ui::WM_USER, 0, 0);
  ui::Application().Idle();
}

IServerDocument* TServerModule::DoCreateServerDocument(int32_t a, int32_t b) {
  IServerDocument* document = NewDocumentObject(a, b);
  if (document != nullptr) Documents.Add(document);
  return document;
}

void TServerModule::DoDestroyServerDocument(IServerDocument* document) {
  Documents.Remove(document);
}

void TServerModule::DoAcceptHostInterface(IUnknown*) {}
void TServerModule::RegisterCommands() {}
void TServerModule::CreateCommandLauncher() { CommandLauncher = std::make_unique<TCommandLauncher>(); }
int32_t TServerModule::DoGetModuleValue() { return 0; }

}  // namespace qv
