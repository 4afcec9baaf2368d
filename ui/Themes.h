#pragma once
// The themed-window components: theme engines with exchangeable themes, the themed frame of a
// form, themed check boxes, group boxes and tab controls, and the owner-drawn edit control. Only
// what the server dialogs set and read is modelled; drawing belongs to the back end.
#include <memory>
#include <set>

#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace qv::ui {

// The colours of a themed frame: its border, its caption bar and the caption's text and glyphs.
struct FrameColors {
  TColor Border = 0;
  TColor Caption = 0;
  TColor CaptionText = 0;
};

// A theme: the colours the themed controls draw with, by index, and those of its frames.
class TTeTheme {
 public:
  virtual ~TTeTheme() = default;
  virtual std::string_view Name() const = 0;
  virtual TColor Color(int index) const = 0;
  virtual FrameColors Frame() const = 0;
};

// The theme of the system's classic look in its blue variant.
class TTeThemeLuna final : public TTeTheme {
 public:
  std::string_view Name() const override { return "Luna"; }
  TColor Color(int index) const override;
  FrameColors Frame() const override;
};

// The theme that follows the system's native visual styles.
class TTeThemeXP final : public TTeTheme {
 public:
  std::string_view Name() const override { return "XP"; }
  TColor Color(int index) const override;
  FrameColors Frame() const override;
};

// The frame colours of a theme form without a theme: the system's.
FrameColors SystemFrameColors();

class TTeThemeEngine : public TComponent {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  int DeltaBrightness = 0;
  int DeltaHue = 0;
  bool UseNativeXPTheme = false;
  TTeTheme* Theme() const { return theme_.get(); }
  void SetTheme(std::unique_ptr<TTeTheme> theme) { theme_ = std::move(theme); }

  void Loaded() override;
  int LoadedCount() const { return loadedCount_; }

 private:
  std::unique_ptr<TTeTheme> theme_;
  int loadedCount_ = 0;
};

enum class TKsBorderIcon { kbiClose, kbiMinimize, kbiMaximize, kbiRollup, kbiTray, kbiHelp };
using TKsBorderIcons = std::set<TKsBorderIcon>;
enum class TKsBorderStyle { kbsNone, kbsStandard, kbsDialog, kbsToolWindow };
enum class TKsAnimation { kaNone, kaFade, kaSlide, kaRoll };
enum class TKsWindowState { kwsNormal, kwsMinimized, kwsMaximized, kwsRollup };

// Draws its owner form's frame and caption with the theme. While active, the themed frame takes
// the place of the system's: 4 pixels around and a caption of 26, with the border icons at its
// right end (the back end of real windows draws it and answers its hit tests).
class TTeThemeForm : public TComponent {
 public:
  TTeThemeForm();
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  static constexpr FrameMargins ThemedFrame{4, 30, 4, 4};

  bool Active() const { return active_; }
  void SetActive(bool active);
  bool Blend = false;
  int BlendValue = 255;
  TKsBorderIcons BorderIcons{TKsBorderIcon::kbiClose, TKsBorderIcon::kbiMinimize,
                             TKsBorderIcon::kbiMaximize};
  TKsBorderStyle BorderStyle = TKsBorderStyle::kbsStandard;
  bool DropShadow = true;
  int ShadowWidth = 8;
  bool Magnetic = false;
  int MagneticValue = 10;
  bool SimpleDrag = true;
  TKsAnimation ShowAnimation = TKsAnimation::kaFade;
  int ShowAnimationTime = 200;
  bool StayOnTop = false;
  bool SysMenuBlend = true;
  int SysMenuBlendValue = 255;
  bool SysMenuDropShadow = true;
  int SysMenuShadowWidth = 8;
  TKsAnimation SysMenuShowAnimation = TKsAnimation::kaFade;
  int SysMenuShowAnimationTime = 200;
  TKsWindowState WindowState = TKsWindowState::kwsNormal;
  TTeThemeEngine* ThemeEngine = nullptr;
  bool CanMove = true;
  bool CanResize = true;

  void Loaded() override;
  int LoadedCount() const { return loadedCount_; }

 protected:
  void Notification(TComponent& component, TOperation operation) override;

 private:
  bool active_ = false;
  int loadedCount_ = 0;
};

// Controls drawn with a theme engine: each has the published property "ThemeEngine".
class TTeThemeCheckBox : public TCheckBox {
 public:
  TTeThemeCheckBox();
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  TTeThemeEngine* ThemeEngine = nullptr;
};

class TTeThemeGroupBox : public TGroupBox {
 public:
  TTeThemeGroupBox();
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  TTeThemeEngine* ThemeEngine = nullptr;
};

class TKsCustomTabSheet : public TWinControl {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

// A themed tab control: its tab sheets are child controls, one of them active.
class TKsCustomTabControl : public TWinControl {
 public:
  TKsCustomTabControl();
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  TTeThemeEngine* ThemeEngine = nullptr;
  TKsCustomTabSheet* ActivePage() const { return activePage_; }
  void SetActivePage(TKsCustomTabSheet* page) { activePage_ = page; }

 protected:
  void ControlChange(TControl& control, bool inserting) override;

 private:
  TKsCustomTabSheet* activePage_ = nullptr;
};

// The owner-drawn edit control.
class TCustomXPEdit : public TWinControl {
 public:
  TCustomXPEdit();
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  TTeThemeEngine* ThemeEngine = nullptr;
  TColor FrameColor = clBtnShadow;
  bool Transparent() const { return transparent_; }
  // Changing it re-creates the window, which draws differently with and without it.
  void SetTransparent(bool on);

 private:
  bool transparent_ = true;
};

}  // namespace qv::ui
