#include <dlfcn.h>
#include <link.h>

#include <filesystem>
#include <string>

#include "platform/Module.h"

namespace qv::platform {

namespace {
// A function of this module, whose address tells which loaded object holds it.
void Anchor() {}
}  // namespace

ModuleHandle HostModule() {
  // The handle of the main program; its dynamic symbols are the host's exported functions.
  static ModuleHandle host = dlopen(nullptr, RTLD_NOW);
  return host;
}

ModuleHandle FindLoadedModule(std::string_view name) {
  // RTLD_NOLOAD finds a module that is already loaded (by path or by soname) and loads nothing.
  // The handle is released at once: the module stays loaded through its owner's reference, and
  // the handle remains valid for symbol lookup while it does.
  std::string n(name);
  void* h = dlopen(n.c_str(), RTLD_NOLOAD | RTLD_NOW);
  if (h != nullptr) dlclose(h);
  return h;
}

SymbolAddress FindSymbol(ModuleHandle module, const char* name) {
  if (module == nullptr || name == nullptr) return nullptr;
  return reinterpret_cast<SymbolAddress>(dlsym(module, name));
}

ModuleHandle ThisModule() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&Anchor), &info) == 0) return nullptr;
  return info.dli_fbase;
}

std::string ModuleFileName(ModuleHandle module) {
  if (module == nullptr) return {};
  Dl_info info{};
  // A module handle from ThisModule is the base address of the object; look it up by address.
  if (dladdr(module, &info) != 0 && info.dli_fname != nullptr && info.dli_fbase == module)
    return info.dli_fname;
  // Otherwise it is a dlopen handle: ask the dynamic linker for its path.
  struct link_map* map = nullptr;
  if (dlinfo(module, RTLD_DI_LINKMAP, &map) == 0 && map != nullptr && map->l_name != nullptr &&
      map->l_name[0] != '\0')
    return map->l_name;
  // The main program's link map carries no name; the kernel knows its file.
  if (module == HostModule()) {
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return path.string();
  }
  return {};
}

std::string_view EditorModuleName() { return "Gorvath.so"; }
std::string_view LibrarySuffix() { return ".so"; }

std::unique_ptr<LoadedLibrary> LoadedLibrary::Load(const std::string& path, std::string& error) {
  void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (h == nullptr) {
    const char* why = dlerror();
    error = why != nullptr ? why : "cannot load " + path;
    return nullptr;
  }
  return std::unique_ptr<LoadedLibrary>(new LoadedLibrary(h));
}

bool LoadedLibrary::Unload(std::string& error) {
  if (handle_ == nullptr) return true;
  void* h = handle_;
  handle_ = nullptr;
  if (dlclose(h) != 0) {
    const char* why = dlerror();
    error = why != nullptr ? why : "cannot unload library";
    return false;
  }
  return true;
}

LoadedLibrary::~LoadedLibrary() {
  std::string ignored;
  Unload(ignored);
}

}  // namespace qv::platform
