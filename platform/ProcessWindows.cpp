#include <windows.h>

#include <array>

#include "platform/Process.h"

namespace qv::platform {

std::string MainExecutablePath() {
  std::array<char, MAX_PATH + 1> buffer{};
  DWORD n = GetModuleFileNameA(nullptr, buffer.data(), MAX_PATH);
  return std::string(buffer.data(), n);
}

}  // namespace qv::platform
