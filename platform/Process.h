#pragma once
#include <string>

namespace qv::platform {

// The full path of the process's main executable (at most 260 characters on Windows); empty when
// the system does not tell.
std::string MainExecutablePath();

}  // namespace qv::platform
