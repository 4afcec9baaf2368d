#pragma once
#include <cstdint>
#include <string>

namespace qv::platform {

struct OsVersion {
  int Major = 0;
  int Minor = 0;
};

// The operating system's version as it reports it. Linux reports itself as version 10.0: a
// present-day desktop, so the themed look that a newer system gets is chosen there too.
OsVersion OperatingSystemVersion();

// The most memory the process has held at once so far (resident set / peak working set), in bytes.
uint64_t PeakMemoryBytes();
// Seconds on a steady clock, for measuring durations.
double MonotonicSeconds();

// Sets a variable of the process's environment, seen by modules loaded afterwards.
void SetEnvironmentValue(const std::string& name, const std::string& value);

}  // namespace qv::platform
