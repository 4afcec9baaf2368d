#include <unistd.h>

#include <array>

#include "platform/Process.h"

namespace qv::platform {

std::string MainExecutablePath() {
  std::array<char, 4096> buffer{};
  ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return {};
  return std::string(buffer.data(), static_cast<std::size_t>(n));
}

}  // namespace qv::platform
