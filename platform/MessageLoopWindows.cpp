#include <windows.h>

#include "platform/MessageLoop.h"

namespace qv::platform {

void PostWakeUpMessage() {
  PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void DispatchWaitingMessages() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace qv::platform
