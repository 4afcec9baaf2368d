#pragma once
// Plain value types of the form layer: points, rectangles, colours, and the system's rounding
// multiply-divide.
#include <cstdint>

namespace qv::ui {

using WindowHandle = void*;
using MonitorHandle = void*;

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// A colour: an RGB value 0x00BBGGRR, or a system colour (the high byte 0xFF and the system colour
// index in the low byte), resolved when drawn.
using TColor = int32_t;

constexpr TColor MakeColor(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<TColor>(red | (green << 8) | (blue << 16));
}
constexpr TColor SystemColor(int index) {
  return static_cast<TColor>(0xFF000000u | uint32_t(index));
}

// System colour indexes.
constexpr int colorActiveCaption = 2;
constexpr int colorCaptionText = 9;
constexpr int colorActiveBorder = 10;
constexpr int colorBtnFace = 15;
constexpr int colorWindow = 5;
constexpr int colorWindowText = 8;
constexpr int colorBtnShadow = 16;
constexpr int colorGrayText = 17;
constexpr int color3DDkShadow = 21;

constexpr TColor clBtnFace = SystemColor(colorBtnFace);
constexpr TColor clWindow = SystemColor(colorWindow);
constexpr TColor clWindowText = SystemColor(colorWindowText);
constexpr TColor clBtnShadow = SystemColor(colorBtnShadow);
constexpr TColor clGrayText = SystemColor(colorGrayText);
constexpr TColor cl3DDkShadow = SystemColor(color3DDkShadow);
constexpr TColor clBlue = MakeColor(0, 0, 255);

// a * b / c rounded to the nearest integer, halves away from zero, computed without overflow of
// the product; -1 when c is 0 or the result does not fit in 32 bits (the system's MulDiv).
constexpr int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t p = int64_t(a) * int64_t(b);
  bool negative = (p < 0) != (c < 0);
  uint64_t up = p < 0 ? uint64_t(-p) : uint64_t(p);
  uint64_t uc = c < 0 ? uint64_t(-int64_t(c)) : uint64_t(c);
  uint64_t q = (up + uc / 2) / uc;
  int64_t r = negative ? -static_cast<int64_t>(q) : static_cast<int64_t>(q);
  if (r > INT32_MAX || r < INT32_MIN) return -1;
  return static_cast<int>(r);
}

// Show commands for a window's state.
constexpr int swHide = 0;
constexpr int swShowNormal = 1;
constexpr int swShowMaximized = 3;
constexpr int swShowMinNoActive = 7;

// Window messages the form layer dispatches.
constexpr uint32_t wmNotify = 0x004E;
constexpr uint32_t wmHelp = 0x0053;
constexpr uint32_t cmBase = 0xB000;
constexpr uint32_t cmShowingChanged = cmBase + 25;  // 0xB019
constexpr uint32_t cnBase = 0xBC00;
constexpr uint32_t cmChildKey = cmBase + 26;
constexpr uint16_t vkF1 = 0x70;
constexpr uint16_t vkEscape = 0x1B;
constexpr uint16_t vkReturn = 0x0D;

// Extended window styles.
constexpr uint32_t wsExContextHelp = 0x400;

}  // namespace qv::ui
