#pragma once
// Controls: components with a place on a parent, and windowed controls that hold child controls.
#include <functional>
#include <string>
#include <vector>

#include "ui/Backend.h"
#include "ui/Classes.h"
#include "ui/Graphics.h"
#include "ui/HookPoint.h"
#include "ui/Types.h"

namespace qv::ui {

class TWinControl;
class TCustomForm;

class TControl : public TComponent {
 public:
  TControl() = default;
  ~TControl() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  TWinControl* Parent() const { return parent_; }
  // Moves the control to a new parent (none: takes it off its parent).
  void SetParent(TWinControl* parent);

  int Left() const { return bounds_.Left; }
  int Top() const { return bounds_.Top; }
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  TRect BoundsRect() const { return bounds_; }
  void SetBounds(int left, int top, int width, int height);
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible) { visible_ = visible; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  const std::string& Caption() const { return caption_; }
  virtual void SetCaption(std::string caption) { caption_ = std::move(caption); }

  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  TColor Color() const { return color_; }
  void SetColor(TColor c) { color_ = c; }

  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int context) { helpContext_ = context; }

  // The user clicked the control.
  std::function<void(TControl&)> OnClick;
  virtual void Click();

 protected:
  // The bounds changed; windowed controls move their window.
  virtual void BoundsChanged() {}
  void SetVisibleFlag(bool visible) { visible_ = visible; }
  TRect bounds_;

 private:
  friend class TWinControl;
  TWinControl* parent_ = nullptr;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  TFont font_;
  TColor color_ = clBtnFace;
  int helpContext_ = 0;
};

class TWinControl : public TControl {
 public:
  TWinControl() = default;
  ~TWinControl() override;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  // The child controls in the order they were inserted. Not owned: a control's owner frees it.
  const std::vector<TControl*>& Controls() const { return controls_; }
  int ControlCount() const { return static_cast<int>(controls_.size()); }

  // Makes `control` a child of this one. Runs through InsertControlHook.
  void InsertControl(TControl& control);
  void RemoveControl(TControl& control);

  WindowHandle Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void DestroyHandle();
  // Destroys the window and creates it again with fresh parameters, when it exists.
  void RecreateWnd();
  int RecreateCount() const { return recreateCount_; }

  // The back end moved or sized the window; the control follows.
  void WindowMoved(const TRect& bounds);

  // The layer's own insert-control operation: adds the control to the children and sends the
  // control-change notification. The hook point runs it unless a replacement is installed.
  static void DefaultInsertControl(TWinControl& parent, TControl& control);

 protected:
  virtual void CreateParamsFor(CreateParams& params);
  // A control is being inserted among (or removed from) the direct children.
  virtual void ControlChange(TControl& control, bool inserting);
  void BoundsChanged() override;

 private:
  std::vector<TControl*> controls_;
  WindowHandle handle_ = nullptr;
  int recreateCount_ = 0;
};

// Insert-control operation of windowed controls.
using InsertControlFn = void (*)(TWinControl& parent, TControl& control);
HookPoint<void(TWinControl&, TControl&)>& InsertControlHook();

// The form that holds a control (the control itself when it is a form); none when it lies on none.
TCustomForm* GetParentForm(TControl& control);
// The windowed control of the layer that a window belongs to; none for foreign windows.
TWinControl* FindControl(WindowHandle window);

}  // namespace qv::ui
