#include "bindings/VFSAPI.h"

#include <cstdint>
#include <string>

#include "platform/Module.h"

namespace qv {

namespace {

// Written at load and unload only.
std::array<platform::SymbolAddress, VfsApiNames.size()> entries{};

consteval std::size_t IndexOf(std::string_view name) {
  for (std::size_t i = 0; i < VfsApiNames.size(); ++i)
    if (VfsApiNames[i] == name) return i;
  throw "not a VFSAPI name";
}

template <class Proc>
Proc Entry(std::size_t index) {
  return reinterpret_cast<Proc>(entries[index]);
}

}  // namespace

void BindVfsApi() {
  platform::ModuleHandle host = platform::HostModule();
  if (host == nullptr) return;
  for (std::size_t i = 0; i < VfsApiNames.size(); ++i) {
    std::string name(VfsApiNames[i]);
    entries[i] = platform::FindSymbol(host, name.c_str());
  }
}

void UnbindVfsApi() {
  entries.fill(nullptr);
}

void (*VfsApiEntry(std::size_t index))() {
  return index < entries.size() ? entries[index] : nullptr;
}

bool VFSAPI_VFS_FileExists(const char* fileName) {
  auto f = Entry<VFSAPI_VFS_FileExists_Proc>(IndexOf("VFSAPI_VFS_FileExists"));
  if (f == nullptr) return false;
  return static_cast<uint8_t>(static_cast<uint32_t>(f(fileName)) & 0xFFu) != 0;
}

void VFSAPI_VFSCreateFile(const char* fileName, const char* kind, const char* extra) {
  auto f = Entry<VFSAPI_VFSCreateFile_Proc>(IndexOf("VFSAPI_VFSCreateFile"));
  if (f == nullptr) return;
  f(fileName, kind, extra != nullptr ? extra : "");
}

}  // namespace qv
