#include "ui/Application.h"

#include <cstdio>

#include "platform/HelpEngine.h"

namespace qv::ui {

void TApplication::Idle() {
  ++idleCount_;
  bool done = true;
  if (OnIdle) OnIdle(done);
  if (done) WaitMessage();
}

void TApplication::HelpContext(int context, const std::string& helpFile) {
  const std::string& file = helpFile.empty() ? HelpFile : helpFile;
  if (file.empty()) return;
  platform::RunHelpCommand(Handle(), file, platform::HelpCommand::Context,
                           static_cast<uintptr_t>(context));
}

void TApplication::HandleException(const std::exception_ptr& error) noexcept {
  try {
    if (OnException) {
      OnException(error);
      return;
    }
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Quorvel: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "Quorvel: unknown error\n");
  }
}

TApplication& Application() {
  static TApplication application;
  return application;
}

}  // namespace qv::ui
