#include "ui/Application.h"

namespace qv::ui {

void TApplication::Idle() {
  ++idleCount_;
  bool done = true;
  if (OnIdle) OnIdle(done);
  if (done) WaitMessage();
}

TApplication& Application() {
  static TApplication application;
  return application;
}

}  // namespace qv::ui
