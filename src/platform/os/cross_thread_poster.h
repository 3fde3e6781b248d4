// Posts to the main window from threads that may not touch the program: the sound device's
// callback and the SIGTERM handler. A post only bumps an atomic counter of its message and
// writes to an eventfd, so it never blocks, never allocates and is async-signal-safe. The
// user-interface thread watches WakeFd() and drains the counters into the message queue.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <initializer_list>

#include "platform/ui/form.h"
#include "platform/ui/message.h"

namespace os {

class CrossThreadPoster : public ui::MessagePoster {
 public:
  static constexpr std::size_t kMaxMessages = 4;

  // `messages` are the ones this poster carries, in the order a drain hands them on; at most
  // kMaxMessages. Throws std::system_error when the eventfd cannot be made.
  CrossThreadPoster(ui::MessageQueue& queue, std::initializer_list<unsigned> messages);
  ~CrossThreadPoster() override;
  CrossThreadPoster(const CrossThreadPoster&) = delete;
  CrossThreadPoster& operator=(const CrossThreadPoster&) = delete;

  // Any thread, signal handlers included. A message the poster does not carry is dropped.
  void Post(unsigned msg) override;

  // User-interface thread only. Posts wait in their counters while there is no target.
  void SetTarget(ui::Form* target) { target_ = target; }
  // Readable while posts wait to be drained.
  int WakeFd() const { return fd_; }
  // Moves every waiting post into the queue, as one message per post.
  void Drain();

 private:
  struct Slot {
    unsigned msg = 0;
    std::atomic<std::uint32_t> pending{0};
  };
  static_assert(std::atomic<std::uint32_t>::is_always_lock_free);

  ui::MessageQueue& queue_;
  ui::Form* target_ = nullptr;
  std::array<Slot, kMaxMessages> slots_;
  std::size_t slotCount_ = 0;
  int fd_ = -1;
};

}  // namespace os
