// Window messages and the user-interface thread's message queue.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>

namespace ui {

constexpr unsigned WM_CLOSE = 16;
constexpr unsigned WM_QUERYENDSESSION = 17;
constexpr unsigned WM_SYSCOMMAND = 274;
constexpr unsigned MM_WOM_DONE = 957;

class Form;

struct Message {
  Form* target = nullptr;
  unsigned msg = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

// Posts a message to one window from any thread without blocking or allocating: the sound
// device's completions and the session-end signal come this way.
class MessagePoster {
 public:
  virtual ~MessagePoster() = default;
  virtual void Post(unsigned msg) = 0;
};

// Posted messages wait here until the user-interface thread dispatches them, in order. Used on
// the user-interface thread only; other threads go through a CrossThreadPoster.
class MessageQueue {
 public:
  void Post(const Message& m);
  bool Empty() const { return queue_.empty(); }
  std::size_t Size() const { return queue_.size(); }
  // Hands every waiting message, and those posted meanwhile, to its target's WndProc.
  void DispatchAll();
  // Tells the front-end that a message waits (it wakes its event loop).
  std::function<void()> OnPosted;

 private:
  std::deque<Message> queue_;
};

// Posts into a queue on the same thread: for the simulated device and the program's own posts.
class QueuePoster : public MessagePoster {
 public:
  explicit QueuePoster(MessageQueue& queue, Form* target = nullptr)
      : queue_(queue), target_(target) {}
  void SetTarget(Form* target) { target_ = target; }
  void Post(unsigned msg) override { queue_.Post({target_, msg, 0, 0}); }

 private:
  MessageQueue& queue_;
  Form* target_;
};

}  // namespace ui
