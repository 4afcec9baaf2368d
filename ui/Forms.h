#pragma once
// Forms, frames, the screen with its monitors.
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace qv::ui {

class TButton;

enum class TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// Modal results.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;
constexpr int mrAll = 8;
constexpr int mrNoToAll = 9;
constexpr int mrYesToAll = 10;

// What a wmHelp message carries.
constexpr int helpInfoWindow = 1;
constexpr int helpInfoMenuItem = 2;
struct THelpInfo {
  int ContextType = helpInfoWindow;
  int CtrlId = 0;
  WindowHandle ItemHandle = nullptr;
  int ContextId = 0;
  TPoint MousePos;
};

// The show command for a window state: normal 1, minimised 7, maximised 3.
int ShowCommandFor(TWindowState state);

class TCustomForm : public TWinControl {
 public:
  TCustomForm();
  ~TCustomForm() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle s) { borderStyle_ = s; }
  TPosition Position() const { return position_; }
  void SetPosition(TPosition p) { position_ = p; }
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState s) { windowState_ = s; }
  const std::string& HelpFile() const { return helpFile_; }
  void SetHelpFile(std::string f) { helpFile_ = std::move(f); }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int r) { modalResult_ = r; }

  // The frame around the client area: the system's for the border style, unless a themed frame
  // draws its own (SetFrameOverride).
  FrameMargins Frame() const;
  void SetFrameOverride(std::optional<FrameMargins> frame) { frameOverride_ = frame; }
  const std::optional<FrameMargins>& FrameOverride() const { return frameOverride_; }
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int w);
  void SetClientHeight(int h);
  TRect ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }

  TCanvas& Canvas() { return canvas_; }

  // Shows the form and runs it modally; answers its modal result.
  int ShowModal();
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  void SetVisible(bool visible) override;
  // Set while the show event runs.
  bool ShowingMark() const { return showingMark_; }
  void SetShowingMark(bool on) { showingMark_ = on; }
  // The form's show event; runs each time the form becomes visible.
  std::function<void(TCustomForm&)> OnShow;
  // Runs the show event; an error in it reaches the caller.
  void DoShow();
  int ShowCount() const { return showCount_; }

  // Keyboard: Enter clicks the default button, Escape the cancel button; other keys are offered
  // to the form as a child-key notification of the focused control (or the form).
  void PressKey(uint16_t key, TControl* focused = nullptr);
  // The button that Enter clicks: the first visible, enabled default button among the form's
  // controls at any depth; none when there is none.
  TButton* DefaultButton();

  // The form's window messages, as virtual handlers.
  // Child-key notification: a key went down in one of the form's controls; true when handled.
  virtual bool ChildKey(uint16_t key, TControl& control);
  virtual void WMHelp(const THelpInfo& info);
  // The showing-changed notification; the form's own handler runs through
  // FormShowingChangedHook.
  virtual void ShowingChanged();

  // The layer's own showing-changed handling: on becoming visible, the show event, the placement
  // that Position asks for, and showing the window with the command for its state.
  static void DefaultShowingChanged(TCustomForm& form);

  // Construction: reads the stored contents (ReadContents, with the form and everything it owns
  // marked as loading), then ends loading with Loaded on each.
  void AfterConstruction() override;

 protected:
  // Builds the form's stored contents; forms built in code override it.
  virtual void ReadContents() {}
  void CreateParamsFor(CreateParams& params) override;

 private:
  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  TPosition position_ = TPosition::poDefaultPosOnly;
  TWindowState windowState_ = TWindowState::wsNormal;
  std::string helpFile_;
  int modalResult_ = mrNone;
  std::optional<FrameMargins> frameOverride_;
  TCanvas canvas_;
  bool showingMark_ = false;
  int showCount_ = 0;
};

HookPoint<void(TCustomForm&)>& FormShowingChangedHook();

class TForm : public TCustomForm {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

class TCustomFrame : public TWinControl {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

class TFrame : public TCustomFrame {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

class TMonitor {
 public:
  MonitorHandle Handle = nullptr;
  int MonitorNum = 0;
  TRect BoundsRect;
  TRect WorkareaRect;
  bool Primary = false;
  int Left() const { return BoundsRect.Left; }
  int Top() const { return BoundsRect.Top; }
  int Width() const { return BoundsRect.Width(); }
  int Height() const { return BoundsRect.Height(); }
};

// The screen: its size and monitors, read from the back end each time they are asked for.
class TScreen {
 public:
  int Width() const;
  int Height() const;
  std::vector<TMonitor> Monitors() const;
  int MonitorCount() const { return static_cast<int>(Monitors().size()); }
  // The monitor the framework knows under `handle`; none when it knows none.
  std::optional<TMonitor> FindMonitor(MonitorHandle handle) const;
};
TScreen& Screen();

// The centre of a rectangle for a size, with division rounding toward zero.
TPoint CentreIn(const TRect& area, int width, int height);

}  // namespace qv::ui
