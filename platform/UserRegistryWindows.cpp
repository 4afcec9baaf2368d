// The per-user registry on Windows: a key under HKEY_CURRENT_USER, its sections being subkeys.
#include <windows.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/IniStore.h"
#include "platform/SystemErrorWindows.h"

namespace qv::platform {

namespace {
[[noreturn]] void Fail(std::string_view what, const std::string& key, LONG error) {
  std::string reason = SystemErrorText(static_cast<DWORD>(error));
  throw std::runtime_error(std::string(what) + " HKEY_CURRENT_USER\\" + key + ": " + reason);
}

// Closes a registry key when it goes out of scope.
class Key {
 public:
  Key() = default;
  explicit Key(HKEY key) : key_(key) {}
  ~Key() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY Get() const { return key_; }
  HKEY* Out() { return &key_; }

 private:
  HKEY key_ = nullptr;
};

// Deletes `name` below `parent` with all its subkeys (the system's own deletion refuses a key that
// still has subkeys).
LONG DeleteTree(HKEY parent, const std::string& name) {
  Key key;
  LONG r = RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, key.Out());
  if (r != ERROR_SUCCESS) return r;
  for (;;) {
    char child[256];
    DWORD size = sizeof child;
    // Always the first subkey: the one before was just deleted.
    r = RegEnumKeyExA(key.Get(), 0, child, &size, nullptr, nullptr, nullptr, nullptr);
    if (r == ERROR_NO_MORE_ITEMS) break;
    if (r != ERROR_SUCCESS) return r;
    r = DeleteTree(key.Get(), std::string(child, size));
    if (r != ERROR_SUCCESS) return r;
  }
  return RegDeleteKeyA(parent, name.c_str());
}
}  // namespace

struct UserRegistryKey::State {
  std::string path;
  Key root;

  std::string Where(std::string_view section) const {
    return section.empty() ? path : path + "\\" + std::string(section);
  }

  // The subkey opened for reading; none when it does not exist.
  HKEY OpenForReading(std::string_view section, Key& key) const {
    std::string s(section);
    if (RegOpenKeyExA(root.Get(), s.c_str(), 0, KEY_READ, key.Out()) != ERROR_SUCCESS)
      return nullptr;
    return key.Get();
  }

  HKEY OpenForWriting(std::string_view section, Key& key) const {
    std::string s(section);
    LONG r = RegCreateKeyExA(root.Get(), s.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_ALL_ACCESS, nullptr, key.Out(), nullptr);
    if (r != ERROR_SUCCESS) Fail("Cannot create", Where(section), r);
    return key.Get();
  }
};

UserRegistryKey::UserRegistryKey(std::string_view path) : state_(std::make_unique<State>()) {
  state_->path = std::string(path);
  LONG r =
      RegCreateKeyExA(HKEY_CURRENT_USER, state_->path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, state_->root.Out(), nullptr);
  if (r != ERROR_SUCCESS) Fail("Cannot open", state_->path, r);
}

UserRegistryKey::~UserRegistryKey() = default;

void UserRegistryKey::EraseSection(std::string_view section) {
  LONG r = DeleteTree(state_->root.Get(), std::string(section));
  if (r != ERROR_SUCCESS && r != ERROR_FILE_NOT_FOUND)
    Fail("Cannot delete", state_->Where(section), r);
}

void UserRegistryKey::WriteString(std::string_view section, std::string_view name,
                                  std::string_view value) {
  Key key;
  std::string n(name), v(value);
  LONG r =
      RegSetValueExA(state_->OpenForWriting(section, key), n.c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(v.c_str()), static_cast<DWORD>(v.size() + 1));
  if (r != ERROR_SUCCESS) Fail("Cannot write " + n + " in", state_->Where(section), r);
}

void UserRegistryKey::WriteInteger(std::string_view section, std::string_view name, int32_t value) {
  Key key;
  std::string n(name);
  DWORD data = static_cast<DWORD>(value);
  LONG r = RegSetValueExA(state_->OpenForWriting(section, key), n.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof data);
  if (r != ERROR_SUCCESS) Fail("Cannot write " + n + " in", state_->Where(section), r);
}

namespace {
// Reads a value's kind and bytes; false when it is not there.
bool QueryValue(HKEY key, const std::string& name, DWORD& type, std::vector<BYTE>& data) {
  if (key == nullptr) return false;
  DWORD size = 0;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return false;
  for (;;) {
    data.assign(size + 1, 0);  // room for a terminator the stored text may lack
    DWORD got = size;
    LONG r = RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &got);
    if (r == ERROR_MORE_DATA) {
      size = got;
      continue;
    }
    if (r != ERROR_SUCCESS) return false;
    data.resize(got);
    return true;
  }
}

std::string TextOf(const std::vector<BYTE>& data) {
  std::string text(reinterpret_cast<const char*>(data.data()), data.size());
  while (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}
}  // namespace

std::string UserRegistryKey::ReadString(std::string_view section, std::string_view name,
                                        std::string_view fallback) {
  Key key;
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!QueryValue(state_->OpenForReading(section, key), std::string(name), type, data))
    return std::string(fallback);
  if (type == REG_DWORD && data.size() == sizeof(DWORD)) {
    DWORD v = 0;
    std::memcpy(&v, data.data(), sizeof v);
    return std::to_string(static_cast<int32_t>(v));
  }
  if (type == REG_SZ || type == REG_EXPAND_SZ) return TextOf(data);
  return std::string(fallback);
}

int32_t UserRegistryKey::ReadInteger(std::string_view section, std::string_view name,
                                     int32_t fallback) {
  Key key;
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!QueryValue(state_->OpenForReading(section, key), std::string(name), type, data))
    return fallback;
  if (type == REG_DWORD && data.size() == sizeof(DWORD)) {
    DWORD v = 0;
    std::memcpy(&v, data.data(), sizeof v);
    return static_cast<int32_t>(v);
  }
  if (type == REG_SZ || type == REG_EXPAND_SZ) return ParseInteger(TextOf(data), fallback);
  return fallback;
}

UserRegistryKey::ValueKind UserRegistryKey::KindOf(std::string_view section,
                                                   std::string_view name) {
  Key key;
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!QueryValue(state_->OpenForReading(section, key), std::string(name), type, data))
    return ValueKind::None;
  if (type == REG_DWORD) return ValueKind::Integer;
  return type == REG_SZ || type == REG_EXPAND_SZ ? ValueKind::String : ValueKind::None;
}

bool UserRegistryKey::SectionExists(std::string_view section) {
  Key key;
  return state_->OpenForReading(section, key) != nullptr;
}

void UserRegistryKey::Commit() {
  LONG r = RegFlushKey(state_->root.Get());
  if (r != ERROR_SUCCESS) Fail("Cannot save", state_->path, r);
}

}  // namespace qv::platform
