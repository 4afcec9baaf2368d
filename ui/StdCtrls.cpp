#include "ui/StdCtrls.h"

#include "ui/ComCtrls.h"
#include "ui/Forms.h"

namespace qv::ui {

const TClass& TLabel::StaticClass() {
  static const TClass c("TLabel", &TControl::StaticClass());
  return c;
}
const TClass& TButton::StaticClass() {
  static const TClass c("TButton", &TWinControl::StaticClass());
  return c;
}
const TClass& TImage::StaticClass() {
  static const TClass c("TImage", &TControl::StaticClass());
  return c;
}
const TClass& TPanel::StaticClass() {
  static const TClass c("TPanel", &TWinControl::StaticClass());
  return c;
}
const TClass& TCheckBox::StaticClass() {
  static const TClass c("TCheckBox", &TWinControl::StaticClass());
  return c;
}
const TClass& TGroupBox::StaticClass() {
  static const TClass c("TGroupBox", &TWinControl::StaticClass());
  return c;
}
const TClass& TEdit::StaticClass() {
  static const TClass c("TEdit", &TWinControl::StaticClass());
  return c;
}
const TClass& TTabSheet::StaticClass() {
  static const TClass c("TTabSheet", &TWinControl::StaticClass());
  return c;
}
const TClass& TPageControl::StaticClass() {
  static const TClass c("TPageControl", &TWinControl::StaticClass());
  return c;
}

std::string StripAccelerators(std::string_view text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') {
        shown += '&';
        ++i;
      }
      continue;
    }
    shown += text[i];
  }
  return shown;
}

void TButton::Click() {
  TControl::Click();
  if (modalResult_ != 0)
    if (TCustomForm* form = GetParentForm(*this)) form->SetModalResult(modalResult_);
}

void TPageControl::ControlChange(TControl& control, bool inserting) {
  auto* page = dynamic_cast<TTabSheet*>(&control);
  if (page == nullptr) return;
  if (inserting && activePage_ == nullptr) activePage_ = page;
  if (!inserting && activePage_ == page) activePage_ = nullptr;
}

}  // namespace qv::ui
