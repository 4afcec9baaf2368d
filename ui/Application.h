#pragma once
// The module's application object: its hidden window and its idle processing.
#include <functional>

#include "ui/MessageQueue.h"

namespace qv::ui {

class TApplication {
 public:
  // The hidden window that receives the module's own messages.
  WindowHandle Handle() const { return const_cast<TApplication*>(this); }
  // Called with `done` preset to true; a handler that has more idle work sets it to false.
  std::function<void(bool& done)> OnIdle;
  // Idle processing: hint handling, the idle event and the updating of actions; then, when the
  // idle event reports nothing left to do, waits for the next message.
  void Idle();
  int IdleCount() const { return idleCount_; }

 private:
  int idleCount_ = 0;
};

TApplication& Application();

}  // namespace qv::ui
