#pragma once
// Standard controls: labels, buttons, images, panels, check boxes, group boxes and edits.
#include <string>
#include <string_view>

#include "ui/Controls.h"

namespace qv::ui {

// A caption as shown: "&&" shows one ampersand, a single "&" marks the next letter as the
// accelerator and is not shown.
std::string StripAccelerators(std::string_view caption);

class TLabel : public TControl {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool on) { wordWrap_ = on; }
  // The text as shown (see StripAccelerators).
  std::string DisplayText() const { return StripAccelerators(Caption()); }

 private:
  bool wordWrap_ = false;
};

class TButton : public TWinControl {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int r) { modalResult_ = r; }
  // The button that Enter triggers.
  bool Default() const { return default_; }
  void SetDefault(bool on) { default_ = on; }
  // The button that Escape triggers.
  bool Cancel() const { return cancel_; }
  void SetCancel(bool on) { cancel_ = on; }
  // Runs the click event, then ends the form's modal run with the button's modal result.
  void Click() override;

 private:
  int modalResult_ = 0;
  bool default_ = false;
  bool cancel_ = false;
};

// Standard system icons.
constexpr int idiHand = 32513;
constexpr int idiQuestion = 32514;
constexpr int idiExclamation = 32515;
constexpr int idiAsterisk = 32516;

class TImage : public TControl {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  // The system icon shown (0: none).
  int Icon() const { return icon_; }
  void SetIcon(int systemIcon) { icon_ = systemIcon; }

 private:
  int icon_ = 0;
};

class TPanel : public TWinControl {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

class TCheckBox : public TWinControl {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  bool Checked() const { return checked_; }
  void SetChecked(bool on) { checked_ = on; }

 private:
  bool checked_ = false;
};

class TGroupBox : public TWinControl {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

class TEdit : public TWinControl {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  const std::string& Text() const { return Caption(); }
  void SetText(std::string text) { SetCaption(std::move(text)); }
};

}  // namespace qv::ui
