#include <windows.h>

// psapi.h needs windows.h first.
#include <psapi.h>

#include <chrono>

#include "platform/Path.h"
#include "platform/System.h"

namespace qv::platform {

OsVersion OperatingSystemVersion() {
  // GetVersionEx answers the version the program is manifested for; RtlGetVersion tells the truth.
  using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  auto proc = ntdll != nullptr ? reinterpret_cast<RtlGetVersionProc>(reinterpret_cast<void (*)()>(
                                     GetProcAddress(ntdll, "RtlGetVersion")))
                               : nullptr;
  if (proc != nullptr && proc(&info) == 0)
    return {static_cast<int>(info.dwMajorVersion), static_cast<int>(info.dwMinorVersion)};
  return {};
}

uint64_t PeakMemoryBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return counters.PeakWorkingSetSize;
}

double MonotonicSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::string_view DirectorySeparators() {
  return "\\/:";
}

void SetEnvironmentValue(const std::string& name, const std::string& value) {
  SetEnvironmentVariableA(name.c_str(), value.c_str());
}

}  // namespace qv::platform
