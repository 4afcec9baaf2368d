#pragma once
#include <string_view>

namespace qv::platform {

// The characters that end the directory part of a file name on this platform: "\", "/" (which
// Windows accepts as well) and ":" on Windows, "/" elsewhere.
std::string_view DirectorySeparators();

}  // namespace qv::platform
