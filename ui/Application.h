#pragma once
// The module's application object: its hidden window, its title, help and error handling, and its
// idle processing.
#include <exception>
#include <functional>
#include <string>

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

  // The title that new forms take as caption.
  std::string Title = "Quorvel";
  // The help file used when a form names none.
  std::string HelpFile;
  // Opens help topic `context` of `helpFile` (the application's help file when empty).
  void HelpContext(int context, const std::string& helpFile = {});

  // Handles an error that nothing else caught: runs OnException when set, otherwise reports the
  // error on the standard error stream. Never raises.
  std::function<void(const std::exception_ptr&)> OnException;
  void HandleException(const std::exception_ptr& error) noexcept;

 private:
  int idleCount_ = 0;
};

TApplication& Application();

}  // namespace qv::ui
