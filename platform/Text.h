#pragma once
#include <string_view>

namespace qv::platform {

// Compares two 8-bit texts without regard to case under the user's default locale; negative, zero
// or positive like strcmp. On Windows this is the system's locale string comparison with its
// ignore-case flag; on Linux both texts are case-folded with the user's locale (tolower_l) and then
// collated with it (strcoll_l), the locale being the one the environment names (LC_ALL, LC_COLLATE,
// LANG), falling back to the "C" locale.
int CompareTextIgnoreCase(std::string_view a, std::string_view b);

}  // namespace qv::platform
