#pragma once
// What the form layer needs from the windowing system. The headless back end
// (BackendHeadless.cpp) keeps windows, monitors and text metrics in memory with documented,
// deterministic values; a back end with real windows implements the same interface.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Graphics.h"
#include "ui/Types.h"

namespace qv::ui {

class TWinControl;
class TCustomForm;
struct FileDialogParams;

struct MonitorInfo {
  MonitorHandle Handle = nullptr;
  TRect Bounds;    // the monitor's full rectangle on the desktop
  TRect WorkArea;  // the rectangle without task bars
  bool Primary = false;
};

// What a window is created with.
struct CreateParams {
  std::string Caption;
  TRect Bounds;
  uint32_t ExStyle = 0;
  WindowHandle Parent = nullptr;  // for a top-level window: its owner
  bool Child = false;             // a child window placed inside its parent
};

// Thickness of a window frame around the client area: left, top (caption included), right, bottom.
struct FrameMargins {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const FrameMargins&, const FrameMargins&) = default;
};

// A 32-bit top-down off-screen image that the system can draw into.
struct DrawingSurface {
  void* Bitmap = nullptr;         // the image's handle
  void* DeviceContext = nullptr;  // the memory device context the image is selected into
  uint32_t* Pixels = nullptr;     // Width * Height pixels, row by row from the top
  int Width = 0;
  int Height = 0;
};

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

class Backend {
 public:
  virtual ~Backend() = default;

  // Screen and monitors.
  virtual TSize ScreenSize() = 0;  // the primary screen
  virtual std::vector<MonitorInfo> Monitors() = 0;
  // The monitor that holds most of the window, or the nearest one when it lies on none; the
  // primary monitor for no window.
  virtual MonitorHandle MonitorFromWindow(WindowHandle window) = 0;
  virtual WindowHandle ActiveWindow() = 0;
  virtual TPoint CursorPos() = 0;

  // Fonts and text.
  // The message font of the system's non-client metrics; none when the system gives none.
  virtual std::optional<TFont> MessageFont() = 0;
  virtual TSize TextExtent(const TFont& font, std::string_view text) = 0;
  virtual TRect CalcTextRect(const TFont& font, TRect rect, std::string_view text,
                             TextFormat format) = 0;
  virtual FrameMargins FrameFor(TFormBorderStyle style) = 0;

  // Windows.
  virtual WindowHandle NewWindow(TWinControl* control, const CreateParams& params) = 0;
  virtual void DestroyWindow(WindowHandle window) = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  virtual TRect WindowRect(WindowHandle window) = 0;
  // Moves and sizes a window without changing its Z order or the active window.
  virtual void SetWindowPos(WindowHandle window, const TRect& bounds) = 0;
  virtual void ShowWindow(WindowHandle window, int command) = 0;
  // The owner or parent window (what GWL_HWNDPARENT gives).
  virtual WindowHandle WindowParent(WindowHandle window) = 0;
  virtual uint32_t WindowExStyle(WindowHandle window) = 0;
  // The control of the form layer that a window belongs to; none for foreign windows.
  virtual TWinControl* FindControl(WindowHandle window) = 0;

  // Off-screen images.
  virtual DrawingSurface CreateDrawingSurface(int width, int height) = 0;
  virtual void ReleaseDrawingSurface(DrawingSurface& surface) = 0;

  // Runs a modal form until it has a modal result and answers it.
  virtual int RunModal(TCustomForm& form) = 0;
  // Runs the system's file dialog with the given parameter block; true when a file was chosen.
  virtual bool RunFileDialog(FileDialogParams& params) = 0;
};

// The back end in use: the one installed with SetBackend, or the platform's default.
Backend& CurrentBackend();
// Installs a back end (none: back to the default); answers the previous one.
Backend* SetBackend(Backend* backend);
// The platform's back end: real windows where the platform has a back end (BackendWindows.cpp),
// the headless one elsewhere.
Backend& DefaultBackend();
// The headless back end, present on every platform (tests install it with headless::Reset).
Backend& HeadlessBackendInstance();

}  // namespace qv::ui
