// Runs the control model's message queue inside the Qt event loop. A post to the queue wakes
// the loop with a queued call that dispatches everything waiting; posts from other threads and
// from the SIGTERM handler wake it through the cross-thread poster's eventfd.
#pragma once

#include <QObject>
#include <QSocketNotifier>

#include "platform/os/cross_thread_poster.h"
#include "platform/ui/message.h"

namespace desktop {

class MessagePump : public QObject {
  Q_OBJECT
 public:
  MessagePump(ui::MessageQueue& queue, os::CrossThreadPoster& poster);
  ~MessagePump() override;
  MessagePump(const MessagePump&) = delete;
  MessagePump& operator=(const MessagePump&) = delete;

 private:
  void Schedule();
  ui::MessageQueue& queue_;
  os::CrossThreadPoster& poster_;
  QSocketNotifier notifier_;
  bool scheduled_ = false;
};

}  // namespace desktop
