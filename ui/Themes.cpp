#include "ui/Themes.h"

namespace qv::ui {

TColor TTeThemeLuna::Color(int index) const {
  switch (index) {
    case 11:
      return MakeColor(239, 235, 222);  // the face of dialogs and frames
    default:
      return MakeColor(255, 255, 255);
  }
}

TColor TTeThemeXP::Color(int index) const {
  switch (index) {
    case 11:
      return clBtnFace;  // the native look draws faces in the system's colour
    default:
      return clWindow;
  }
}

FrameColors TTeThemeLuna::Frame() const {
  return {MakeColor(0, 61, 178), MakeColor(0, 84, 227), MakeColor(255, 255, 255)};
}

FrameColors TTeThemeXP::Frame() const {
  return SystemFrameColors();
}

FrameColors SystemFrameColors() {
  return {SystemColor(colorActiveBorder), SystemColor(colorActiveCaption),
          SystemColor(colorCaptionText)};
}

const TClass& TTeThemeEngine::StaticClass() {
  static const TClass c("TTeThemeEngine", &TComponent::StaticClass());
  return c;
}
void TTeThemeEngine::Loaded() {
  TComponent::Loaded();
  ++loadedCount_;
}

const TClass& TTeThemeForm::StaticClass() {
  static const TClass c("TTeThemeForm", &TComponent::StaticClass());
  return c;
}

TTeThemeForm::TTeThemeForm() {
  PublishProperty(
      "ThemeEngine", [this] { return static_cast<TComponent*>(ThemeEngine); },
      [this](TComponent* v) { ThemeEngine = dynamic_cast<TTeThemeEngine*>(v); });
}

void TTeThemeForm::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  if (auto* form = dynamic_cast<TCustomForm*>(Owner()))
    form->SetFrameOverride(active ? std::optional<FrameMargins>(ThemedFrame) : std::nullopt);
}

void TTeThemeForm::Loaded() {
  TComponent::Loaded();
  ++loadedCount_;
}

void TTeThemeForm::Notification(TComponent& component, TOperation operation) {
  if (operation == TOperation::opRemove && &component == ThemeEngine) ThemeEngine = nullptr;
}

const TClass& TTeThemeCheckBox::StaticClass() {
  static const TClass c("TTeThemeCheckBox", &TCheckBox::StaticClass());
  return c;
}
TTeThemeCheckBox::TTeThemeCheckBox() {
  PublishProperty(
      "ThemeEngine", [this] { return static_cast<TComponent*>(ThemeEngine); },
      [this](TComponent* v) { ThemeEngine = dynamic_cast<TTeThemeEngine*>(v); });
}

const TClass& TTeThemeGroupBox::StaticClass() {
  static const TClass c("TTeThemeGroupBox", &TGroupBox::StaticClass());
  return c;
}
TTeThemeGroupBox::TTeThemeGroupBox() {
  PublishProperty(
      "ThemeEngine", [this] { return static_cast<TComponent*>(ThemeEngine); },
      [this](TComponent* v) { ThemeEngine = dynamic_cast<TTeThemeEngine*>(v); });
}

const TClass& TKsCustomTabSheet::StaticClass() {
  static const TClass c("TKsCustomTabSheet", &TWinControl::StaticClass());
  return c;
}

const TClass& TKsCustomTabControl::StaticClass() {
  static const TClass c("TKsCustomTabControl", &TWinControl::StaticClass());
  return c;
}
TKsCustomTabControl::TKsCustomTabControl() {
  PublishProperty(
      "ThemeEngine", [this] { return static_cast<TComponent*>(ThemeEngine); },
      [this](TComponent* v) { ThemeEngine = dynamic_cast<TTeThemeEngine*>(v); });
}
void TKsCustomTabControl::ControlChange(TControl& control, bool inserting) {
  auto* page = dynamic_cast<TKsCustomTabSheet*>(&control);
  if (page == nullptr) return;
  if (inserting && activePage_ == nullptr) activePage_ = page;
  if (!inserting && activePage_ == page) activePage_ = nullptr;
}

const TClass& TCustomXPEdit::StaticClass() {
  static const TClass c("TCustomXPEdit", &TWinControl::StaticClass());
  return c;
}
TCustomXPEdit::TCustomXPEdit() {
  PublishProperty(
      "ThemeEngine", [this] { return static_cast<TComponent*>(ThemeEngine); },
      [this](TComponent* v) { ThemeEngine = dynamic_cast<TTeThemeEngine*>(v); });
}
void TCustomXPEdit::SetTransparent(bool on) {
  if (on == transparent_) return;
  transparent_ = on;
  RecreateWnd();
}

}  // namespace qv::ui
