#pragma once
// The module's message boxes.
#include <string_view>

namespace qv {

// A modal box titled "Vantrope Error" with the error icon and an OK button.
void ShowError(std::string_view text);
// A modal box titled "Vantrope Information" with the information icon and an OK button.
void ShowInformation(std::string_view text);

}  // namespace qv
