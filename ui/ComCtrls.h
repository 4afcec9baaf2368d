#pragma once
// Page controls and their tab sheets.
#include "ui/Controls.h"

namespace qv::ui {

class TTabSheet : public TWinControl {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

// Holds tab sheets as child controls and shows one of them.
class TPageControl : public TWinControl {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
  TTabSheet* ActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet* page) { activePage_ = page; }

 protected:
  void ControlChange(TControl& control, bool inserting) override;

 private:
  TTabSheet* activePage_ = nullptr;
};

}  // namespace qv::ui
