#include "desktop/message_pump.h"

namespace desktop {

MessagePump::MessagePump(ui::MessageQueue& queue, os::CrossThreadPoster& poster)
    : queue_(queue), poster_(poster), notifier_(poster.WakeFd(), QSocketNotifier::Read) {
  queue_.OnPosted = [this] { Schedule(); };
  connect(&notifier_, &QSocketNotifier::activated, this, [this] { poster_.Drain(); });
  if (!queue_.Empty()) Schedule();
}

MessagePump::~MessagePump() {
  queue_.OnPosted = nullptr;
}

void MessagePump::Schedule() {
  if (scheduled_) return;
  scheduled_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        // Cleared first: a handler that opens a modal box runs a nested loop, and messages
        // posted meanwhile are dispatched there, as a modal loop does on the original system.
        scheduled_ = false;
        queue_.DispatchAll();
      },
      Qt::QueuedConnection);
}

}  // namespace desktop
