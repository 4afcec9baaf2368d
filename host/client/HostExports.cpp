// The functions that the host executable exports by name for the module to bind.
#include "host/client/HostExports.h"

#include <cstdio>
#include <filesystem>
#include <string_view>

#include "bindings/VfsApiContract.h"
#include "platform/CallingConvention.h"
#include "runtime/InterfaceRef.h"

namespace qvhost {
namespace {
HostClient* exportedClient = nullptr;
const HostEditor* exportedEditor = nullptr;
std::vector<std::string> createdFiles;

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto low = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (low(a[i]) != low(b[i])) return false;
  }
  return true;
}
}  // namespace
void SetExportedClient(HostClient* client) {
  exportedClient = client;
}
void SetExportedEditor(const HostEditor* editor) {
  exportedEditor = editor;
}
const std::vector<std::string>& CreatedFiles() {
  return createdFiles;
}
}  // namespace qvhost

// Stores the host's client interface, with a counted reference, into the caller's variable.
extern "C" QV_EXPORT void QV_STDCALL ClientAPI_GetClientInterface(qv::IClient** result) {
  if (result == nullptr) return;
  qv::IClient* client = qvhost::exportedClient;
  if (client != nullptr) client->AddRef();
  *result = client;
}

// 1 when a file (or folder) of that name exists on the real file system.
extern "C" QV_EXPORT int32_t QV_STDCALL VFSAPI_VFS_FileExists(const char* fileName) {
  if (fileName == nullptr || *fileName == '\0') return 0;
  std::error_code ec;
  return std::filesystem::exists(fileName, ec) ? 1 : 0;
}

// Creates a document file of a kind: "PCBLib" writes an empty library document through the
// editor. Never replaces an existing file. 1 on success, 0 on failure (reported on stderr).
extern "C" QV_EXPORT int32_t QV_STDCALL VFSAPI_VFSCreateFile(const char* fileName, const char* kind,
                                                             const char*) {
  if (fileName == nullptr || kind == nullptr) return 0;
  std::string error;
  if (!qvhost::SameText(kind, "PCBLib")) {
    error = std::string(fileName) + ": documents of kind \"" + kind + "\" cannot be created";
  } else if (qvhost::exportedEditor == nullptr || !qvhost::exportedEditor->Bound()) {
    error = std::string(fileName) + ": no PCB editor to create a library with";
  } else if (qvhost::exportedEditor->CreateLibraryFile(fileName, error)) {
    qvhost::createdFiles.emplace_back(fileName);
    return 1;
  }
  std::fprintf(stderr, "quorvel-host: %s\n", error.c_str());
  return 0;
}

static_assert(std::is_same_v<decltype(&VFSAPI_VFS_FileExists), qv::VFSAPI_VFS_FileExists_Proc>);
static_assert(std::is_same_v<decltype(&VFSAPI_VFSCreateFile), qv::VFSAPI_VFSCreateFile_Proc>);
