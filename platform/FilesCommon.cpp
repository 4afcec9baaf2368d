// The parts of the file services that are the same on every system.
#include "platform/Files.h"

namespace qv::platform {

std::string ExtractFilePath(std::string_view path) {
  // Windows accepts both separators; elsewhere only "/" separates.
  std::size_t at = path.find_last_of(PathSeparator == "\\" ? std::string_view("\\/:") : "/");
  return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    lines.emplace_back(text.substr(start, i - start));
    i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    start = i;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<std::string> ReadTextLines(const std::string& path) {
  return SplitLines(ReadFileBytes(path));
}

}  // namespace qv::platform
