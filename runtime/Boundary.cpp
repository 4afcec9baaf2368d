#include "runtime/Boundary.h"

#include <cstdio>
#include <string>

#include "runtime/EDAClientMessageBox.h"

namespace qv {

void ReportBoundaryError(std::string_view operation, std::string_view what) noexcept {
  try {
    std::string text = std::string(what) + "\n(in " + std::string(operation) + ")";
    ShowError(text);
  } catch (...) {
    // The message box itself failed: the standard error stream is the last place left to tell.
    std::fprintf(stderr, "Quorvel: %.*s failed: %.*s\n", static_cast<int>(operation.size()),
                 operation.data(), static_cast<int>(what.size()), what.data());
  }
}

}  // namespace qv
