#include <sys/resource.h>

#include <chrono>
#include <cstdlib>

#include "platform/Path.h"
#include "platform/System.h"

namespace qv::platform {

OsVersion OperatingSystemVersion() {
  return {10, 0};
}

uint64_t PeakMemoryBytes() {
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
  return static_cast<uint64_t>(usage.ru_maxrss) * 1024;  // reported in KiB
}

double MonotonicSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::string_view DirectorySeparators() {
  return "/";
}

void SetEnvironmentValue(const std::string& name, const std::string& value) {
  setenv(name.c_str(), value.c_str(), 1);
}

}  // namespace qv::platform
