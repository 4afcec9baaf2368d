#pragma once
// Windows back ends only: the system's own words for an error code.
#include <windows.h>

#include <string>

namespace qv::platform {

// The system's message for `error` without its trailing line break and blanks;
// "system error N" when the system has no message for it.
std::string SystemErrorText(DWORD error);

}  // namespace qv::platform
