#include "ui/Graphics.h"

#include "ui/Backend.h"

namespace qv::ui {

TSize TCanvas::TextExtent(std::string_view text) const {
  return CurrentBackend().TextExtent(Font, text);
}

TRect TCanvas::CalcTextRect(TRect rect, std::string_view text, TextFormat format) const {
  return CurrentBackend().CalcTextRect(Font, rect, text, format);
}

}  // namespace qv::ui
