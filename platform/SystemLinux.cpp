#include "platform/Path.h"
#include "platform/System.h"

namespace qv::platform {

OsVersion OperatingSystemVersion() { return {10, 0}; }

std::string_view DirectorySeparators() { return "/"; }

}  // namespace qv::platform
