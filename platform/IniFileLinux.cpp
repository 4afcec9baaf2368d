// The INI file service on systems without one: a reader and writer of our own that keeps the
// system profile rules of Windows (see IniStore.h), and keeps every line it does not change.
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/IniStore.h"

namespace qv::platform {

namespace {
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
    char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
    if (x != y) return false;
  }
  return true;
}

// The section name of a header line "[Name]", or false when the line is no header.
bool SectionOf(std::string_view line, std::string_view& name) {
  line = Trimmed(line);
  if (line.empty() || line.front() != '[') return false;
  std::size_t close = line.find(']');
  name = Trimmed(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
  return true;
}

// The name and raw value of a "Name=Value" line, or false when the line holds none.
bool ValueOf(std::string_view line, std::string_view& name, std::string_view& value) {
  std::string_view t = Trimmed(line);
  if (t.empty() || t.front() == ';') return false;
  std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) return false;
  name = Trimmed(t.substr(0, eq));
  value = Trimmed(t.substr(eq + 1));
  return true;
}
}  // namespace

struct IniFile::State {
  std::vector<std::string> lines;
  bool changed = false;
  std::string unreadable;  // why an existing file could not be read, empty when it could

  // The index range [first, end) of the lines of the first section named `section`; first is the
  // header's index. False when there is no such section.
  bool FindSection(std::string_view section, std::size_t& first, std::size_t& end) const {
    std::string_view name;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (!SectionOf(lines[i], name) || !SameName(name, section)) continue;
      first = i;
      end = i + 1;
      while (end < lines.size() && !SectionOf(lines[end], name)) ++end;
      return true;
    }
    return false;
  }

  // The index of the line of `key` within the first section `section`, or false.
  bool FindValue(std::string_view section, std::string_view key, std::size_t& at) const {
    std::size_t first = 0, end = 0;
    if (!FindSection(section, first, end)) return false;
    std::string_view name, value;
    for (std::size_t i = first + 1; i < end; ++i) {
      if (ValueOf(lines[i], name, value) && SameName(name, key)) {
        at = i;
        return true;
      }
    }
    return false;
  }

  void CheckWritable(const std::string& path) const {
    if (!unreadable.empty())
      throw std::runtime_error("Cannot change \"" + path + "\": " + unreadable);
  }
};

IniFile::IniFile(std::string path) : path_(std::move(path)), state_(std::make_unique<State>()) {
  if (!FileExists(path_)) return;
  try {
    state_->lines = ReadTextLines(path_);
  } catch (const std::runtime_error& e) {
    // Like the system service, reading an unreadable file answers the defaults; changing it fails.
    state_->unreadable = e.what();
  }
}

IniFile::~IniFile() = default;

void IniFile::EraseSection(std::string_view section) {
  state_->CheckWritable(path_);
  std::size_t first = 0, end = 0;
  while (state_->FindSection(section, first, end)) {
    state_->lines.erase(state_->lines.begin() + static_cast<std::ptrdiff_t>(first),
                        state_->lines.begin() + static_cast<std::ptrdiff_t>(end));
    state_->changed = true;
  }
}

void IniFile::WriteString(std::string_view section, std::string_view name, std::string_view value) {
  state_->CheckWritable(path_);
  // A value holding line breaks is written as it is and so spreads over several lines, exactly as
  // the file will hold it.
  std::vector<std::string> written = SplitLines(std::string(name) + "=" + ProtectIniValue(value));
  if (written.empty()) written.emplace_back();
  auto& lines = state_->lines;
  std::size_t at = 0, first = 0, end = 0;
  if (state_->FindValue(section, name, at)) {
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
  } else if (state_->FindSection(section, first, end)) {
    // After the section's last non-empty line, so blank lines before the next section stay there.
    at = end;
    while (at > first + 1 && Trimmed(lines[at - 1]).empty()) --at;
  } else {
    if (!lines.empty() && !Trimmed(lines.back()).empty()) lines.emplace_back();
    lines.push_back("[" + std::string(section) + "]");
    at = lines.size();
  }
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), written.begin(), written.end());
  state_->changed = true;
}

void IniFile::WriteInteger(std::string_view section, std::string_view name, int32_t value) {
  WriteString(section, name, std::to_string(value));
}

std::string IniFile::ReadString(std::string_view section, std::string_view name,
                                std::string_view fallback) {
  std::size_t at = 0;
  std::string_view key, value;
  if (!state_->FindValue(section, name, at) || !ValueOf(state_->lines[at], key, value))
    return std::string(fallback);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value.substr(0, MaxValueLength));
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view name, int32_t fallback) {
  return ParseInteger(ReadString(section, name, ""), fallback);
}

void IniFile::Commit() {
  if (!state_->changed) return;
  std::string text;
  for (const std::string& line : state_->lines) {
    text += line;
    text += "\r\n";
  }
  WriteFileReplacing(path_, text);
  state_->changed = false;
}

}  // namespace qv::platform
