#include <windows.h>

#include "platform/Text.h"

namespace qv::platform {

int CompareTextIgnoreCase(std::string_view a, std::string_view b) {
  int r = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                         b.data(), static_cast<int>(b.size()));
  return r - CSTR_EQUAL;  // CSTR_LESS_THAN 1, CSTR_EQUAL 2, CSTR_GREATER_THAN 3
}

}  // namespace qv::platform
