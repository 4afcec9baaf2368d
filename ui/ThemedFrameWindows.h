#pragma once
// The themed frame of a form shown as a real window: while the form's theme form is active, the
// window has no frame of the system's; the back end sizes, paints and hit-tests this one instead.
// Include after <windows.h>.
#include <optional>
#include <string_view>
#include <vector>

#include "ui/Backend.h"
#include "ui/Forms.h"
#include "ui/Themes.h"

namespace qv::ui::windows {

// A colour as the system draws it: system colours looked up, RGB values as they are.
COLORREF ResolveColor(TColor color);

struct ThemedFrame {
  FrameMargins Margins;  // the frame's thickness: the border, and at the top border and caption
  FrameColors Colors;
  TKsBorderIcons Icons;
  bool CanMove = true;
  bool CanResize = false;
};

// The themed frame of a form whose theme form is active; none for any other control.
std::optional<ThemedFrame> ThemedFrameOf(TWinControl* control);

// A border icon's place in a window of the given width, in window coordinates, with the hit-test
// code that names it; from the right: close, maximise, minimise, help.
struct CaptionButton {
  int Hit = 0;
  RECT Rect{};
};
std::vector<CaptionButton> CaptionButtons(const ThemedFrame& frame, int windowWidth);

// Paints the frame, the caption text and the border icons into `dc`, a device context of the whole
// window; `pressed` is the hit-test code of the icon held down (0: none).
void PaintThemedFrame(HDC dc, const ThemedFrame& frame, SIZE window, std::string_view caption,
                      HFONT font, int pressed);

// The hit-test code for a point in window coordinates.
LRESULT ThemedFrameHitTest(const ThemedFrame& frame, SIZE window, POINT point);

}  // namespace qv::ui::windows
