#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/Files.h"
#include "platform/SystemErrorWindows.h"

namespace qv::platform {

namespace {

[[noreturn]] void Fail(std::string_view what, const std::string& path, DWORD error) {
  throw std::runtime_error(std::string(what) + " \"" + path + "\": " + SystemErrorText(error));
}

// Closes a file handle when it goes out of scope.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE Get() const { return handle_; }
  DWORD Close() {
    HANDLE h = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(h) ? 0 : GetLastError();
  }

 private:
  HANDLE handle_;
};
}  // namespace

std::string ApplicationDataFolder() {
  char path[MAX_PATH] = {};
  if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
    return {};
  return path;
}

bool DirectoryExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string HostExecutablePath() {
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);  // cut short: try a larger buffer
  }
}

std::string ReadFileBytes(const std::string& path) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) Fail("Cannot open", path, GetLastError());
  std::string contents;
  char chunk[65536];
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(file.Get(), chunk, sizeof chunk, &n, nullptr))
      Fail("Cannot read", path, GetLastError());
    if (n == 0) break;
    contents.append(chunk, n);
  }
  return contents;
}

void WriteFileReplacing(const std::string& path, std::string_view contents) {
  std::string folder = ExtractFilePath(path);
  if (folder.empty()) folder = ".";
  char temporary[MAX_PATH] = {};
  // Creates an empty file of a unique name in the same folder.
  if (GetTempFileNameA(folder.c_str(), "qv", 0, temporary) == 0)
    Fail("Cannot write", path, GetLastError());
  DWORD error = 0;
  {
    FileHandle file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) error = GetLastError();
    std::size_t done = 0;
    while (error == 0 && done < contents.size()) {
      DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size() - done, 1u << 20));
      DWORD written = 0;
      if (!WriteFile(file.Get(), contents.data() + done, chunk, &written, nullptr))
        error = GetLastError();
      done += written;
    }
    if (error == 0 && !FlushFileBuffers(file.Get())) error = GetLastError();
    if (file.Get() != INVALID_HANDLE_VALUE) {
      DWORD closed = file.Close();
      if (error == 0) error = closed;
    }
  }
  if (error == 0 &&
      !MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = GetLastError();
  if (error != 0) {
    DeleteFileA(temporary);
    Fail("Cannot write", path, error);
  }
}

}  // namespace qv::platform
