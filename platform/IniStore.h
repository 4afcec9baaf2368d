#pragma once
// Keyed settings: sections of named string and integer values. An INI file and a key of the
// per-user registry both offer them through IniStore.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace qv::platform {

class IniStore {
 public:
  virtual ~IniStore() = default;
  // Removes the section and every value in it (in the registry: the subkey and all under it).
  virtual void EraseSection(std::string_view section) = 0;
  virtual void WriteString(std::string_view section, std::string_view name,
                           std::string_view value) = 0;
  virtual void WriteInteger(std::string_view section, std::string_view name, int32_t value) = 0;
  // The stored value, or `fallback` when there is none.
  virtual std::string ReadString(std::string_view section, std::string_view name,
                                 std::string_view fallback) = 0;
  // The stored value as a decimal integer, or `fallback` when there is none or it is no number.
  virtual int32_t ReadInteger(std::string_view section, std::string_view name,
                              int32_t fallback) = 0;
};

// Reads `text` as a signed 32-bit decimal integer (surrounding blanks allowed); `fallback` when
// it is not one.
int32_t ParseInteger(std::string_view text, int32_t fallback);

// An INI text file: "[Section]" header lines and "Name=Value" lines, 8-bit text. Section and value
// names compare without regard to ASCII case. Reading follows the system's profile rules: blanks
// around a value are dropped, as are quotes that enclose it, and a value reads back with at most
// MaxValueLength characters. Writing protects a value that these rules would change by enclosing
// it in double quotes, so what is written reads back unchanged (values holding line breaks
// excepted: a line break ends the value). On Windows this is the system's private-profile
// service.
//
// Changes are collected apart from the file and put in place by Commit, which replaces the file
// as a whole: a failed or interrupted write leaves the previous file untouched. Changes not
// committed are dropped when the object goes away. Reads see the changes made so far.
class IniFile final : public IniStore {
 public:
  static constexpr std::size_t MaxValueLength = 2047;

  explicit IniFile(std::string path);
  ~IniFile() override;
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  void EraseSection(std::string_view section) override;
  void WriteString(std::string_view section, std::string_view name,
                   std::string_view value) override;
  void WriteInteger(std::string_view section, std::string_view name, int32_t value) override;
  std::string ReadString(std::string_view section, std::string_view name,
                         std::string_view fallback) override;
  int32_t ReadInteger(std::string_view section, std::string_view name, int32_t fallback) override;

  // Puts the changes made since opening in place; nothing happens when there are none. Throws
  // std::runtime_error naming the file when it cannot.
  void Commit();
  const std::string& Path() const { return path_; }

 private:
  struct State;
  std::string path_;
  std::unique_ptr<State> state_;
};

// The text that IniFile writes for `value`: the value itself, or the value enclosed in double
// quotes when reading it back would otherwise drop blanks or enclosing quotes.
std::string ProtectIniValue(std::string_view value);

// A key of the current user's registry (HKEY_CURRENT_USER on Windows). Sections are its subkeys
// (a section name may hold "\" to reach deeper ones); strings are string values and integers are
// 32-bit integer values. On other systems the registry is a small key store kept in the file
// "Registry/HKEY_CURRENT_USER.reg" of the application-data folder; there changes are put in place
// by Commit, which replaces that file as a whole. On Windows every change is made at once.
class UserRegistryKey final : public IniStore {
 public:
  enum class ValueKind { None, String, Integer };

  // Opens the key `path` (for example "Software\Norvek\Vantrope") with full access, creating it
  // when missing. Throws std::runtime_error when it cannot.
  explicit UserRegistryKey(std::string_view path);
  ~UserRegistryKey() override;
  UserRegistryKey(const UserRegistryKey&) = delete;
  UserRegistryKey& operator=(const UserRegistryKey&) = delete;

  void EraseSection(std::string_view section) override;
  void WriteString(std::string_view section, std::string_view name,
                   std::string_view value) override;
  void WriteInteger(std::string_view section, std::string_view name, int32_t value) override;
  std::string ReadString(std::string_view section, std::string_view name,
                         std::string_view fallback) override;
  int32_t ReadInteger(std::string_view section, std::string_view name, int32_t fallback) override;

  // The kind of the value `name` in the subkey `section`.
  ValueKind KindOf(std::string_view section, std::string_view name);
  // True when the subkey `section` exists.
  bool SectionExists(std::string_view section);
  // Makes the changes lasting. Throws std::runtime_error when it cannot.
  void Commit();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace qv::platform
