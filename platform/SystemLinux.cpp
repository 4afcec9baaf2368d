#include "platform/System.h"

namespace qv::platform {

OsVersion OperatingSystemVersion() { return {10, 0}; }

}  // namespace qv::platform
