// The back end of real windows, on a desktop (under Wine: a virtual X display). Every modal run is
// answered by a timer that acts on the real window as a user would, so no test waits for a person.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "runtime/EDAClientMessageBox.h"
#include "runtime/RT_ServerImplementation.h"
#include "tests/support/FakeClient.h"
#include "ui/Dialogs.h"
#include "ui/StdCtrls.h"
#include "ui/Themes.h"

// After the module's headers, whose names the system's macros would otherwise replace.
#include <windows.h>

// commdlg.h needs windows.h first.
#include <commdlg.h>

namespace qv {
namespace {

using namespace ui;

// Runs `act` on the active window once the modal loop waits for input. A second timer closes the
// window if the first did not end the run, and the test fails instead of waiting.
class Answer {
 public:
  explicit Answer(std::function<void(HWND)> act) : act_(std::move(act)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 1, &Fire);
    watchdog_ = SetTimer(nullptr, 0, 30000, &Watchdog);
  }
  ~Answer() {
    KillTimer(nullptr, timer_);
    KillTimer(nullptr, watchdog_);
    current_ = nullptr;
  }
  Answer(const Answer&) = delete;
  Answer& operator=(const Answer&) = delete;

 private:
  static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (current_ == nullptr) return;
    current_->window_ = GetActiveWindow();
    current_->act_(current_->window_);
  }
  static void CALLBACK Watchdog(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    ADD_FAILURE() << "the modal run had not ended 30 seconds after the answer";
    if (current_ != nullptr) PostMessageA(current_->window_, WM_CLOSE, 0, 0);
  }

  std::function<void(HWND)> act_;
  HWND window_ = nullptr;  // the window answered
  UINT_PTR timer_ = 0;
  UINT_PTR watchdog_ = 0;
  static inline Answer* current_ = nullptr;
};

std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

BOOL CALLBACK AddButton(HWND child, LPARAM list) {
  char cls[32] = {};
  GetClassNameA(child, cls, sizeof cls);
  if (lstrcmpiA(cls, "Button") == 0) reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

std::vector<HWND> ButtonsOf(HWND window) {
  std::vector<HWND> buttons;
  EnumChildWindows(window, &AddButton, reinterpret_cast<LPARAM>(&buttons));
  return buttons;
}

HWND ButtonCaptioned(HWND window, std::string_view caption) {
  for (HWND b : ButtonsOf(window))
    if (TextOf(b) == caption) return b;
  return nullptr;
}

// A button of 80 by 25 at the top left of the form's client area.
TButton& AddButton(TCustomForm& form, std::string caption) {
  auto& button = Create<TButton>(form);
  button.SetCaption(std::move(caption));
  button.SetParent(&form);
  button.SetBounds(10, 10, 80, 25);
  return button;
}

class RealWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(&DefaultBackend(), &HeadlessBackendInstance())
        << "no desktop to show windows on: run under tools/wine-run --display";
    SetBackend(nullptr);
    SetCurrentClient(nullptr);
  }
  void TearDown() override {
    SetCurrentClient(nullptr);
    if (owner_ != nullptr) DestroyWindow(owner_);
  }

  // A visible top-level window that stands for the host's main window.
  HWND HostWindow() {
    owner_ = CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30, 400,
                             300, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(owner_);
    return owner_;
  }

  HWND owner_ = nullptr;
};

TEST_F(RealWindows, MessageBoxIsOwnedByTheClientWindowCentredOnItsMonitorAndAnsweredByAClick) {
  test::FakeClient client;
  client.dialogOwner = HostWindow();
  SetCurrentClient(&client);

  HWND box = nullptr;
  Answer answer([&](HWND window) {
    box = window;
    EXPECT_EQ(TextOf(window), "Replace the library?");
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner_);
    EXPECT_FALSE(IsWindowEnabled(owner_)) << "the owner takes no input while the box runs";

    std::vector<std::string> captions;
    for (HWND b : ButtonsOf(window)) captions.push_back(TextOf(b));
    EXPECT_EQ(captions, (std::vector<std::string>{"&Yes", "&No", "Cancel"}));
    EXPECT_EQ(GetWindowLongA(ButtonCaptioned(window, "&Yes"), GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(owner_, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, (monitor.rcMonitor.left + monitor.rcMonitor.right - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (monitor.rcMonitor.top + monitor.rcMonitor.bottom - (r.bottom - r.top)) / 2);

    SendMessageA(ButtonCaptioned(window, "&No"), BM_CLICK, 0, 0);
  });
  int result = ShowMessageBox("Keep the old footprints & pads?", "Replace the library?",
                              TMsgDlgType::mtConfirmation, mbYes | mbNo | mbCancel);

  EXPECT_EQ(result, mrNo);
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_FALSE(IsWindow(box)) << "the box's window goes with the box";
}

// The box's layout, computed here from the system's own measurements of its message font.
TEST_F(RealWindows, MessageBoxIsLaidOutFromTheSystemMessageFontAndPainted) {
  const std::string text =
      "Footprint \"SOIC-8\" could not be copied:\tthe component has no primitives.\nSecond line.";
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontIndirectA(&metrics.lfMessageFont);
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE alphabet{};
  GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &alphabet);
  RECT textRect{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  DrawTextA(dc, text.c_str(), -1, &textRect, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
  SelectObject(dc, previous);
  DeleteObject(font);
  DeleteDC(dc);
  const int w = alphabet.cx / 52, h = alphabet.cy;
  const int tw = textRect.right, th = textRect.bottom;

  auto form = CreateMessageForm(text, TMsgDlgType::mtWarning, mbOK | mbHelp);
  EXPECT_EQ(form->Font().Name, metrics.lfMessageFont.lfFaceName);
  EXPECT_EQ(form->Font().Height, metrics.lfMessageFont.lfHeight);
  const int rowWidth = 2 * MulDiv(50, w, 4) + MulDiv(4, w, 4);
  EXPECT_EQ(form->ClientWidth(),
            std::max(tw + 32 + MulDiv(10, w, 4), rowWidth) + 2 * MulDiv(8, w, 4));
  EXPECT_EQ(form->ClientHeight(),
            std::max(th, 32) + MulDiv(14, h, 8) + MulDiv(10, h, 8) + 2 * MulDiv(8, h, 8));

  form->Show();
  auto window = static_cast<HWND>(form->Handle());
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, form->ClientWidth()) << "the system's frame is the one laid out with";
  EXPECT_EQ(client.bottom, form->ClientHeight());

  // The label and the icon, which have no window of their own, are painted by the form.
  Backend& backend = CurrentBackend();
  DrawingSurface image = backend.CreateDrawingSurface(client.right, client.bottom);
  ASSERT_NE(image.Pixels, nullptr);
  SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.DeviceContext),
               PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const uint32_t background = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  auto drawnIn = [&](const char* name) {
    TRect r = dynamic_cast<TControl*>(form->FindComponent(name))->BoundsRect();
    int drawn = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if ((image.Pixels[y * image.Width + x] & 0xFFFFFF) != background) ++drawn;
    return drawn;
  };
  EXPECT_GT(drawnIn("Message"), 0) << "the text is drawn";
  EXPECT_GT(drawnIn("Image"), 0) << "the icon is drawn";
  backend.ReleaseDrawingSurface(image);
  form->Hide();
  EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(RealWindows, KeysAndTheCloseBoxEndTheBox) {
  struct Case {
    const char* what;
    const char* focus;  // the button to move the focus to first; none: where the box put it
    UINT message;
    WPARAM key;
    TMsgDlgButtons buttons;
    int expected;
  } cases[] = {
      {"Enter clicks the default button", nullptr, WM_KEYDOWN, VK_RETURN, mbYes | mbNo, mrYes},
      {"Enter clicks the focused button", "&No", WM_KEYDOWN, VK_RETURN, mbYes | mbNo, mrNo},
      {"Escape clicks the cancel button", "&Yes", WM_KEYDOWN, VK_ESCAPE, mbYes | mbNo, mrNo},
      {"Escape with OK alone clicks OK", nullptr, WM_KEYDOWN, VK_ESCAPE, mbOK, mrOk},
      {"the close box cancels", nullptr, WM_CLOSE, 0, mbOK, mrCancel},
  };
  for (const Case& c : cases) {
    Answer answer([&](HWND window) {
      if (c.focus != nullptr) SetFocus(ButtonCaptioned(window, c.focus));
      HWND target = GetFocus() != nullptr ? GetFocus() : window;
      PostMessageA(c.message == WM_CLOSE ? window : target, c.message, c.key, 0);
    });
    EXPECT_EQ(ShowMessageBox("Go on?", "Question", TMsgDlgType::mtConfirmation, c.buttons),
              c.expected)
        << c.what;
  }
}

// A form whose theme form is active has the themed frame instead of the system's: the client area
// keeps the size laid out with the themed margins (4 around, 30 at the top), the caption and border
// are painted in the theme's colours, and the border icons answer hit tests and clicks.
TEST_F(RealWindows, ThemedFrameTakesThePlaceOfTheSystemsFrame) {
  auto form = New<TForm>();
  form->SetBorderStyle(TFormBorderStyle::bsDialog);
  auto& engine = Create<TTeThemeEngine>(*form);
  engine.SetTheme(std::make_unique<TTeThemeLuna>());
  auto& theme = Create<TTeThemeForm>(*form);
  theme.ThemeEngine = &engine;
  theme.BorderIcons = {TKsBorderIcon::kbiClose, TKsBorderIcon::kbiHelp};
  theme.CanResize = false;
  theme.SetActive(true);
  form->SetCaption("Themed");
  form->SetBounds(100, 100, 0, 0);
  form->SetClientWidth(240);
  form->SetClientHeight(120);

  Answer answer([&](HWND window) {
    RECT client{}, w{};
    GetClientRect(window, &client);
    GetWindowRect(window, &w);
    EXPECT_EQ(client.right, 240);
    EXPECT_EQ(client.bottom, 120);
    EXPECT_EQ(w.right - w.left, 248);
    EXPECT_EQ(w.bottom - w.top, 154);

    const int width = w.right - w.left;
    struct Hit {
      const char* where;
      int x, y;
      LRESULT expected;
    } hits[] = {{"caption", 20, 15, HTCAPTION},        {"close icon", width - 16, 15, HTCLOSE},
                {"help icon", width - 38, 15, HTHELP}, {"client area", 120, 80, HTCLIENT},
                {"left border", 1, 80, HTBORDER},      {"top border", 60, 1, HTBORDER}};
    for (const Hit& h : hits)
      EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(w.left + h.x, w.top + h.y)),
                h.expected)
          << h.where;

    HDC dc = GetWindowDC(window);
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 84, 227)) << "the caption in the theme's colour";
    EXPECT_EQ(GetPixel(dc, 1, 80), RGB(0, 61, 178)) << "the border in the theme's colour";
    ReleaseDC(window, dc);

    SendMessageA(window, WM_NCLBUTTONDOWN, HTCLOSE, 0);
    SendMessageA(window, WM_NCLBUTTONUP, HTCLOSE, 0);
  });
  EXPECT_EQ(form->ShowModal(), mrCancel) << "the close icon closes the form";
}

TEST_F(RealWindows, AFormThatHidesItselfEndsItsModalRunAsCancelled) {
  auto form = New<TForm>();
  form->SetBounds(100, 100, 240, 120);
  TButton& button = AddButton(*form, "Hide");
  TForm* shown = form.get();
  button.OnClick = [shown](TControl&) { shown->Hide(); };

  Answer answer(
      [&](HWND window) { SendMessageA(ButtonCaptioned(window, "Hide"), BM_CLICK, 0, 0); });
  EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST_F(RealWindows, AnErrorInAClickHandlerReachesTheCallerAndTheFormCloses) {
  auto form = New<TForm>();
  form->SetCaption("Failing");
  form->SetBounds(100, 100, 240, 120);
  TButton& button = AddButton(*form, "Fail");
  button.OnClick = [](TControl&) { throw std::runtime_error("click failed"); };

  Answer answer(
      [&](HWND window) { SendMessageA(ButtonCaptioned(window, "Fail"), BM_CLICK, 0, 0); });
  EXPECT_THROW(
      {
        try {
          form->ShowModal();
        } catch (const std::runtime_error& e) {
          EXPECT_STREQ(e.what(), "click failed");
          throw;
        }
      },
      std::runtime_error);
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(IsWindowVisible(static_cast<HWND>(form->Handle())));
}

// F1 reaches the form as a child key of the focused control, then as the help message the
// system sends for it, naming the control's window.
class HelpRecordingForm : public TForm {
 public:
  bool ChildKey(uint16_t key, TControl& control) override {
    childKeys.push_back({key, &control});
    return false;
  }
  void WMHelp(const THelpInfo& info) override {
    help.push_back(info);
    SetModalResult(mrOk);
  }
  std::vector<std::pair<uint16_t, TControl*>> childKeys;
  std::vector<THelpInfo> help;
};

TEST_F(RealWindows, F1IsAChildKeyOfTheFocusedControlThenAHelpMessage) {
  auto form = New<HelpRecordingForm>();
  form->SetBounds(100, 100, 240, 120);
  TButton& button = AddButton(*form, "Go");
  button.SetDefault(true);

  Answer answer([&](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_F1, 0); });
  EXPECT_EQ(form->ShowModal(), mrOk);
  ASSERT_EQ(form->childKeys.size(), 1u);
  EXPECT_EQ(form->childKeys[0].first, vkF1);
  EXPECT_EQ(form->childKeys[0].second, &button) << "the focused control starts on the default";
  ASSERT_EQ(form->help.size(), 1u);
  EXPECT_EQ(form->help[0].ContextType, helpInfoWindow);
  EXPECT_EQ(form->help[0].ItemHandle, button.Handle());
}

// The file dialogs: the framework's hook procedure centres the dialog on the screen when it is set
// up; the test's hook calls it, then answers the dialog as a user would.
struct FileDialogRun {
  std::string Choose;  // the file to type in; empty: cancel
  std::optional<RECT> Placed;
};
FileDialogRun* fileDialogRun = nullptr;

intptr_t AnsweringHook(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  intptr_t result = FileDialogHook().Original()(window, message, wParam, lParam);
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE) {
    HWND dialog = GetParent(static_cast<HWND>(window));
    RECT r{};
    GetWindowRect(dialog, &r);
    fileDialogRun->Placed = r;
    if (fileDialogRun->Choose.empty()) {
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    } else {
      SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13,
                   reinterpret_cast<LPARAM>(fileDialogRun->Choose.c_str()));
      SendMessageA(dialog, CDM_SETCONTROLTEXT, edt1,
                   reinterpret_cast<LPARAM>(fileDialogRun->Choose.c_str()));
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
  }
  return result;
}

TEST_F(RealWindows, FileDialogsAreCentredByTheHookAndAnswerTheChosenFile) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string chosen = std::string(temp) + "QuorvelChosen.PcbLib";
  DeleteFileA(chosen.c_str());
  struct Case {
    const char* what;
    std::string choose;
    bool expected;
  } cases[] = {{"cancelled", "", false}, {"a new file to save", chosen, true}};
  struct HookInPlace {
    FileDialogHookPoint::Function previous = FileDialogHook().Exchange(&AnsweringHook);
    ~HookInPlace() {
      FileDialogHook().Exchange(previous);
      fileDialogRun = nullptr;
    }
  } hook;
  for (const Case& c : cases) {
    FileDialogRun run{c.choose, std::nullopt};
    fileDialogRun = &run;
    TSaveDialog dialog;
    dialog.Title = "Save Library As";
    dialog.Filter = "PCB libraries (*.PcbLib)|*.PcbLib|All files (*.*)|*.*";
    EXPECT_EQ(dialog.Execute(), c.expected) << c.what;
    if (c.expected) {
      EXPECT_EQ(dialog.FileName, chosen) << c.what;
    }
    ASSERT_TRUE(run.Placed.has_value()) << c.what << ": the hook procedure was never called";
    const RECT& r = *run.Placed;
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2) << c.what;
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2) << c.what;
  }
}

TEST_F(RealWindows, DrawingSurfaceIsTheSystemsImageRowByRowFromTheTop) {
  Backend& backend = CurrentBackend();
  DrawingSurface surface = backend.CreateDrawingSurface(4, 3);
  ASSERT_NE(surface.Pixels, nullptr);
  auto dc = static_cast<HDC>(surface.DeviceContext);
  SetPixel(dc, 1, 0, RGB(255, 0, 0));
  SetPixel(dc, 0, 2, RGB(0, 0, 255));
  GdiFlush();
  EXPECT_EQ(surface.Pixels[1] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(surface.Pixels[2 * 4] & 0xFFFFFF, 0x0000FFu);
  backend.ReleaseDrawingSurface(surface);
  EXPECT_EQ(surface.Pixels, nullptr);
}

}  // namespace
}  // namespace qv
