#pragma once
// Fonts and the canvas that measures text with them.
#include <string>
#include <string_view>

#include "ui/Types.h"

namespace qv::ui {

struct TFont {
  std::string Name = "MS Sans Serif";
  int Height = -11;  // character height in pixels, negative as the system gives it
  TColor Color = clWindowText;
  bool Bold = false;
  bool Italic = false;
  friend bool operator==(const TFont&, const TFont&) = default;
};

// Text layout flags of the canvas's text rectangle calculation.
struct TextFormat {
  bool WordBreak = false;   // wrap lines at word boundaries to fit the rectangle's width
  bool ExpandTabs = false;  // tab characters advance to the next tab stop
  bool NoPrefix = false;    // without it "&&" measures as "&" and a single "&" as nothing
};

struct TSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

class TCanvas {
 public:
  TFont Font;
  // The size that `text` takes on one line in the canvas's font.
  TSize TextExtent(std::string_view text) const;
  // The rectangle that `text` needs when drawn from `rect`'s top-left corner: with WordBreak,
  // lines wrap at rect's width. Left and top stay; right and bottom are set.
  TRect CalcTextRect(TRect rect, std::string_view text, TextFormat format) const;
};

}  // namespace qv::ui
