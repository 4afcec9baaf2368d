// The per-user registry on systems without one: keys, string values and 32-bit integer values kept
// in one text file of the application-data folder, "Registry/HKEY_CURRENT_USER.reg":
//
//   [Software\Norvek\Vantrope\Some Key]
//   "Name"="text"
//   "Count"=dword:00000003
//
// Names and texts escape a backslash, a double quote and control characters as in C ("\\", "\"",
// "\r", "\n", "\t", "\xHH"). In a key path the backslash separates the keys; there a control
// character or "%" is written as "%" and two hexadecimal digits. Names compare without regard to
// ASCII case and keep the case they were made with.
#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/IniStore.h"

namespace qv::platform {

namespace {
char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

struct NameLess {
  bool operator()(const std::string& a, const std::string& b) const {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
      char x = Lower(a[i]), y = Lower(b[i]);
      if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    return a.size() < b.size();
  }
};

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

struct Value {
  UserRegistryKey::ValueKind kind = UserRegistryKey::ValueKind::String;
  std::string text;
  uint32_t number = 0;
};
using Values = std::map<std::string, Value, NameLess>;
// Every key by its full path, parents before their subkeys.
using Keys = std::map<std::string, Values, NameLess>;

std::string Escaped(std::string_view s) {
  std::string out;
  for (char c : s) {
    auto u = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '"') {
      out += "\\\"";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u == 0x7f) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

std::string EscapedPath(std::string_view s) {
  std::string out;
  for (char c : s) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7f || c == '%') {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", u);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads the file's lines; throws a runtime_error naming the file and line at the first fault.
class Reader {
 public:
  Reader(std::string path, Keys& keys) : path_(std::move(path)), keys_(keys) {}

  void Read() {
    std::vector<std::string> lines = ReadTextLines(path_);
    Values* current = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      line_ = i + 1;
      std::string_view l = lines[i];
      if (l.empty() || l.front() == ';') continue;
      if (l.front() == '[') {
        if (l.size() < 2 || l.back() != ']') Fault("a key line must end with \"]\"");
        current = &keys_[UnescapedPath(l.substr(1, l.size() - 2))];
        continue;
      }
      if (current == nullptr) Fault("a value comes before any key");
      if (l.front() != '"') Fault("a value line must begin with a quoted name");
      std::size_t at = 1;
      std::string name = Unescaped(l, at);
      if (at >= l.size() || l[at] != '=') Fault("\"=\" expected after the value's name");
      std::string_view rest = l.substr(at + 1);
      Value value;
      if (!rest.empty() && rest.front() == '"') {
        std::size_t from = 1;
        value.text = Unescaped(rest, from);
        if (from != rest.size()) Fault("text after the value");
      } else if (rest.starts_with("dword:") && rest.size() == 14) {
        value.kind = UserRegistryKey::ValueKind::Integer;
        for (char c : rest.substr(6)) {
          int d = HexDigit(c);
          if (d < 0) Fault("a dword value needs eight hexadecimal digits");
          value.number = value.number * 16 + static_cast<uint32_t>(d);
        }
      } else {
        Fault("a value must be a quoted text or dword:XXXXXXXX");
      }
      (*current)[name] = std::move(value);
    }
  }

 private:
  [[noreturn]] void Fault(std::string_view what) const {
    throw std::runtime_error("The registry file \"" + path_ + "\" is damaged at line " +
                             std::to_string(line_) + ": " + std::string(what));
  }

  // Reads an escaped text from `at` up to its closing quote and leaves `at` after that quote.
  std::string Unescaped(std::string_view l, std::size_t& at) const {
    std::string out;
    while (at < l.size()) {
      char c = l[at++];
      if (c == '"') return out;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at >= l.size()) Fault("an escape is cut off");
      switch (l[at++]) {
        case '\\':
          out += '\\';
          break;
        case '"':
          out += '"';
          break;
        case 'r':
          out += '\r';
          break;
        case 'n':
          out += '\n';
          break;
        case 't':
          out += '\t';
          break;
        case 'x':
          out += Hex(l, at, "\\x");
          break;
        default:
          Fault("unknown escape");
      }
    }
    Fault("a quoted text is not closed");
  }

  std::string UnescapedPath(std::string_view l) const {
    std::string out;
    for (std::size_t at = 0; at < l.size();) {
      char c = l[at++];
      out += c == '%' ? Hex(l, at, "%") : c;
    }
    return out;
  }

  // The character of two hexadecimal digits at `at`, which it leaves after them.
  char Hex(std::string_view l, std::size_t& at, std::string_view escape) const {
    int hi = at < l.size() ? HexDigit(l[at]) : -1;
    int lo = at + 1 < l.size() ? HexDigit(l[at + 1]) : -1;
    if (hi < 0 || lo < 0) Fault(std::string(escape) + " needs two hexadecimal digits");
    at += 2;
    return static_cast<char>(hi * 16 + lo);
  }

  std::string path_;
  Keys& keys_;
  std::size_t line_ = 0;
};

std::string StoreFolder() {
  std::string base = ApplicationDataFolder();
  return base + std::string(PathSeparator) + "Registry";
}

std::string Joined(std::string_view key, std::string_view section) {
  std::string path(key);
  if (!section.empty()) path += "\\" + std::string(section);
  return path;
}
}  // namespace

struct UserRegistryKey::State {
  std::string file;
  std::string key;  // the opened key's full path
  Keys keys;
  bool changed = false;

  // Makes the key and each of its parents exist.
  Values& Create(const std::string& path) {
    for (std::size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
      if (!keys.contains(path.substr(0, at))) {
        keys[path.substr(0, at)];
        changed = true;
      }
    if (!keys.contains(path)) changed = true;
    return keys[path];
  }

  const Value* Find(std::string_view section, std::string_view name) const {
    auto k = keys.find(Joined(key, section));
    if (k == keys.end()) return nullptr;
    auto v = k->second.find(std::string(name));
    return v == k->second.end() ? nullptr : &v->second;
  }
};

UserRegistryKey::UserRegistryKey(std::string_view path) : state_(std::make_unique<State>()) {
  std::string folder = StoreFolder();
  state_->file = folder + std::string(PathSeparator) + "HKEY_CURRENT_USER.reg";
  if (FileExists(state_->file)) Reader(state_->file, state_->keys).Read();
  state_->key = std::string(path);
  while (!state_->key.empty() && state_->key.back() == '\\') state_->key.pop_back();
  state_->Create(state_->key);
}

UserRegistryKey::~UserRegistryKey() = default;

void UserRegistryKey::EraseSection(std::string_view section) {
  std::string path = Joined(state_->key, section);
  for (auto it = state_->keys.begin(); it != state_->keys.end();) {
    const std::string& k = it->first;
    bool under = SameName(k, path) || (k.size() > path.size() && k[path.size()] == '\\' &&
                                       SameName(std::string_view(k).substr(0, path.size()), path));
    if (under) {
      it = state_->keys.erase(it);
      state_->changed = true;
    } else {
      ++it;
    }
  }
}

void UserRegistryKey::WriteString(std::string_view section, std::string_view name,
                                  std::string_view value) {
  Values& values = state_->Create(Joined(state_->key, section));
  Value& v = values[std::string(name)];
  v.kind = ValueKind::String;
  v.text = value;
  state_->changed = true;
}

void UserRegistryKey::WriteInteger(std::string_view section, std::string_view name, int32_t value) {
  Values& values = state_->Create(Joined(state_->key, section));
  Value& v = values[std::string(name)];
  v.kind = ValueKind::Integer;
  v.text.clear();
  v.number = static_cast<uint32_t>(value);
  state_->changed = true;
}

std::string UserRegistryKey::ReadString(std::string_view section, std::string_view name,
                                        std::string_view fallback) {
  const Value* v = state_->Find(section, name);
  if (v == nullptr) return std::string(fallback);
  if (v->kind == ValueKind::Integer) return std::to_string(static_cast<int32_t>(v->number));
  return v->text;
}

int32_t UserRegistryKey::ReadInteger(std::string_view section, std::string_view name,
                                     int32_t fallback) {
  const Value* v = state_->Find(section, name);
  if (v == nullptr) return fallback;
  if (v->kind == ValueKind::Integer) return static_cast<int32_t>(v->number);
  return ParseInteger(v->text, fallback);
}

UserRegistryKey::ValueKind UserRegistryKey::KindOf(std::string_view section,
                                                   std::string_view name) {
  const Value* v = state_->Find(section, name);
  return v == nullptr ? ValueKind::None : v->kind;
}

bool UserRegistryKey::SectionExists(std::string_view section) {
  return state_->keys.contains(Joined(state_->key, section));
}

void UserRegistryKey::Commit() {
  if (!state_->changed) return;
  std::string folder = StoreFolder();
  std::string base = ApplicationDataFolder();
  if (!base.empty() && !DirectoryExists(base)) MakeDirectory(base);
  if (!DirectoryExists(folder)) MakeDirectory(folder);
  std::string text = "; The current user's registry keys, kept by Quorvel.\n";
  for (const auto& [path, values] : state_->keys) {
    text += "[" + EscapedPath(path) + "]\n";
    for (const auto& [name, value] : values) {
      text += "\"" + Escaped(name) + "\"=";
      if (value.kind == ValueKind::Integer) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "dword:%08X", value.number);
        text += hex;
      } else {
        text += "\"" + Escaped(value.text) + "\"";
      }
      text += "\n";
    }
  }
  WriteFileReplacing(state_->file, text);
  state_->changed = false;
}

}  // namespace qv::platform
