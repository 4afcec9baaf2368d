// The parts of the keyed-settings services that are the same on every system.
#include <charconv>

#include "platform/IniStore.h"

namespace qv::platform {

namespace {
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
}  // namespace

int32_t ParseInteger(std::string_view text, int32_t fallback) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return fallback;
  return value;
}

std::string ProtectIniValue(std::string_view value) {
  bool changedOnReading =
      !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                         (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                          value.back() == value.front()));
  if (!changedOnReading) return std::string(value);
  return "\"" + std::string(value) + "\"";
}

}  // namespace qv::platform
