#pragma once
// The calling thread's window message queue.
#include <cstdint>

namespace qv::ui {

using WindowHandle = void*;

constexpr uint32_t WM_USER = 0x0400;

struct Message {
  WindowHandle Window = nullptr;
  uint32_t Id = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
};

// True when a message is waiting in the calling thread's queue (any window, any number); the
// message stays queued. Fills `peeked` when given.
bool PeekMessage(Message* peeked = nullptr);
// Appends a message to the calling thread's queue (the queue of the window's thread).
bool PostMessage(WindowHandle window, uint32_t id, uintptr_t wParam, intptr_t lParam);
// Removes and returns the oldest message; false when the queue is empty.
bool TakeMessage(Message& message);
// Waits until a message is queued. The headless back end has no source of messages besides
// PostMessage, so with an empty queue it returns at once instead of waiting forever.
void WaitMessage();
// Number of messages queued for the calling thread (headless back end; tests use it).
int QueuedMessageCount();

}  // namespace qv::ui
