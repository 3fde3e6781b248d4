#include "platform/audio/buffer_queue.h"

#include <algorithm>
#include <cstring>

namespace audio {

static_assert((BufferQueue::kCapacity & (BufferQueue::kCapacity - 1)) == 0);
constexpr std::size_t kMask = BufferQueue::kCapacity - 1;

void BufferQueue::Configure(std::uint32_t frameBytes, ui::MessagePoster* completions) {
  frameBytes_ = frameBytes;
  completions_ = completions;
}

bool BufferQueue::Push(WaveHdr* header) {
  const std::size_t tail = tail_.load(std::memory_order_relaxed);
  if (tail - head_.load(std::memory_order_acquire) == kCapacity) return false;
  auto flags = HeaderFlags(*header);
  flags.store((flags.load(std::memory_order_relaxed) & ~WHDR_DONE) | WHDR_INQUEUE,
              std::memory_order_relaxed);
  ring_[tail & kMask] = header;
  tail_.store(tail + 1, std::memory_order_release);
  // Counted once it can be taken: a thread that sees the count also finds the buffer.
  pending_.fetch_add(1, std::memory_order_release);
  return true;
}

WaveHdr* BufferQueue::Pop() {
  const std::size_t head = head_.load(std::memory_order_relaxed);
  if (head == tail_.load(std::memory_order_acquire)) return nullptr;
  WaveHdr* header = ring_[head & kMask];
  head_.store(head + 1, std::memory_order_release);
  return header;
}

void BufferQueue::Finish(WaveHdr* header) {
  auto flags = HeaderFlags(*header);
  flags.store((flags.load(std::memory_order_relaxed) & ~WHDR_INQUEUE) | WHDR_DONE,
              std::memory_order_release);
  pending_.fetch_sub(1, std::memory_order_release);
  if (completions_ != nullptr) completions_->Post(ui::MM_WOM_DONE);
}

void BufferQueue::Render(void* out, std::uint32_t frames) {
  auto* to = static_cast<char*>(out);
  std::size_t wanted = static_cast<std::size_t>(frames) * frameBytes_;
  while (wanted > 0) {
    if (current_ == nullptr) {
      current_ = Pop();
      offset_ = 0;
      if (current_ == nullptr) {
        std::memset(to, 0, wanted);
        underruns_.fetch_add(1, std::memory_order_relaxed);
        underrunFrames_.fetch_add(wanted / frameBytes_, std::memory_order_relaxed);
        return;
      }
    }
    // Only whole frames of a buffer are played; a trailing part frame is skipped.
    const std::uint32_t length = current_->dwBufferLength;
    const std::size_t whole = length / frameBytes_ * frameBytes_;
    const std::size_t take =
        std::min<std::size_t>(wanted, whole - std::min<std::size_t>(whole, offset_));
    std::memcpy(to, current_->lpData + offset_, take);
    to += take;
    wanted -= take;
    offset_ += static_cast<std::uint32_t>(take);
    if (offset_ >= whole) {
      WaveHdr* finished = current_;
      current_ = nullptr;
      Finish(finished);
    }
  }
}

void BufferQueue::ReturnAll() {
  if (current_ != nullptr) {
    WaveHdr* header = current_;
    current_ = nullptr;
    Finish(header);
  }
  while (WaveHdr* header = Pop()) Finish(header);
  offset_ = 0;
}

void BufferQueue::Drop() {
  current_ = nullptr;
  offset_ = 0;
  head_.store(tail_.load(std::memory_order_acquire), std::memory_order_release);
  pending_.store(0, std::memory_order_release);
}

}  // namespace audio
