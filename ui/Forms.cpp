#include "ui/Forms.h"

#include <algorithm>

#include "ui/Application.h"
#include "ui/StdCtrls.h"

namespace qv::ui {

const TClass& TCustomForm::StaticClass() {
  static const TClass c("TCustomForm", &TWinControl::StaticClass());
  return c;
}
const TClass& TForm::StaticClass() {
  static const TClass c("TForm", &TCustomForm::StaticClass());
  return c;
}
const TClass& TCustomFrame::StaticClass() {
  static const TClass c("TCustomFrame", &TWinControl::StaticClass());
  return c;
}
const TClass& TFrame::StaticClass() {
  static const TClass c("TFrame", &TCustomFrame::StaticClass());
  return c;
}

int ShowCommandFor(TWindowState state) {
  switch (state) {
    case TWindowState::wsMinimized:
      return swShowMinNoActive;
    case TWindowState::wsMaximized:
      return swShowMaximized;
    case TWindowState::wsNormal:
      break;
  }
  return swShowNormal;
}

TCustomForm::TCustomForm() {
  SetVisibleFlag(false);
  SetBounds(0, 0, 320, 240);
}

TCustomForm::~TCustomForm() = default;

FrameMargins TCustomForm::Frame() const {
  return frameOverride_ ? *frameOverride_ : CurrentBackend().FrameFor(borderStyle_);
}

int TCustomForm::ClientWidth() const {
  FrameMargins f = Frame();
  return Width() - f.Left - f.Right;
}
int TCustomForm::ClientHeight() const {
  FrameMargins f = Frame();
  return Height() - f.Top - f.Bottom;
}
void TCustomForm::SetClientWidth(int w) {
  FrameMargins f = Frame();
  SetWidth(w + f.Left + f.Right);
}
void TCustomForm::SetClientHeight(int h) {
  FrameMargins f = Frame();
  SetHeight(h + f.Top + f.Bottom);
}

void TCustomForm::CreateParamsFor(CreateParams& params) {
  TWinControl::CreateParamsFor(params);
  params.Child = false;
  params.Parent = nullptr;
}

void TCustomForm::AfterConstruction() {
  SetLoading(true);
  try {
    ReadContents();
  } catch (...) {
    SetLoading(false);
    throw;
  }
  Loaded();
  const std::vector<TComponent*> owned = Components();
  for (TComponent* c : owned) c->Loaded();
}

void TCustomForm::SetVisible(bool visible) {
  if (visible == Visible()) return;
  SetVisibleFlag(visible);
  ShowingChanged();
}

void TCustomForm::DoShow() {
  ++showCount_;
  if (OnShow) OnShow(*this);
}

HookPoint<void(TCustomForm&)>& FormShowingChangedHook() {
  static HookPoint<void(TCustomForm&)> point(&TCustomForm::DefaultShowingChanged);
  return point;
}

void TCustomForm::ShowingChanged() {
  FormShowingChangedHook()(*this);
}

TPoint CentreIn(const TRect& area, int width, int height) {
  return {(area.Left + area.Right - width) / 2, (area.Top + area.Bottom - height) / 2};
}

void TCustomForm::DefaultShowingChanged(TCustomForm& form) {
  Backend& backend = CurrentBackend();
  if (!form.Visible()) {
    if (form.HandleAllocated()) backend.ShowWindow(form.Handle(), swHide);
    return;
  }
  form.SetShowingMark(true);
  try {
    form.DoShow();
  } catch (...) {
    form.SetShowingMark(false);
    throw;
  }
  form.SetShowingMark(false);
  switch (form.Position()) {
    case TPosition::poScreenCenter:
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter: {
      TSize s = backend.ScreenSize();
      form.SetLeft((s.Width - form.Width()) / 2);
      form.SetTop((s.Height - form.Height()) / 2);
      break;
    }
    case TPosition::poDesktopCenter: {
      TRect desktop;
      bool first = true;
      for (const MonitorInfo& m : backend.Monitors()) {
        if (first) desktop = m.Bounds;
        desktop.Left = std::min(desktop.Left, m.Bounds.Left);
        desktop.Top = std::min(desktop.Top, m.Bounds.Top);
        desktop.Right = std::max(desktop.Right, m.Bounds.Right);
        desktop.Bottom = std::max(desktop.Bottom, m.Bounds.Bottom);
        first = false;
      }
      TPoint p = CentreIn(desktop, form.Width(), form.Height());
      form.SetLeft(p.X);
      form.SetTop(p.Y);
      break;
    }
    default:
      break;
  }
  backend.ShowWindow(form.Handle(), ShowCommandFor(form.WindowState()));
}

int TCustomForm::ShowModal() {
  if (Visible()) throw std::logic_error("Cannot make a visible window modal");
  modalResult_ = mrNone;
  Show();
  struct HideAfter {
    TCustomForm& form;
    ~HideAfter() {
      try {
        form.Hide();
      } catch (...) {
      }
    }
  } hideAfter{*this};
  modalResult_ = CurrentBackend().RunModal(*this);
  return modalResult_;
}

namespace {
template <class Pred>
TButton* FindButton(TWinControl& parent, Pred pred) {
  for (TControl* c : parent.Controls()) {
    if (auto* b = dynamic_cast<TButton*>(c);
        b != nullptr && b->Visible() && b->Enabled() && pred(*b))
      return b;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (TButton* b = FindButton(*w, pred)) return b;
  }
  return nullptr;
}
}  // namespace

void TCustomForm::PressKey(uint16_t key, TControl* focused) {
  if (ChildKey(key, focused != nullptr ? *focused : *this)) return;
  TButton* button = nullptr;
  if (key == vkReturn) button = DefaultButton();
  if (key == vkEscape) button = FindButton(*this, [](TButton& b) { return b.Cancel(); });
  if (button != nullptr) button->Click();
}

TButton* TCustomForm::DefaultButton() {
  return FindButton(*this, [](TButton& b) { return b.Default(); });
}

bool TCustomForm::ChildKey(uint16_t, TControl&) {
  return false;
}

void TCustomForm::WMHelp(const THelpInfo& info) {
  // The framework's own answer: the help context of the control or its nearest parent with one.
  if (info.ContextType != helpInfoWindow) return;
  TControl* c = FindControl(info.ItemHandle);
  while (c != nullptr && c->HelpContext() == 0) c = c->Parent();
  if (c != nullptr) Application().HelpContext(c->HelpContext(), HelpFile());
}

int TScreen::Width() const {
  return CurrentBackend().ScreenSize().Width;
}
int TScreen::Height() const {
  return CurrentBackend().ScreenSize().Height;
}

std::vector<TMonitor> TScreen::Monitors() const {
  std::vector<TMonitor> result;
  int n = 0;
  for (const MonitorInfo& m : CurrentBackend().Monitors())
    result.push_back(TMonitor{m.Handle, n++, m.Bounds, m.WorkArea, m.Primary});
  return result;
}

std::optional<TMonitor> TScreen::FindMonitor(MonitorHandle handle) const {
  for (const TMonitor& m : Monitors())
    if (m.Handle == handle) return m;
  return std::nullopt;
}

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

}  // namespace qv::ui
