// The buffers a real-time device plays, passed from the user-interface thread to the device's own
// thread without a lock: a fixed ring of header pointers with one producer (Push, on the
// user-interface thread) and one consumer (Render, on the device thread). Render never blocks,
// never allocates and makes no system call of its own.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "platform/audio/wave_out.h"

namespace audio {

class BufferQueue {
 public:
  static constexpr std::size_t kCapacity = 16;  // a power of two

  // Before the device thread starts: the bytes of one frame, and where completions are posted.
  void Configure(std::uint32_t frameBytes, ui::MessagePoster* completions);

  // User-interface thread: marks the header queued and hands it to the device thread. False when
  // the ring is full; the header is then left as it was.
  bool Push(WaveHdr* header);

  // Device thread: fills `frames` frames of `out` from the queued buffers, back to back in the
  // order pushed. A buffer played to its end is marked done, and then its completion is posted;
  // the queue never touches it again. With nothing queued the rest is silence, counted as an
  // underrun.
  void Render(void* out, std::uint32_t frames);

  // User-interface thread, while Render cannot run: returns every buffer not played to its end,
  // in the order pushed, marked done and with its completion posted.
  void ReturnAll();
  // User-interface thread, while Render cannot run: forgets every buffer without a completion.
  void Drop();

  // Buffers pushed and not yet done; any thread.
  std::size_t Pending() const { return pending_.load(std::memory_order_acquire); }
  // Render calls that had to play silence, and the silent frames they played.
  std::uint64_t UnderrunCount() const { return underruns_.load(std::memory_order_relaxed); }
  std::uint64_t UnderrunFrames() const { return underrunFrames_.load(std::memory_order_relaxed); }

 private:
  WaveHdr* Pop();
  void Finish(WaveHdr* header);

  std::array<WaveHdr*, kCapacity> ring_{};
  std::atomic<std::size_t> head_{0};  // next slot Render takes; written by the device thread
  std::atomic<std::size_t> tail_{0};  // next slot Push fills; written by the user-interface thread
  std::atomic<std::size_t> pending_{0};
  std::atomic<std::uint64_t> underruns_{0};
  std::atomic<std::uint64_t> underrunFrames_{0};
  static_assert(std::atomic<std::size_t>::is_always_lock_free);
  static_assert(std::atomic<std::uint64_t>::is_always_lock_free);

  // Owned by whichever thread may render: the buffer being played and how far.
  WaveHdr* current_ = nullptr;
  std::uint32_t offset_ = 0;
  std::uint32_t frameBytes_ = 0;
  ui::MessagePoster* completions_ = nullptr;
};

}  // namespace audio
