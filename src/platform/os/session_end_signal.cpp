#include "platform/os/session_end_signal.h"

#include <signal.h>

#include <atomic>

namespace os {
namespace {

std::atomic<ui::MessagePoster*> g_poster{nullptr};
static_assert(std::atomic<ui::MessagePoster*>::is_always_lock_free);

extern "C" void OnSessionEndSignal(int) {
  if (ui::MessagePoster* poster = g_poster.load(std::memory_order_acquire)) {
    poster->Post(ui::WM_QUERYENDSESSION);
  }
}

}  // namespace

void InstallSessionEndSignal(ui::MessagePoster& poster) {
  g_poster.store(&poster, std::memory_order_release);
  struct sigaction action {};
  action.sa_handler = OnSessionEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
}

void RemoveSessionEndSignal() {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  g_poster.store(nullptr, std::memory_order_release);
}

}  // namespace os
