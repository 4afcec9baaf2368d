#pragma once
#include <memory>
#include <string>
#include <string_view>

namespace qv::platform {

// An operating-system module (the host executable, a loaded library). Opaque to the caller.
using ModuleHandle = void*;
// The address of an exported function, to be cast to its exact type by the caller.
using SymbolAddress = void (*)();

// The process's main executable, whose exports hold the host's function families.
ModuleHandle HostModule();
// An already loaded module found by its name ("Gorvath.dll", "Gorvath.so"); nothing is loaded.
// None when no module of that name is in the process.
ModuleHandle FindLoadedModule(std::string_view name);
// The address exported under `name` by `module`, or none (also when `module` is none).
SymbolAddress FindSymbol(ModuleHandle module, const char* name);
// The module that holds this code: the instance handle of the library the caller is linked into.
ModuleHandle ThisModule();
// The full path of a module's file; empty when unknown.
std::string ModuleFileName(ModuleHandle module);
// The file name under which the PCB editor module is loaded on this platform.
std::string_view EditorModuleName();
// The file name suffix of loadable libraries on this platform (".so", ".dll").
std::string_view LibrarySuffix();

// A library loaded by file name and freed when this object goes away.
class LoadedLibrary {
 public:
  // Loads the library; on failure returns none and describes why in `error`.
  static std::unique_ptr<LoadedLibrary> Load(const std::string& path, std::string& error);
  ~LoadedLibrary();
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  ModuleHandle Handle() const { return handle_; }
  SymbolAddress Symbol(const char* name) const { return FindSymbol(handle_, name); }
  // Unloads now; returns false and describes why in `error` when the system refused.
  bool Unload(std::string& error);

 private:
  explicit LoadedLibrary(ModuleHandle handle) : handle_(handle) {}
  ModuleHandle handle_;
};

}  // namespace qv::platform
