// TServerDialog: the themed, uniformly styled dialog base of server modules.
#include <exception>

#include "runtime/ClientProcs.h"
#include "services/Rt_forms.h"
#include "ui/Application.h"

namespace qv {

using namespace ui;

const TClass& TServerDialog::StaticClass() {
  static const TClass c("TServerDialog", &TFormWithHelp::StaticClass());
  return c;
}

TKsBorderIcons TServerDialog::ThemeBorderIcons() const {
  return {TKsBorderIcon::kbiClose, TKsBorderIcon::kbiHelp};
}

void TServerDialog::AfterConstruction() {
  TFormWithHelp::AfterConstruction();
  CentreOnActiveMonitor(*this);
}

void TServerDialog::CreateParamsFor(CreateParams& params) {
  TFormWithHelp::CreateParamsFor(params);
  params.ExStyle |= wsExContextHelp;
  params.Parent = GetClientWindow();
}

void TServerDialog::Loaded() {
  TFormWithHelp::Loaded();
  SetupTheme();
  if (ThemeEngine != nullptr) ThemeEngine->Loaded();
  if (ThemeForm != nullptr) ThemeForm->Loaded();
  ApplyDialogStyle(*this);
}

void TServerDialog::SetupTheme() {
  const int oldClientWidth = ClientWidth();
  const int oldClientHeight = ClientHeight();

  TTeThemeEngine* engine = nullptr;
  TTeThemeForm* themeForm = nullptr;
  for (TComponent* c : Components()) {
    if (engine == nullptr) engine = dynamic_cast<TTeThemeEngine*>(c);
    if (themeForm == nullptr) themeForm = dynamic_cast<TTeThemeForm*>(c);
  }
  ThemeEngine = engine != nullptr ? engine : &Create<TTeThemeEngine>(*this);

  const bool resizable = BorderStyle() == TFormBorderStyle::bsSizeable ||
                         BorderStyle() == TFormBorderStyle::bsSizeToolWin;

  ThemeEngine->DeltaBrightness = 0;
  ThemeEngine->DeltaHue = 0;
  if (IsWindowsXPOrLater()) {
    ThemeEngine->SetTheme(std::make_unique<TTeThemeXP>());
    ThemeEngine->UseNativeXPTheme = true;
  } else {
    ThemeEngine->SetTheme(std::make_unique<TTeThemeLuna>());
  }

  const bool created = themeForm == nullptr;
  ThemeForm = created ? &Create<TTeThemeForm>(*this) : themeForm;
  TTeThemeForm& f = *ThemeForm;
  f.SetActive(true);
  f.Blend = false;
  f.BlendValue = 150;
  f.BorderIcons = ThemeBorderIcons();
  f.BorderStyle = TKsBorderStyle::kbsStandard;
  f.DropShadow = false;
  f.ShadowWidth = 4;
  f.Magnetic = true;
  f.MagneticValue = 20;
  f.SimpleDrag = false;
  f.ShowAnimation = TKsAnimation::kaNone;
  f.ShowAnimationTime = 400;
  f.StayOnTop = false;
  f.SysMenuBlend = false;
  f.SysMenuBlendValue = 150;
  f.SysMenuDropShadow = false;
  f.SysMenuShadowWidth = 4;
  f.SysMenuShowAnimation = TKsAnimation::kaNone;
  f.SysMenuShowAnimationTime = 300;
  f.WindowState = TKsWindowState::kwsNormal;
  f.ThemeEngine = ThemeEngine;
  f.CanMove = true;
  if (created) f.CanResize = resizable;

  // The themed frame differs from the system's: keep the client area's size.
  const int newClientWidth = ClientWidth();
  const int newClientHeight = ClientHeight();
  SetBounds(Left(), Top(), Width() + oldClientWidth - newClientWidth,
            Height() + oldClientHeight - newClientHeight);
}

void TServerDialog::ApplyDialogStyle(TComponent& component) {
  if (component.HasPublishedProperty("ThemeEngine"))
    component.SetPublishedProperty("ThemeEngine", ThemeEngine);
  if (auto* windowed = dynamic_cast<TWinControl*>(&component)) {
    const std::vector<TControl*> children = windowed->Controls();
    for (TControl* child : children) ApplyDialogStyle(*child);
  }
  const std::vector<TComponent*> owned = component.Components();
  for (TComponent* c : owned) ApplyDialogStyle(*c);

  auto greyToShadow = [](TControl& control) {
    if (control.Font().Color == clGrayText) {
      control.Font().Color = cl3DDkShadow;
      control.Font().Name = "Arial";
    }
  };
  if (auto* label = dynamic_cast<TLabel*>(&component)) greyToShadow(*label);
  if (auto* check = dynamic_cast<TTeThemeCheckBox*>(&component)) {
    check->SetHeight(19);
    greyToShadow(*check);
  }
  if (auto* edit = dynamic_cast<TCustomXPEdit*>(&component)) {
    TWinControl* parent = edit->Parent();
    if (parent != nullptr && (parent->InheritsFrom(TTeThemeGroupBox::StaticClass()) ||
                              parent->InheritsFrom(TCustomFrame::StaticClass()))) {
      edit->FrameColor = clBtnShadow;
      edit->SetColor(clWindow);
      edit->Font().Color = clWindowText;
      edit->SetTransparent(false);
    } else {
      edit->Font().Color = clBlue;
    }
  }
}

void TServerDialog::Notification(TComponent& component, TOperation operation) {
  TFormWithHelp::Notification(component, operation);
  if (operation == TOperation::opRemove) {
    if (&component == ThemeEngine) ThemeEngine = nullptr;
    if (&component == ThemeForm) ThemeForm = nullptr;
    return;
  }
  if (!Loading())
    if (auto* control = dynamic_cast<TControl*>(&component)) ApplyDialogStyle(*control);
}

void TServerDialog::ControlChange(TControl& control, bool inserting) {
  TFormWithHelp::ControlChange(control, inserting);
  if (inserting) ApplyDialogStyle(control);
}

void TServerDialog::ShowingChanged() {
  if (Visible() && Position() != TPosition::poDesigned) {
    SetShowingMark(true);
    try {
      DoShow();
    } catch (...) {
      Application().HandleException(std::current_exception());
    }
    SetShowingMark(false);
    CurrentBackend().ShowWindow(Handle(), ShowCommandFor(WindowState()));
    return;
  }
  TFormWithHelp::ShowingChanged();
}

}  // namespace qv
