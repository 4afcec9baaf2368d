#pragma once
#include <cstdint>
#include <string_view>

namespace qv {

// A globally unique interface identifier with the 16-byte layout of the host's contract.
struct GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];

  friend constexpr bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
      if (a.Data4[i] != b.Data4[i]) return false;
    return true;
  }
};
static_assert(sizeof(GUID) == 16);

namespace detail {
consteval uint32_t HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
  throw "invalid hexadecimal digit in GUID";  // a compile-time error: consteval cannot throw
}
consteval uint32_t Hex(std::string_view s) {
  uint32_t v = 0;
  for (char c : s) v = v * 16 + HexDigit(c);
  return v;
}
}  // namespace detail

// Builds a GUID at compile time from its registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
consteval GUID MakeGuid(std::string_view s) {
  if (s.size() != 38 || s[0] != '{' || s[9] != '-' || s[14] != '-' || s[19] != '-' ||
      s[24] != '-' || s[37] != '}')
    throw "malformed GUID";
  GUID g{};
  g.Data1 = detail::Hex(s.substr(1, 8));
  g.Data2 = static_cast<uint16_t>(detail::Hex(s.substr(10, 4)));
  g.Data3 = static_cast<uint16_t>(detail::Hex(s.substr(15, 4)));
  g.Data4[0] = static_cast<uint8_t>(detail::Hex(s.substr(20, 2)));
  g.Data4[1] = static_cast<uint8_t>(detail::Hex(s.substr(22, 2)));
  for (int i = 0; i < 6; ++i)
    g.Data4[2 + i] = static_cast<uint8_t>(detail::Hex(s.substr(25 + 2 * static_cast<size_t>(i), 2)));
  return g;
}

}  // namespace qv
