#include <windows.h>

#include <algorithm>
#include <utility>

#include "ui/Themes.h"

// ThemedFrameWindows.h needs windows.h first.
#include "ui/ThemedFrameWindows.h"

namespace qv::ui::windows {

COLORREF ResolveColor(TColor color) {
  auto value = static_cast<uint32_t>(color);
  if ((value & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(value & 0xFFu));
  return static_cast<COLORREF>(value & 0x00FFFFFFu);
}

namespace {

void Fill(HDC dc, const RECT& r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// The border icon's glyph, drawn in lines of the caption's text colour.
void DrawGlyph(HDC dc, int hit, const RECT& r, COLORREF color) {
  HPEN pen = CreatePen(PS_SOLID, 2, color);
  HGDIOBJ previous = SelectObject(dc, pen);
  const int inset = (r.right - r.left) / 4;
  const RECT g{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
  auto line = [&](int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
  };
  switch (hit) {
    case HTCLOSE:
      line(g.left, g.top, g.right, g.bottom);
      line(g.right, g.top, g.left, g.bottom);
      break;
    case HTMAXBUTTON:
      line(g.left, g.top, g.right, g.top);
      line(g.right, g.top, g.right, g.bottom);
      line(g.right, g.bottom, g.left, g.bottom);
      line(g.left, g.bottom, g.left, g.top);
      break;
    case HTMINBUTTON:
      line(g.left, g.bottom, g.right, g.bottom);
      break;
    case HTHELP: {
      SetTextColor(dc, color);
      RECT t = r;
      DrawTextA(dc, "?", 1, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      break;
    }
    default:
      break;
  }
  SelectObject(dc, previous);
  DeleteObject(pen);
}

}  // namespace

std::optional<ThemedFrame> ThemedFrameOf(TWinControl* control) {
  auto* form = dynamic_cast<TCustomForm*>(control);
  if (form == nullptr || !form->FrameOverride()) return std::nullopt;
  ThemedFrame frame;
  frame.Margins = *form->FrameOverride();
  frame.Colors = SystemFrameColors();
  frame.Icons = {TKsBorderIcon::kbiClose};
  for (TComponent* c : form->Components()) {
    auto* theme = dynamic_cast<TTeThemeForm*>(c);
    if (theme == nullptr || !theme->Active()) continue;
    if (theme->ThemeEngine != nullptr && theme->ThemeEngine->Theme() != nullptr)
      frame.Colors = theme->ThemeEngine->Theme()->Frame();
    frame.Icons = theme->BorderIcons;
    frame.CanMove = theme->CanMove;
    frame.CanResize = theme->CanResize;
    break;
  }
  return frame;
}

std::vector<CaptionButton> CaptionButtons(const ThemedFrame& frame, int windowWidth) {
  const FrameMargins& m = frame.Margins;
  const int border = m.Bottom;
  const int size = std::max(0, m.Top - border - 6);
  const int top = border + (m.Top - border - size) / 2;
  int right = windowWidth - m.Right - 2;
  std::vector<CaptionButton> buttons;
  const std::pair<TKsBorderIcon, int> order[] = {{TKsBorderIcon::kbiClose, HTCLOSE},
                                                 {TKsBorderIcon::kbiMaximize, HTMAXBUTTON},
                                                 {TKsBorderIcon::kbiMinimize, HTMINBUTTON},
                                                 {TKsBorderIcon::kbiHelp, HTHELP}};
  for (const auto& [icon, hit] : order) {
    if (frame.Icons.count(icon) == 0) continue;
    buttons.push_back({hit, {right - size, top, right, top + size}});
    right -= size + 2;
  }
  return buttons;
}

void PaintThemedFrame(HDC dc, const ThemedFrame& frame, SIZE window, std::string_view caption,
                      HFONT font, int pressed) {
  const FrameMargins& m = frame.Margins;
  const int border = m.Bottom;
  const int width = static_cast<int>(window.cx), height = static_cast<int>(window.cy);
  const int saved = SaveDC(dc);
  // The client area is the form's own.
  ExcludeClipRect(dc, m.Left, m.Top, width - m.Right, height - m.Bottom);
  const COLORREF text = ResolveColor(frame.Colors.CaptionText);
  const COLORREF captionColor = ResolveColor(frame.Colors.Caption);
  Fill(dc, {0, 0, width, height}, ResolveColor(frame.Colors.Border));
  Fill(dc, {m.Left, border, width - m.Right, m.Top}, captionColor);

  std::vector<CaptionButton> buttons = CaptionButtons(frame, width);
  RECT captionText{m.Left + 6, border, width - m.Right - 4, m.Top};
  if (!buttons.empty()) captionText.right = buttons.back().Rect.left - 4;
  SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text);
  DrawTextA(dc, caption.data(), static_cast<int>(caption.size()), &captionText,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);

  for (const CaptionButton& b : buttons) {
    if (b.Hit == pressed) Fill(dc, b.Rect, ResolveColor(frame.Colors.Border));
    HBRUSH outline = CreateSolidBrush(text);
    FrameRect(dc, &b.Rect, outline);
    DeleteObject(outline);
    DrawGlyph(dc, b.Hit, b.Rect, text);
  }
  RestoreDC(dc, saved);
}

LRESULT ThemedFrameHitTest(const ThemedFrame& frame, SIZE window, POINT p) {
  const FrameMargins& m = frame.Margins;
  const int width = static_cast<int>(window.cx), height = static_cast<int>(window.cy);
  for (const CaptionButton& b : CaptionButtons(frame, width))
    if (PtInRect(&b.Rect, p)) return b.Hit;
  if (p.x >= m.Left && p.x < width - m.Right && p.y >= m.Top && p.y < height - m.Bottom)
    return HTCLIENT;
  if (frame.CanResize) {
    // Corners are as wide as the caption is high, so that they can be caught.
    const int corner = m.Top;
    const bool left = p.x < m.Left, right = p.x >= width - m.Right;
    const bool top = p.y < m.Bottom, bottom = p.y >= height - m.Bottom;
    const bool nearLeft = p.x < corner, nearRight = p.x >= width - corner;
    const bool nearTop = p.y < corner, nearBottom = p.y >= height - corner;
    if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
    if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
    if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
    if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
  }
  if (p.y >= m.Bottom && p.y < m.Top && frame.CanMove) return HTCAPTION;
  return HTBORDER;
}

}  // namespace qv::ui::windows
