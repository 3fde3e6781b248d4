#include "platform/os/cross_thread_poster.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace os {

CrossThreadPoster::CrossThreadPoster(ui::MessageQueue& queue,
                                     std::initializer_list<unsigned> messages)
    : queue_(queue) {
  if (messages.size() > kMaxMessages) throw std::invalid_argument("too many cross-thread messages");
  for (unsigned msg : messages) slots_[slotCount_++].msg = msg;
  fd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
}

CrossThreadPoster::~CrossThreadPoster() {
  ::close(fd_);
}

void CrossThreadPoster::Post(unsigned msg) {
  for (std::size_t i = 0; i < slotCount_; ++i) {
    if (slots_[i].msg != msg) continue;
    // The count goes up before the wake-up is written: a drain that reads the wake-up then
    // sees the count, and a count it misses comes with a wake-up that is still unread.
    slots_[i].pending.fetch_add(1, std::memory_order_release);
    const int savedErrno = errno;  // a signal handler must leave errno as it found it
    const std::uint64_t one = 1;
    // Only a counter overflow can fail here, and then a wake-up is waiting anyway.
    [[maybe_unused]] const ssize_t written = ::write(fd_, &one, sizeof one);
    errno = savedErrno;
    return;
  }
}

void CrossThreadPoster::Drain() {
  if (target_ == nullptr) return;
  std::uint64_t wakeUps = 0;
  [[maybe_unused]] const ssize_t read = ::read(fd_, &wakeUps, sizeof wakeUps);
  for (std::size_t i = 0; i < slotCount_; ++i) {
    std::uint32_t n = slots_[i].pending.exchange(0, std::memory_order_acquire);
    for (; n > 0; --n) queue_.Post({target_, slots_[i].msg, 0, 0});
  }
}

}  // namespace os
