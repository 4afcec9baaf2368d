#include <deque>

#include "ui/MessageQueue.h"

namespace qv::ui {

namespace {
std::deque<Message>& Queue() {
  thread_local std::deque<Message> queue;
  return queue;
}
}  // namespace

bool PeekMessage(Message* peeked) {
  auto& q = Queue();
  if (q.empty()) return false;
  if (peeked != nullptr) *peeked = q.front();
  return true;
}

bool PostMessage(WindowHandle window, uint32_t id, uintptr_t wParam, intptr_t lParam) {
  Queue().push_back(Message{window, id, wParam, lParam});
  return true;
}

bool TakeMessage(Message& message) {
  auto& q = Queue();
  if (q.empty()) return false;
  message = q.front();
  q.pop_front();
  return true;
}

void WaitMessage() {}

int QueuedMessageCount() {
  return static_cast<int>(Queue().size());
}

}  // namespace qv::ui
