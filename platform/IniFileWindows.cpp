// The INI file service on Windows: the system's private-profile functions. Changes are made to a
// copy of the file under a temporary name in the same folder, which Commit renames over the file.
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/IniStore.h"
#include "platform/SystemErrorWindows.h"

namespace qv::platform {

namespace {
[[noreturn]] void Fail(std::string_view what, const std::string& path) {
  DWORD error = GetLastError();
  std::string reason = SystemErrorText(error);
  throw std::runtime_error(std::string(what) + " \"" + path + "\": " + reason);
}

// The profile functions look for a name without a folder in the Windows folder: always hand them
// a full path.
std::string FullPath(const std::string& path) {
  DWORD n = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::string full(n, '\0');
  n = GetFullPathNameA(path.c_str(), n, full.data(), nullptr);
  if (n == 0 || n >= full.size()) return path;
  full.resize(n);
  return full;
}
}  // namespace

struct IniFile::State {
  std::string full;       // the file's full path
  std::string temporary;  // the working copy once a change was made, else empty

  ~State() {
    if (!temporary.empty()) DeleteFileA(temporary.c_str());
  }

  const std::string& ReadFrom() const { return temporary.empty() ? full : temporary; }

  // The working copy, made on the first change: a copy of the file, or an empty file when there
  // is none yet.
  const std::string& WorkingCopy(const std::string& path) {
    if (!temporary.empty()) return temporary;
    std::string folder = ExtractFilePath(full);
    char name[MAX_PATH] = {};
    if (GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "qv", 0, name) == 0)
      Fail("Cannot write", path);
    if (FileExists(full) && !CopyFileA(full.c_str(), name, FALSE)) {
      DeleteFileA(name);
      Fail("Cannot change", path);
    }
    temporary = name;
    return temporary;
  }
};

IniFile::IniFile(std::string path) : path_(std::move(path)), state_(std::make_unique<State>()) {
  state_->full = FullPath(path_);
}

IniFile::~IniFile() = default;

void IniFile::EraseSection(std::string_view section) {
  std::string s(section);
  const std::string& file = state_->WorkingCopy(path_);
  // Erasing a section that is not there is no error.
  if (!WritePrivateProfileStringA(s.c_str(), nullptr, nullptr, file.c_str()) &&
      GetLastError() != ERROR_SUCCESS && GetLastError() != ERROR_FILE_NOT_FOUND)
    Fail("Cannot write", path_);
}

void IniFile::WriteString(std::string_view section, std::string_view name, std::string_view value) {
  std::string s(section), n(name), v = ProtectIniValue(value);
  const std::string& file = state_->WorkingCopy(path_);
  if (!WritePrivateProfileStringA(s.c_str(), n.c_str(), v.c_str(), file.c_str()))
    Fail("Cannot write", path_);
}

void IniFile::WriteInteger(std::string_view section, std::string_view name, int32_t value) {
  WriteString(section, name, std::to_string(value));
}

std::string IniFile::ReadString(std::string_view section, std::string_view name,
                                std::string_view fallback) {
  std::string s(section), n(name), f(fallback);
  std::vector<char> buffer(MaxValueLength + 1, '\0');
  DWORD got =
      GetPrivateProfileStringA(s.c_str(), n.c_str(), f.c_str(), buffer.data(),
                               static_cast<DWORD>(buffer.size()), state_->ReadFrom().c_str());
  return std::string(buffer.data(), got);
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view name, int32_t fallback) {
  return ParseInteger(ReadString(section, name, ""), fallback);
}

void IniFile::Commit() {
  if (state_->temporary.empty()) return;
  const std::string& file = state_->temporary;
  // Writes the profile service's cached copy of the working file to the disk.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
  if (!MoveFileExA(file.c_str(), state_->full.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    Fail("Cannot write", path_);
  state_->temporary.clear();
}

}  // namespace qv::platform
