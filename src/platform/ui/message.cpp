#include "platform/ui/message.h"

#include "platform/ui/form.h"

namespace ui {

void MessageQueue::Post(const Message& m) {
  queue_.push_back(m);
  if (OnPosted) OnPosted();
}

void MessageQueue::DispatchAll() {
  while (!queue_.empty()) {
    const Message m = queue_.front();
    queue_.pop_front();
    if (m.target != nullptr) m.target->WndProc(m);
  }
}

}  // namespace ui
