#include <windows.h>

#include "platform/Path.h"
#include "platform/System.h"

namespace qv::platform {

OsVersion OperatingSystemVersion() {
  // GetVersionEx answers the version the program is manifested for; RtlGetVersion tells the truth.
  using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  auto proc = ntdll != nullptr ? reinterpret_cast<RtlGetVersionProc>(
                                     reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "RtlGetVersion")))
                               : nullptr;
  if (proc != nullptr && proc(&info) == 0)
    return {static_cast<int>(info.dwMajorVersion), static_cast<int>(info.dwMinorVersion)};
  return {};
}

std::string_view DirectorySeparators() { return "\\:"; }

}  // namespace qv::platform
