#pragma once
// The host plug-in runtime: command launcher, process control, the server module base and the
// module-wide current client and current server module.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/InterfaceRef.h"
#include "runtime/RT_ClientServerInterface.h"

namespace qv {

// An interfaced object whose reference counting does nothing: it lives until its owner frees it,
// whatever interface references are outstanding. Query-interface answers IUnknown and `Iid`.
template <class Interface, const GUID& Iid>
class TInterfacedObjectNoRef : public Interface {
 public:
  int32_t QV_STDCALL QueryInterface(const GUID& iid, void** object) override {
    if (object == nullptr) return E_NOINTERFACE;
    if (iid == IID_IUnknown || iid == Iid) {
      *object = static_cast<Interface*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  int32_t QV_STDCALL AddRef() override { return 0; }
  int32_t QV_STDCALL Release() override { return 0; }

  TInterfacedObjectNoRef() = default;
  TInterfacedObjectNoRef(const TInterfacedObjectNoRef&) = delete;
  TInterfacedObjectNoRef& operator=(const TInterfacedObjectNoRef&) = delete;
  virtual ~TInterfacedObjectNoRef() = default;
};

// A command's launch procedure: context interface and parameter text in, 32-bit result out.
using TLaunchProc = int32_t (*)(IUnknown* context, char* parameters);
// A command's state procedure: context, parameter text and the addresses of five outputs.
using TStateProc = void(QV_STDCALL*)(IUnknown* context, char* parameters, int32_t* a, int32_t* b,
                                     int32_t* c, uint8_t* d, uint8_t* e);

struct TCommandHandler {
  TLaunchProc LaunchProc = nullptr;
  TStateProc StateProc = nullptr;
};

// The command registry: handlers kept sorted by name, compared without regard to case under the
// user's locale; a name registered twice keeps its first handler.
class TCommandLauncher : public TInterfacedObjectNoRef<ICommandLauncher, IID_ICommandLauncher> {
 public:
  int32_t QV_STDCALL LaunchCommand(const char* name, char* parameters, int32_t ignored,
                                   IUnknown* context) override;
  void QV_STDCALL GetCommandState(const char* name, char* parameters, IUnknown* context,
                                  int32_t* a, int32_t* b, int32_t* c, uint8_t* d,
                                  uint8_t* e) override;

  void RegisterCommand(std::string_view name, TLaunchProc launch, TStateProc state);
  TLaunchProc FindLaunchProc(std::string_view name) const;
  TStateProc FindStateProc(std::string_view name) const;
  std::size_t CommandCount() const { return Commands.size(); }

 private:
  struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  std::map<std::string, std::unique_ptr<TCommandHandler>, NameLess> Commands;
};

// The process nesting counter that the host reads and changes.
class TProcessControl : public TInterfacedObjectNoRef<IProcessControl, IID_IProcessControl> {
 public:
  int32_t QV_STDCALL GetNestingLevel() override { return NestingLevel; }
  void QV_STDCALL EndProcess(IUnknown* context, int32_t value) override;
  void QV_STDCALL BeginProcess(IUnknown* context, int32_t value) override;
  void QV_STDCALL SetNestingLevel(int32_t level) override { NestingLevel = level; }

 private:
  int32_t NestingLevel = 0;
};

// A list of counted interface references that locks on each operation.
template <class T>
class TInterfaceList {
 public:
  void Add(T* item) {
    std::lock_guard lock(mutex_);
    items_.emplace_back(item);
  }
  // Removes the first entry that is the same pointer; false when there is none.
  bool Remove(T* item);
  int32_t Count() const {
    std::lock_guard lock(mutex_);
    return static_cast<int32_t>(items_.size());
  }
  // The entry at `index`; throws ListIndexError when outside 0 to count - 1.
  InterfaceRef<T> At(int32_t index) const;
  void Clear() {
    std::vector<InterfaceRef<T>> gone;
    {
      std::lock_guard lock(mutex_);
      gone.swap(items_);
    }
  }

 private:
  mutable std::mutex mutex_;
  std::vector<InterfaceRef<T>> items_;
};

// The server module base: a reference-counted object implementing IServerModule, destroyed when
// the host releases its last reference.
class TServerModule : public IServerModule {
 public:
  TServerModule(IClient* client, std::string_view name);
  virtual ~TServerModule();
  TServerModule(const TServerModule&) = delete;
  TServerModule& operator=(const TServerModule&) = delete;

  // IUnknown
  int32_t QV_STDCALL QueryInterface(const GUID& iid, void** object) override;
  int32_t QV_STDCALL AddRef() override;
  int32_t QV_STDCALL Release() override;
  // IServerModule, operations 1 to 14
  void QV_STDCALL ProcessIdle() override;
  void QV_STDCALL AcceptHostInterface(IUnknown* host) override;
  void QV_STDCALL CreateServerDocument(int32_t a, int32_t b, IServerDocument** result) override;
  void QV_STDCALL DestroyServerDocument(IServerDocument* document) override;
  void QV_STDCALL GetClient(IClient** result) override;
  void QV_STDCALL GetCommandLauncher(ICommandLauncher** result) override;
  int32_t QV_STDCALL GetDocumentCount() override;
  void QV_STDCALL GetDocument(int32_t index, IServerDocument** result) override;
  InstanceHandle QV_STDCALL GetInstanceHandle() override;
  const char* QV_STDCALL GetModuleName() override;
  void QV_STDCALL GetProcessControl(IProcessControl** result) override;
  int32_t QV_STDCALL GetAuxiliaryCount() override;
  void QV_STDCALL GetAuxiliaryItem(int32_t index, IUnknown** result) override;
  int32_t QV_STDCALL GetModuleValue() override;

  TCommandLauncher* CommandLauncherObject() const { return CommandLauncher.get(); }
  TProcessControl* ProcessControlObject() const { return ProcessControl.get(); }

 protected:
  // The module's own operations, in slot order.
  virtual void DoProcessIdle();                                                   // 0
  virtual IServerDocument* DoCreateServerDocument(int32_t a, int32_t b);          // 1
  virtual void DoDestroyServerDocument(IServerDocument* document);                // 2
  virtual IServerDocument* NewDocumentObject(int32_t a, int32_t b) = 0;           // 3
  virtual void DoAcceptHostInterface(IUnknown* host);                             // 4
  virtual void RegisterCommands();                                                // 5
  virtual void CreateCommandLauncher();                                           // 6
  virtual int32_t DoGetModuleValue();                                             // 7

  // Runs the construction steps that call the slots above; a derived class's constructor calls
  // it, so that its overrides are in force (C++ does not dispatch to them from a base constructor).
  void Construct();

  IClient* Client = nullptr;  // not counted; the host outlives the module
  TInterfaceList<IServerDocument> Documents;
  std::string ModuleName;
  TInterfaceList<IUnknown> AuxiliaryItems;
  std::unique_ptr<TCommandLauncher> CommandLauncher;
  std::unique_ptr<TProcessControl> ProcessControl;

 private:
  int32_t refCount_ = 0;
};

// Module-wide access to the host client and the server module. The getters hand out a counted
// reference; the setters store without counting.
InterfaceRef<IClient> CurrentClient();
InterfaceRef<IServerModule> CurrentServerModule();
void SetCurrentClient(IClient* client);
void SetCurrentServerModule(IServerModule* module);

}  // namespace qv
