#pragma once
// A point where the form layer lets a module put its own behaviour in place of one of the layer's
// operations, instead of writing jumps into the code. The layer always calls through the hook
// point; a replacement that wants the layer's behaviour too calls what it replaced (see
// PatchRecord in services/Rt_forms.h for the module's side).

namespace qv::ui {

template <class Signature>
class HookPoint;

template <class R, class... Args>
class HookPoint<R(Args...)> {
 public:
  using Function = R (*)(Args...);

  explicit constexpr HookPoint(Function original) : original_(original), current_(original) {}
  HookPoint(const HookPoint&) = delete;
  HookPoint& operator=(const HookPoint&) = delete;

  // Runs whatever is in place: the layer's own operation or a replacement.
  R operator()(Args... args) const { return current_(args...); }

  Function Current() const { return current_; }
  Function Original() const { return original_; }
  // Puts `function` in place and answers what was in place before.
  Function Exchange(Function function) {
    Function previous = current_;
    current_ = function != nullptr ? function : original_;
    return previous;
  }

 private:
  Function original_;
  Function current_;
};

}  // namespace qv::ui
