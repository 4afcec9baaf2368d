#include <windows.h>

#include <string>

#include "platform/Module.h"
#include "platform/SystemErrorWindows.h"

namespace qv::platform {

namespace {
void Anchor() {}

std::string LastErrorText(const std::string& what) {
  return what + ": " + SystemErrorText(GetLastError());
}
}  // namespace

ModuleHandle HostModule() {
  return GetModuleHandleA(nullptr);
}

ModuleHandle FindLoadedModule(std::string_view name) {
  std::string n(name);
  return GetModuleHandleA(n.c_str());
}

SymbolAddress FindSymbol(ModuleHandle module, const char* name) {
  if (module == nullptr || name == nullptr) return nullptr;
  return reinterpret_cast<SymbolAddress>(GetProcAddress(static_cast<HMODULE>(module), name));
}

ModuleHandle ThisModule() {
  HMODULE h = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&Anchor), &h);
  return h;
}

std::string ModuleFileName(ModuleHandle module) {
  char buffer[MAX_PATH * 4] = {};
  DWORD n = GetModuleFileNameA(static_cast<HMODULE>(module), buffer, sizeof buffer);
  return std::string(buffer, n);
}

std::string_view EditorModuleName() {
  return "Gorvath.dll";
}
std::string_view LibrarySuffix() {
  return ".dll";
}

std::unique_ptr<LoadedLibrary> LoadedLibrary::Load(const std::string& path, std::string& error) {
  HMODULE h = LoadLibraryA(path.c_str());
  if (h == nullptr) {
    error = LastErrorText("cannot load " + path);
    return nullptr;
  }
  return std::unique_ptr<LoadedLibrary>(new LoadedLibrary(h));
}

bool LoadedLibrary::Unload(std::string& error) {
  if (handle_ == nullptr) return true;
  HMODULE h = static_cast<HMODULE>(handle_);
  handle_ = nullptr;
  if (!FreeLibrary(h)) {
    error = LastErrorText("cannot unload library");
    return false;
  }
  return true;
}

LoadedLibrary::~LoadedLibrary() {
  std::string ignored;
  Unload(ignored);
}

}  // namespace qv::platform
