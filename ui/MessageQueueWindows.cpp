// The calling thread's message queue on Windows: the system's own queue, reached through
// PeekMessageA and PostMessageA. The application object's handle stands for a hidden message-only
// window, created on first use by the thread that owns the application.
#include "platform/Module.h"
#include "ui/Application.h"
#include "ui/MessageQueue.h"

// After the ui headers: <windows.h> defines WM_USER, PeekMessage and PostMessage as macros.
#include <windows.h>

#include <vector>

#undef PeekMessage
#undef PostMessage

namespace qv::ui {

namespace {

constexpr const char* kWindowClass = "QuorvelApplicationWindow";

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// The hidden window that stands for the application object, with its window class registered
// under this module's instance (each module that carries this code has its own). Both go when the
// module is unloaded, so that no message reaches a window procedure that is no longer there.
class HiddenWindow {
 public:
  // The class and its window procedure belong to the module that holds this code.
  HiddenWindow() : instance_(static_cast<HINSTANCE>(platform::ThisModule())) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ApplicationWindowProc;
    windowClass.hInstance = instance_;
    windowClass.lpszClassName = kWindowClass;
    registered_ = RegisterClassExA(&windowClass) != 0;
    window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_,
                              nullptr);
  }
  ~HiddenWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
    if (registered_) UnregisterClassA(kWindowClass, instance_);
  }
  HiddenWindow(const HiddenWindow&) = delete;
  HiddenWindow& operator=(const HiddenWindow&) = delete;
  HWND Handle() const { return window_; }

 private:
  HINSTANCE instance_;
  bool registered_ = false;
  HWND window_ = nullptr;
};

// None when the system refuses a window.
HWND ApplicationWindow() {
  static const HiddenWindow window;
  return window.Handle();
}

HWND ToSystemWindow(WindowHandle window) {
  if (window == Application().Handle()) return ApplicationWindow();
  return static_cast<HWND>(window);
}

WindowHandle FromSystemWindow(HWND window) {
  if (window != nullptr && window == ApplicationWindow()) return Application().Handle();
  return window;
}

Message FromSystemMessage(const MSG& message) {
  return Message{FromSystemWindow(message.hwnd), message.message,
                 static_cast<uintptr_t>(message.wParam), static_cast<intptr_t>(message.lParam)};
}

}  // namespace

bool PeekMessage(Message* peeked) {
  MSG message{};
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) return false;
  if (peeked != nullptr) *peeked = FromSystemMessage(message);
  return true;
}

bool PostMessage(WindowHandle window, uint32_t id, uintptr_t wParam, intptr_t lParam) {
  return PostMessageA(ToSystemWindow(window), id, static_cast<WPARAM>(wParam),
                      static_cast<LPARAM>(lParam)) != FALSE;
}

bool TakeMessage(Message& message) {
  MSG taken{};
  if (!PeekMessageA(&taken, nullptr, 0, 0, PM_REMOVE)) return false;
  message = FromSystemMessage(taken);
  return true;
}

void WaitMessage() {
  ::WaitMessage();
}

int QueuedMessageCount() {
  // The system keeps no count: take the posted messages out and put them back in their order.
  std::vector<MSG> posted;
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE))
    posted.push_back(message);
  for (const MSG& m : posted) {
    if (m.hwnd != nullptr)
      PostMessageA(m.hwnd, m.message, m.wParam, m.lParam);
    else
      PostThreadMessageA(GetCurrentThreadId(), m.message, m.wParam, m.lParam);
  }
  return static_cast<int>(posted.size());
}

}  // namespace qv::ui
