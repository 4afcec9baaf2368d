#include "ui/Controls.h"

#include <algorithm>

#include "ui/Forms.h"

namespace qv::ui {

const TClass& TControl::StaticClass() {
  static const TClass c("TControl", &TComponent::StaticClass());
  return c;
}

const TClass& TWinControl::StaticClass() {
  static const TClass c("TWinControl", &TControl::StaticClass());
  return c;
}

TControl::~TControl() {
  if (parent_ != nullptr) parent_->RemoveControl(*this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_ != nullptr) parent_->RemoveControl(*this);
  if (parent != nullptr) parent->InsertControl(*this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  TRect r{left, top, left + width, top + height};
  if (r == bounds_) return;
  bounds_ = r;
  BoundsChanged();
}

void TControl::Click() {
  if (OnClick) OnClick(*this);
}

TWinControl::~TWinControl() {
  // Children outlive their parent only when another component owns them; they lose their parent.
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  DestroyHandle();
}

HookPoint<void(TWinControl&, TControl&)>& InsertControlHook() {
  static HookPoint<void(TWinControl&, TControl&)> point(&TWinControl::DefaultInsertControl);
  return point;
}

void TWinControl::InsertControl(TControl& control) {
  InsertControlHook()(*this, control);
}

void TWinControl::DefaultInsertControl(TWinControl& parent, TControl& control) {
  if (control.parent_ == &parent) return;
  if (control.parent_ != nullptr) control.parent_->RemoveControl(control);
  parent.controls_.push_back(&control);
  control.parent_ = &parent;
  parent.ControlChange(control, true);
}

void TWinControl::RemoveControl(TControl& control) {
  auto it = std::find(controls_.begin(), controls_.end(), &control);
  if (it == controls_.end()) return;
  ControlChange(control, false);
  controls_.erase(std::find(controls_.begin(), controls_.end(), &control));
  control.parent_ = nullptr;
}

void TWinControl::ControlChange(TControl&, bool) {}

void TWinControl::CreateParamsFor(CreateParams& params) {
  params.Caption = Caption();
  params.Bounds = bounds_;
  params.Child = Parent() != nullptr;
  params.Parent = Parent() != nullptr ? Parent()->Handle() : nullptr;
}

WindowHandle TWinControl::Handle() {
  if (handle_ == nullptr) {
    CreateParams params;
    CreateParamsFor(params);
    handle_ = CurrentBackend().NewWindow(this, params);
  }
  return handle_;
}

void TWinControl::DestroyHandle() {
  if (handle_ == nullptr) return;
  WindowHandle h = handle_;
  handle_ = nullptr;
  CurrentBackend().DestroyWindow(h);
}

void TWinControl::RecreateWnd() {
  if (handle_ == nullptr) return;
  DestroyHandle();
  ++recreateCount_;
  Handle();
}

void TWinControl::WindowMoved(const TRect& bounds) {
  bounds_ = bounds;
}

void TWinControl::BoundsChanged() {
  if (handle_ != nullptr) CurrentBackend().SetWindowPos(handle_, bounds_);
}

TCustomForm* GetParentForm(TControl& control) {
  TControl* c = &control;
  while (c->Parent() != nullptr) c = c->Parent();
  return dynamic_cast<TCustomForm*>(c);
}

TWinControl* FindControl(WindowHandle window) {
  return window != nullptr ? CurrentBackend().FindControl(window) : nullptr;
}

}  // namespace qv::ui
