#include "runtime/EDAClientMessageBox.h"

#include <cstdio>

namespace qv {

// Interim text boxes until the form-based boxes are in place.
void ShowError(std::string_view text) {
  std::fprintf(stderr, "[Vantrope Error] %.*s\n", static_cast<int>(text.size()), text.data());
}
void ShowInformation(std::string_view text) {
  std::fprintf(stderr, "[Vantrope Information] %.*s\n", static_cast<int>(text.size()),
               text.data());
}

}  // namespace qv
