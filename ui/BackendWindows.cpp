// The back end of real windows on Windows. Forms are top-level windows of a class of this module;
// buttons, check boxes, group boxes and edits are the system's own controls; labels and images,
// which have no window, are painted by the window that holds them. Text is measured by the system
// with the fonts it draws with, the message font comes from the system's non-client metrics, and
// monitors and the active window are the system's.
//
// Without a desktop to show windows on (a service, or Wine without a display) the headless back
// end is the default instead, as it is when the environment variable QUORVEL_UI is "headless".
#include <algorithm>
#include <cstddef>
#include <exception>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/Module.h"
#include "ui/Application.h"
#include "ui/Backend.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

// After the ui headers: <windows.h> defines names of the message queue as macros.
#include <windows.h>

// These need windows.h first.
#include <commdlg.h>

#include "ui/ThemedFrameWindows.h"

#undef PeekMessage
#undef PostMessage

namespace qv::ui {

namespace {

using windows::ResolveColor;
using windows::ThemedFrame;

// The header that the system's file dialog sends with WM_NOTIFY is the layer's NotifyHeader.
static_assert(sizeof(NotifyHeader) == sizeof(NMHDR));
static_assert(offsetof(NotifyHeader, From) == offsetof(NMHDR, hwndFrom));
static_assert(offsetof(NotifyHeader, Id) == offsetof(NMHDR, idFrom));
static_assert(offsetof(NotifyHeader, Code) == offsetof(NMHDR, code));

constexpr const char* kFormClass = "QuorvelForm";

HWND Hwnd(WindowHandle window) {
  return static_cast<HWND>(window);
}

TRect FromRect(const RECT& r) {
  return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
          static_cast<int>(r.bottom)};
}

RECT ToRect(const TRect& r) {
  return {r.Left, r.Top, r.Right, r.Bottom};
}

// Window styles for a form's border style; the frame they give is what FrameFor answers.
struct Styles {
  DWORD Style = 0;
  DWORD ExStyle = 0;
};

Styles StylesFor(TFormBorderStyle border) {
  switch (border) {
    case TFormBorderStyle::bsNone:
      return {WS_POPUP, 0};
    case TFormBorderStyle::bsSingle:
      return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0};
    case TFormBorderStyle::bsSizeable:
      return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
              0};
    case TFormBorderStyle::bsDialog:
      return {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME};
    case TFormBorderStyle::bsToolWindow:
      return {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW};
    case TFormBorderStyle::bsSizeToolWin:
      return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW};
  }
  return {WS_POPUP, 0};
}

// The system's control class and styles for a windowed control, or none for the module's own
// class (forms, panels, pages and every other container).
struct SystemControl {
  const char* Class = nullptr;
  DWORD Style = 0;
  DWORD ExStyle = 0;
};

SystemControl SystemControlFor(TWinControl* control) {
  if (auto* button = dynamic_cast<TButton*>(control))
    return {"BUTTON",
            static_cast<DWORD>(WS_TABSTOP | (button->Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)),
            0};
  if (dynamic_cast<TCheckBox*>(control) != nullptr)
    return {"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
  if (dynamic_cast<TGroupBox*>(control) != nullptr) return {"BUTTON", BS_GROUPBOX, 0};
  if (dynamic_cast<TEdit*>(control) != nullptr)
    return {"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
  return {};
}

UINT DrawTextFlags(TextFormat format) {
  UINT flags = 0;
  if (format.WordBreak) flags |= DT_WORDBREAK;
  if (format.ExpandTabs) flags |= DT_EXPANDTABS;
  if (format.NoPrefix) flags |= DT_NOPREFIX;
  return flags;
}

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

struct DeviceContextDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DeviceContextDeleter>;

// Selects an object into a device context for one scope.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, previous_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
UINT_PTR CALLBACK FileDialogHookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class WindowsBackend final : public Backend {
 public:
  // The window class belongs to the module that holds this code.
  WindowsBackend()
      : instance_(static_cast<HINSTANCE>(platform::ThisModule())),
        measure_(CreateCompatibleDC(nullptr)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &FormWindowProc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kFormClass;
    registered_ = RegisterClassExA(&wc) != 0;
  }

  ~WindowsBackend() override {
    // Windows that outlive their controls go with the module, so that no message reaches a window
    // procedure that is no longer there.
    std::vector<HWND> left;
    for (const auto& [window, control] : controls_) left.push_back(window);
    for (HWND window : left)
      if (::IsWindow(window)) ::DestroyWindow(window);
    if (registered_) UnregisterClassA(kFormClass, instance_);
  }

  // True when top-level windows can be created here: a desktop exists to show them on.
  bool CanShowWindows() {
    if (!registered_ || !measure_) return false;
    HWND probe = CreateWindowExA(0, kFormClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 instance_, nullptr);
    if (probe == nullptr) return false;
    ::DestroyWindow(probe);
    return true;
  }

  // ---- Screen and monitors ----

  TSize ScreenSize() override {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }

  std::vector<MonitorInfo> Monitors() override {
    std::vector<MonitorInfo> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
  }

  MonitorHandle MonitorFromWindow(WindowHandle window) override {
    if (window == nullptr || !::IsWindow(Hwnd(window)))
      return MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    return ::MonitorFromWindow(Hwnd(window), MONITOR_DEFAULTTONEAREST);
  }

  WindowHandle ActiveWindow() override { return GetActiveWindow(); }

  TPoint CursorPos() override {
    POINT p{};
    if (!GetCursorPos(&p)) return {};
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
  }

  // ---- Fonts and text ----

  std::optional<TFont> MessageFont() override {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
      // Systems older than the record's last field refuse the whole record; they fill it without.
      metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
      if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return std::nullopt;
    }
    const LOGFONTA& f = metrics.lfMessageFont;
    TFont font;
    font.Name = f.lfFaceName;
    font.Height = static_cast<int>(f.lfHeight);
    font.Bold = f.lfWeight >= FW_BOLD;
    font.Italic = f.lfItalic != 0;
    return font;
  }

  TSize TextExtent(const TFont& font, std::string_view text) override {
    Selected select(measure_.get(), Font(font));
    SIZE size{};
    GetTextExtentPoint32A(measure_.get(), text.data(), static_cast<int>(text.size()), &size);
    if (text.empty()) {
      // The system answers no height for no text; an empty line is as high as any other.
      TEXTMETRICA metrics{};
      GetTextMetricsA(measure_.get(), &metrics);
      size.cy = metrics.tmHeight;
    }
    return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
  }

  TRect CalcTextRect(const TFont& font, TRect rect, std::string_view text,
                     TextFormat format) override {
    Selected select(measure_.get(), Font(font));
    RECT r = ToRect(rect);
    DrawTextA(measure_.get(), text.data(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DrawTextFlags(format));
    return FromRect(r);
  }

  FrameMargins FrameFor(TFormBorderStyle style) override {
    Styles s = StylesFor(style);
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, s.Style, FALSE, s.ExStyle);
    return {static_cast<int>(-r.left), static_cast<int>(-r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
  }

  // ---- Windows ----

  WindowHandle NewWindow(TWinControl* control, const CreateParams& params) override {
    HWND parent =
        params.Parent != nullptr && ::IsWindow(Hwnd(params.Parent)) ? Hwnd(params.Parent) : nullptr;
    const char* className = kFormClass;
    bool themed = false;
    DWORD style = 0;
    DWORD exStyle = params.ExStyle;
    if (params.Child && parent != nullptr) {
      SystemControl system = SystemControlFor(control);
      if (system.Class != nullptr) className = system.Class;
      style = WS_CHILD | WS_CLIPSIBLINGS | system.Style;
      exStyle |= system.ExStyle;
      if (control == nullptr || control->Visible()) style |= WS_VISIBLE;
    } else if (std::optional<ThemedFrame> frame = windows::ThemedFrameOf(control)) {
      // No frame of the system's: the themed one is drawn in its place.
      themed = true;
      style = WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN;
      if (frame->Icons.count(TKsBorderIcon::kbiMinimize)) style |= WS_MINIMIZEBOX;
      if (frame->Icons.count(TKsBorderIcon::kbiMaximize)) style |= WS_MAXIMIZEBOX;
    } else {
      auto* form = dynamic_cast<TCustomForm*>(control);
      Styles s = StylesFor(form != nullptr ? form->BorderStyle() : TFormBorderStyle::bsNone);
      style = s.Style | WS_CLIPCHILDREN;
      exStyle |= s.ExStyle;
      // The system shows no help button beside minimise and maximise buttons.
      if (exStyle & WS_EX_CONTEXTHELP) style &= ~DWORD(WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    }
    const TRect& b = params.Bounds;
    creating_ = control;
    creatingThemed_ = themed;
    HWND window = CreateWindowExA(exStyle, className, params.Caption.c_str(), style, b.Left, b.Top,
                                  b.Width(), b.Height(), parent, nullptr, instance_, nullptr);
    creating_ = nullptr;
    creatingWindow_ = nullptr;
    creatingThemed_ = false;
    if (window == nullptr)
      throw std::runtime_error("Cannot create a window for \"" + params.Caption + "\"");
    controls_[window] = control;
    if (className != kFormClass)
      SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font(FontOf(control))), FALSE);
    return window;
  }

  void DestroyWindow(WindowHandle window) override {
    // The system destroys child windows with their parent; their controls forget them first, so
    // that none holds a handle the system may give to another window.
    if (TWinControl* control = FindControl(window))
      for (TControl* child : control->Controls())
        if (auto* windowed = dynamic_cast<TWinControl*>(child)) windowed->DestroyHandle();
    controls_.erase(Hwnd(window));
    if (::IsWindow(Hwnd(window))) ::DestroyWindow(Hwnd(window));
  }

  bool IsWindow(WindowHandle window) override {
    return window != nullptr && ::IsWindow(Hwnd(window));
  }

  TRect WindowRect(WindowHandle window) override {
    RECT r{};
    if (!GetWindowRect(Hwnd(window), &r)) return {};
    return FromRect(r);
  }

  void SetWindowPos(WindowHandle window, const TRect& bounds) override {
    ::SetWindowPos(Hwnd(window), nullptr, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void ShowWindow(WindowHandle window, int command) override {
    if (command != SW_HIDE)
      if (TWinControl* control = FindControl(window)) {
        // Child windows are made when their parent first shows, with the parent's font and texts
        // as they are now.
        SetWindowTextA(Hwnd(window), control->Caption().c_str());
        CreateChildWindows(*control);
      }
    ::ShowWindow(Hwnd(window), command);
  }

  WindowHandle WindowParent(WindowHandle window) override {
    return reinterpret_cast<HWND>(GetWindowLongPtrA(Hwnd(window), GWLP_HWNDPARENT));
  }

  uint32_t WindowExStyle(WindowHandle window) override {
    return static_cast<uint32_t>(GetWindowLongA(Hwnd(window), GWL_EXSTYLE));
  }

  TWinControl* FindControl(WindowHandle window) override {
    auto it = controls_.find(Hwnd(window));
    if (it != controls_.end()) return it->second;
    return creating_ != nullptr && window == creatingWindow_ ? creating_ : nullptr;
  }

  // ---- Off-screen images ----

  DrawingSurface CreateDrawingSurface(int width, int height) override {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap == nullptr) return {};
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) {
      DeleteObject(bitmap);
      return {};
    }
    SelectObject(dc, bitmap);
    return {bitmap, dc, static_cast<uint32_t*>(pixels), width, height};
  }

  void ReleaseDrawingSurface(DrawingSurface& surface) override {
    // The device context goes first, so that the image is no longer selected when it is deleted.
    if (surface.DeviceContext != nullptr) DeleteDC(static_cast<HDC>(surface.DeviceContext));
    if (surface.Bitmap != nullptr) DeleteObject(static_cast<HBITMAP>(surface.Bitmap));
    surface = {};
  }

  // ---- Modal forms and file dialogs ----

  int RunModal(TCustomForm& form) override {
    HWND window = Hwnd(form.Handle());
    // The owner takes no input while the form runs, as with any modal window; it is enabled again
    // before the form hides, so that it becomes the active window again.
    struct OwnerDisabled {
      HWND owner;
      bool disabled;
      explicit OwnerDisabled(HWND w)
          : owner(w), disabled(w != nullptr && IsWindowEnabled(w) && EnableWindow(w, FALSE) == 0) {}
      ~OwnerDisabled() {
        if (disabled) EnableWindow(owner, TRUE);
      }
    } ownerDisabled(GetWindow(window, GW_OWNER));
    SetForegroundWindow(window);
    SetActiveWindow(window);
    // The keyboard starts on the default button, as in the system's dialogs.
    if (TButton* button = form.DefaultButton()) SetFocus(Hwnd(button->Handle()));
    ++modalDepth_;
    struct Depth {
      int& depth;
      ~Depth() { --depth; }
    } depth{modalDepth_};

    MSG message{};
    // A form hidden or destroyed by its own code ends the run as cancelled, rather than leaving an
    // invisible modal form and a disabled owner.
    while (form.ModalResult() == mrNone && ::IsWindow(window) && IsWindowVisible(window)) {
      BOOL got = GetMessageA(&message, nullptr, 0, 0);
      if (got <= 0) {
        // A request to quit ends the run and stays for the loop that owns the thread.
        if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
        break;
      }
      if (!FormKey(form, window, message) && !IsDialogMessageA(window, &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
      RethrowPendingError();
    }
    return form.ModalResult() != mrNone ? form.ModalResult() : mrCancel;
  }

  bool RunFileDialog(FileDialogParams& params) override {
    // The filter's "|" separators become the system's zero separators, ended by two zeros.
    std::string filter = params.Filter;
    std::replace(filter.begin(), filter.end(), '|', '\0');
    filter.append(2, '\0');
    std::vector<char> file(32768, '\0');
    std::copy_n(params.FileName.begin(), std::min(params.FileName.size(), file.size() - 1),
                file.begin());

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner =
        params.Owner != nullptr && ::IsWindow(Hwnd(params.Owner)) ? Hwnd(params.Owner) : nullptr;
    dialog.lpstrFilter = params.Filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = params.Title.empty() ? nullptr : params.Title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   OFN_PATHMUSTEXIST | (params.Save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (params.Hook != nullptr) {
      dialog.Flags |= OFN_ENABLEHOOK;
      dialog.lpfnHook = &FileDialogHookProc;
    }
    struct ActiveHook {
      FileDialogHookPoint*& slot;
      FileDialogHookPoint* previous;
      ~ActiveHook() { slot = previous; }
    } active{fileDialogHook_, std::exchange(fileDialogHook_, params.Hook)};

    BOOL chosen = params.Save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    RethrowPendingError();
    if (!chosen) {
      if (DWORD error = CommDlgExtendedError(); error != 0)
        throw std::runtime_error("The file dialog could not be shown (error " +
                                 std::to_string(error) + ")");
      return false;
    }
    params.FileName = file.data();
    return true;
  }

  // ---- Window procedure ----

  LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE && creating_ != nullptr) {
      creatingWindow_ = window;
      if (creatingThemed_) themed_.insert(window);
    }
    TWinControl* control = FindControl(window);
    if (control == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    try {
      if (themed_.count(window) != 0)
        if (std::optional<LRESULT> handled =
                ThemedFrameMessage(*control, window, message, wParam, lParam))
          return *handled;
      switch (message) {
        case WM_PAINT: {
          PAINTSTRUCT paint;
          HDC dc = BeginPaint(window, &paint);
          PaintContents(*control, dc);
          EndPaint(window, &paint);
          return 0;
        }
        case WM_PRINTCLIENT:
          DefWindowProcA(window, WM_ERASEBKGND, wParam, 0);
          PaintContents(*control, reinterpret_cast<HDC>(wParam));
          return 0;
        case WM_COMMAND:
          if (lParam != 0) ControlCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
          return 0;
        case WM_CLOSE:
          // The layer owns the window: closing hides the form, and ends a modal run as cancelled.
          if (auto* form = dynamic_cast<TCustomForm*>(control)) {
            if (modalDepth_ > 0)
              form->SetModalResult(mrCancel);
            else
              form->Hide();
          }
          return 0;
        case WM_HELP:
          if (auto* form = dynamic_cast<TCustomForm*>(control)) {
            const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
            form->WMHelp(
                {info->iContextType,
                 info->iCtrlId,
                 info->hItemHandle,
                 static_cast<int>(info->dwContextId),
                 {static_cast<int>(info->MousePos.x), static_cast<int>(info->MousePos.y)}});
            return TRUE;
          }
          break;
        case WM_WINDOWPOSCHANGED:
          if (controls_.count(window) != 0) FollowWindow(*control, window);
          break;
        case WM_NCDESTROY:
          controls_.erase(window);
          themed_.erase(window);
          break;
        default:
          break;
      }
    } catch (...) {
      KeepError(std::current_exception());
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  LRESULT FileDialogMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (fileDialogHook_ == nullptr) return 0;
    try {
      return static_cast<LRESULT>(
          (*fileDialogHook_)(window, message, wParam, static_cast<intptr_t>(lParam)));
    } catch (...) {
      KeepError(std::current_exception());
      // The dialog closes as cancelled; the error reaches the caller when it has.
      PostMessageA(GetParent(window), WM_COMMAND, IDCANCEL, 0);
      return 0;
    }
  }

 private:
  // The font a control is drawn with: its form's, as controls follow their form's font.
  static const TFont& FontOf(TControl* control) {
    static const TFont standard;
    if (control == nullptr) return standard;
    if (TCustomForm* form = GetParentForm(*control)) return form->Font();
    return control->Font();
  }

  static BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info))
      reinterpret_cast<std::vector<MonitorInfo>*>(list)->push_back(
          {monitor, FromRect(info.rcMonitor), FromRect(info.rcWork),
           (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
  }

  HFONT Font(const TFont& font) {
    auto key = std::make_tuple(font.Name, font.Height, font.Bold, font.Italic);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second.get();
    LOGFONTA log{};
    log.lfHeight = font.Height;
    log.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    log.lfItalic = font.Italic ? TRUE : FALSE;
    log.lfCharSet = DEFAULT_CHARSET;
    log.lfQuality = DEFAULT_QUALITY;
    font.Name.copy(log.lfFaceName, sizeof log.lfFaceName - 1);
    HFONT handle = CreateFontIndirectA(&log);
    if (handle == nullptr) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return fonts_.emplace(key, FontHandle(handle)).first->second.get();
  }

  void CreateChildWindows(TWinControl& parent) {
    for (TControl* child : parent.Controls()) {
      auto* windowed = dynamic_cast<TWinControl*>(child);
      if (windowed == nullptr) continue;
      HWND window = Hwnd(windowed->Handle());
      SetWindowTextA(window, windowed->Caption().c_str());
      if (auto* box = dynamic_cast<TCheckBox*>(windowed))
        SendMessageA(window, BM_SETCHECK, box->Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
      CreateChildWindows(*windowed);
    }
  }

  // Draws the controls without a window of their own that lie on `parent`.
  void PaintContents(TWinControl& parent, HDC dc) {
    Selected font(dc, Font(FontOf(&parent)));
    SetBkMode(dc, TRANSPARENT);
    for (TControl* child : parent.Controls()) {
      if (!child->Visible() || dynamic_cast<TWinControl*>(child) != nullptr) continue;
      RECT r = ToRect(child->BoundsRect());
      if (auto* label = dynamic_cast<TLabel*>(child)) {
        SetTextColor(dc, ResolveColor(label->Enabled() ? FontOf(label).Color : clGrayText));
        const std::string& text = label->Caption();
        DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r,
                  label->WordWrap() ? DT_WORDBREAK | DT_EXPANDTABS : DT_SINGLELINE);
      } else if (auto* image = dynamic_cast<TImage*>(child); image != nullptr && image->Icon()) {
        if (HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(image->Icon())))
          DrawIcon(dc, r.left, r.top, icon);
      }
    }
  }

  // The messages by which a window with a themed frame sizes, paints and hit-tests it, and its
  // border icons act on a click (pressed and released on the same icon); none for the others.
  std::optional<LRESULT> ThemedFrameMessage(TWinControl& control, HWND window, UINT message,
                                            WPARAM wParam, LPARAM lParam) {
    std::optional<ThemedFrame> frame = windows::ThemedFrameOf(&control);
    if (!frame) return std::nullopt;
    switch (message) {
      case WM_NCCALCSIZE: {
        RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                         : reinterpret_cast<RECT*>(lParam);
        const FrameMargins& m = frame->Margins;
        r->left += m.Left;
        r->top += m.Top;
        r->right = std::max(r->left, r->right - m.Right);
        r->bottom = std::max(r->top, r->bottom - m.Bottom);
        return 0;
      }
      case WM_NCPAINT:
        PaintFrame(control, window, *frame);
        return 0;
      case WM_NCACTIVATE:
        PaintFrame(control, window, *frame);
        return TRUE;
      case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        PaintFrame(control, window, *frame);
        return result;
      }
      case WM_NCHITTEST: {
        RECT w{};
        GetWindowRect(window, &w);
        POINT p{static_cast<short>(LOWORD(lParam)) - w.left,
                static_cast<short>(HIWORD(lParam)) - w.top};
        return windows::ThemedFrameHitTest(*frame, {w.right - w.left, w.bottom - w.top}, p);
      }
      case WM_NCLBUTTONDOWN:
        if (!IsBorderIcon(static_cast<int>(wParam))) return std::nullopt;
        pressed_ = {window, static_cast<int>(wParam)};
        PaintFrame(control, window, *frame);
        return 0;
      case WM_NCLBUTTONUP: {
        if (!IsBorderIcon(static_cast<int>(wParam))) return std::nullopt;
        const bool click = pressed_.first == window && pressed_.second == static_cast<int>(wParam);
        pressed_ = {};
        PaintFrame(control, window, *frame);
        if (click) SendMessageA(window, WM_SYSCOMMAND, CommandForIcon(window, wParam), 0);
        return 0;
      }
      default:
        return std::nullopt;
    }
  }

  static bool IsBorderIcon(int hit) {
    return hit == HTCLOSE || hit == HTHELP || hit == HTMINBUTTON || hit == HTMAXBUTTON;
  }

  static WPARAM CommandForIcon(HWND window, WPARAM hit) {
    switch (hit) {
      case HTHELP:
        return SC_CONTEXTHELP;
      case HTMINBUTTON:
        return SC_MINIMIZE;
      case HTMAXBUTTON:
        return IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE;
      default:
        return SC_CLOSE;
    }
  }

  void PaintFrame(TWinControl& control, HWND window, const ThemedFrame& frame) {
    RECT w{};
    GetWindowRect(window, &w);
    TFont captionFont = FontOf(&control);
    captionFont.Bold = true;
    HDC dc = GetWindowDC(window);
    if (dc == nullptr) return;
    windows::PaintThemedFrame(dc, frame, {w.right - w.left, w.bottom - w.top}, control.Caption(),
                              Font(captionFont), pressed_.first == window ? pressed_.second : 0);
    ReleaseDC(window, dc);
  }

  // A notification from a system control on a window of the layer.
  void ControlCommand(HWND from, WORD code) {
    TWinControl* control = FindControl(from);
    if (control == nullptr) return;
    if (code == BN_CLICKED) {
      if (auto* box = dynamic_cast<TCheckBox*>(control))
        box->SetChecked(SendMessageA(from, BM_GETCHECK, 0, 0) == BST_CHECKED);
      control->Click();
    } else if (code == EN_CHANGE) {
      std::string text(static_cast<std::size_t>(GetWindowTextLengthA(from)) + 1, '\0');
      text.resize(static_cast<std::size_t>(
          GetWindowTextA(from, text.data(), static_cast<int>(text.size()))));
      control->SetCaption(std::move(text));
    }
  }

  // The user moved or sized a window: the control's bounds follow, in its parent's client
  // coordinates for a child window.
  static void FollowWindow(TWinControl& control, HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)
      MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    TRect bounds = FromRect(r);
    if (bounds != control.BoundsRect()) control.WindowMoved(bounds);
  }

  // Enter, Escape and F1 in a form are the form's: Enter clicks the focused button, or else the
  // default button, Escape the cancel button, and F1 asks for help on the focused control, as a
  // child key followed by the help message that the system sends for F1.
  static bool FormKey(TCustomForm& form, HWND window, const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.hwnd != window && !IsChild(window, message.hwnd)) return false;
    const auto key = static_cast<uint16_t>(message.wParam);
    if (key != vkReturn && key != vkEscape && key != vkF1) return false;
    TControl* focused = ::qv::ui::FindControl(message.hwnd);
    if (auto* button = dynamic_cast<TButton*>(focused);
        key == vkReturn && button != nullptr && button->Enabled()) {
      if (!form.ChildKey(key, *button)) button->Click();
      return true;
    }
    form.PressKey(key, focused);
    if (key == vkF1) {
      HELPINFO info{};
      info.cbSize = sizeof info;
      info.iContextType = HELPINFO_WINDOW;
      info.hItemHandle = message.hwnd;
      info.iCtrlId = GetDlgCtrlID(message.hwnd);
      GetCursorPos(&info.MousePos);
      SendMessageA(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    }
    return true;
  }

  // An error in code that the system called back cannot pass through the system's frames: it is
  // kept and raised again once the system call returns; outside a modal run or a dialog the
  // application handles it.
  void KeepError(std::exception_ptr error) {
    if (modalDepth_ > 0 || fileDialogHook_ != nullptr) {
      if (!pendingError_) pendingError_ = std::move(error);
    } else {
      Application().HandleException(error);
    }
  }

  void RethrowPendingError() {
    if (pendingError_) std::rethrow_exception(std::exchange(pendingError_, nullptr));
  }

  HINSTANCE instance_;
  MemoryDc measure_;
  bool registered_ = false;
  std::map<std::tuple<std::string, int, bool, bool>, FontHandle> fonts_;
  std::unordered_map<HWND, TWinControl*> controls_;
  // The control whose window is being created, and that window once its first message arrives.
  TWinControl* creating_ = nullptr;
  HWND creatingWindow_ = nullptr;
  bool creatingThemed_ = false;
  // Windows created with a themed frame, and the border icon held down (window, hit-test code).
  std::unordered_set<HWND> themed_;
  std::pair<HWND, int> pressed_{};
  int modalDepth_ = 0;
  FileDialogHookPoint* fileDialogHook_ = nullptr;
  std::exception_ptr pendingError_;
};

WindowsBackend& Instance() {
  static WindowsBackend backend;
  return backend;
}

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Instance().Dispatch(window, message, wParam, lParam);
}

UINT_PTR CALLBACK FileDialogHookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return static_cast<UINT_PTR>(Instance().FileDialogMessage(window, message, wParam, lParam));
}

Backend& ChooseDefault() {
  char choice[16] = {};
  DWORD length = GetEnvironmentVariableA("QUORVEL_UI", choice, sizeof choice);
  if (length > 0 && length < sizeof choice && std::string_view(choice) == "headless")
    return HeadlessBackendInstance();
  if (Instance().CanShowWindows()) return Instance();
  return HeadlessBackendInstance();
}

}  // namespace

Backend& DefaultBackend() {
  static Backend& chosen = ChooseDefault();
  return chosen;
}

}  // namespace qv::ui
