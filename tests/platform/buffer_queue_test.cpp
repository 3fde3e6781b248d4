// The lock-free queue between the user-interface thread and a real device's thread, driven with a
// plain output buffer in place of the sound card.
#include "platform/audio/buffer_queue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using audio::BufferQueue;
using audio::WaveHdr;

// A buffer of `frames` frames whose samples count up from `first`.
struct Buffer {
  Buffer(std::uint32_t frames, std::uint32_t frameBytes, int first) {
    samples.resize(frames * frameBytes / 2);
    for (std::size_t k = 0; k < samples.size(); ++k) {
      samples[k] = static_cast<std::int16_t>(first + static_cast<int>(k));
    }
    header.lpData = reinterpret_cast<char*>(samples.data());
    header.dwBufferLength = static_cast<std::uint32_t>(samples.size() * 2);
    header.dwFlags = audio::WHDR_PREPARED;
  }
  bool Done() { return (audio::HeaderFlags(header).load() & audio::WHDR_DONE) != 0; }
  std::vector<std::int16_t> samples;
  WaveHdr header;
};

// Records, at each completion, which of the watched buffers are already marked done.
class DoneRecorder : public ui::MessagePoster {
 public:
  explicit DoneRecorder(std::vector<Buffer*> watched) : watched_(std::move(watched)) {}
  void Post(unsigned msg) override {
    EXPECT_EQ(msg, ui::MM_WOM_DONE);
    std::vector<bool> done;
    for (Buffer* b : watched_) done.push_back(b->Done());
    posts.push_back(done);
  }
  std::vector<std::vector<bool>> posts;

 private:
  std::vector<Buffer*> watched_;
};

std::vector<std::int16_t> Render(BufferQueue& q, std::uint32_t frames, std::uint32_t frameBytes) {
  std::vector<std::int16_t> out(frames * frameBytes / 2, 12345);  // junk that must be overwritten
  q.Render(out.data(), frames);
  return out;
}

void Append(std::vector<std::int16_t>& to, const std::vector<std::int16_t>& more) {
  to.insert(to.end(), more.begin(), more.end());
}

TEST(BufferQueue, PlaysBuffersBackToBackInTheOrderQueuedWhateverTheChunkSize) {
  struct Case {
    std::uint32_t frameBytes;
    std::uint32_t chunk;
  };
  for (const Case c : {Case{2, 3}, Case{4, 5}, Case{4, 1}, Case{2, 12}}) {
    SCOPED_TRACE(testing::Message() << c.frameBytes << " bytes a frame, chunks of " << c.chunk);
    Buffer a(5, c.frameBytes, 100);
    Buffer b(7, c.frameBytes, 200);
    DoneRecorder recorder({&a, &b});
    BufferQueue q;
    q.Configure(c.frameBytes, &recorder);
    ASSERT_TRUE(q.Push(&a.header));
    ASSERT_TRUE(q.Push(&b.header));
    EXPECT_EQ(q.Pending(), 2u);
    EXPECT_NE(a.header.dwFlags & audio::WHDR_INQUEUE, 0u);

    std::vector<std::int16_t> played;
    for (std::uint32_t frames = 0; frames < 12; frames += c.chunk) {
      Append(played, Render(q, c.chunk, c.frameBytes));
    }
    played.resize(12 * c.frameBytes / 2);  // the last chunk may run into silence

    std::vector<std::int16_t> expected = a.samples;
    Append(expected, b.samples);
    EXPECT_EQ(played, expected);
    EXPECT_EQ(recorder.posts, (std::vector<std::vector<bool>>{{true, false}, {true, true}}));
    EXPECT_EQ(a.header.dwFlags, audio::WHDR_PREPARED | audio::WHDR_DONE);
    EXPECT_EQ(b.header.dwFlags, audio::WHDR_PREPARED | audio::WHDR_DONE);
    EXPECT_EQ(q.Pending(), 0u);
    EXPECT_EQ(q.UnderrunCount(), 12 % c.chunk == 0 ? 0u : 1u);
  }
}

TEST(BufferQueue, PlaysSilenceAndCountsAnUnderrunWhenNothingIsQueued) {
  Buffer a(5, 2, 100);
  DoneRecorder recorder({&a});
  BufferQueue q;
  q.Configure(2, &recorder);
  EXPECT_EQ(Render(q, 10, 2), std::vector<std::int16_t>(10, 0));
  EXPECT_EQ(q.UnderrunCount(), 1u);
  EXPECT_EQ(q.UnderrunFrames(), 10u);

  q.Push(&a.header);
  std::vector<std::int16_t> expected = a.samples;
  expected.resize(8, 0);
  EXPECT_EQ(Render(q, 8, 2), expected);
  EXPECT_EQ(q.UnderrunCount(), 2u);
  EXPECT_EQ(q.UnderrunFrames(), 13u);
  EXPECT_EQ(recorder.posts.size(), 1u);
}

TEST(BufferQueue, ReturnAllGivesBackEveryQueuedBufferMarkedDoneInOrder) {
  Buffer a(5, 4, 100), b(5, 4, 200), c(5, 4, 300);
  DoneRecorder recorder({&a, &b, &c});
  BufferQueue q;
  q.Configure(4, &recorder);
  for (Buffer* x : {&a, &b, &c}) q.Push(&x->header);
  Render(q, 2, 4);  // a is half played

  q.ReturnAll();

  EXPECT_EQ(recorder.posts, (std::vector<std::vector<bool>>{
                                {true, false, false}, {true, true, false}, {true, true, true}}));
  for (Buffer* x : {&a, &b, &c}) EXPECT_EQ(x->header.dwFlags & audio::WHDR_INQUEUE, 0u);
  EXPECT_EQ(q.Pending(), 0u);
  EXPECT_EQ(Render(q, 3, 4), std::vector<std::int16_t>(6, 0)) << "a returned buffer played on";

  // A buffer queued again plays from its start.
  q.Push(&b.header);
  std::vector<std::int16_t> expected(b.samples.begin(), b.samples.begin() + 4);
  EXPECT_EQ(Render(q, 2, 4), expected);
}

TEST(BufferQueue, RefusesAPushWhenFullAndSkipsATrailingPartFrame) {
  std::vector<Buffer> buffers;
  for (std::size_t i = 0; i <= BufferQueue::kCapacity; ++i) buffers.emplace_back(2, 4, 0);
  BufferQueue q;
  q.Configure(4, nullptr);
  for (std::size_t i = 0; i < BufferQueue::kCapacity; ++i) EXPECT_TRUE(q.Push(&buffers[i].header));
  EXPECT_FALSE(q.Push(&buffers.back().header));
  EXPECT_EQ(buffers.back().header.dwFlags, audio::WHDR_PREPARED);
  q.Drop();
  EXPECT_EQ(q.Pending(), 0u);

  Buffer odd(3, 4, 100);
  odd.header.dwBufferLength = 9;  // two frames and one byte
  Buffer next(1, 4, 500);
  q.Push(&odd.header);
  q.Push(&next.header);
  EXPECT_EQ(Render(q, 3, 4), (std::vector<std::int16_t>{100, 101, 102, 103, 500, 501}));
}

// The user-interface thread re-queues each buffer when its completion arrives while the device
// thread renders: the output is the buffers in turn, sample for sample.
TEST(BufferQueue, LoopsAcrossThreadsWithoutLosingOrRepeatingASample) {
  constexpr std::uint32_t kFrames = 64;
  constexpr std::uint32_t kChunk = 37;
  constexpr int kRounds = 2000;
  Buffer a(kFrames, 2, 1000), b(kFrames, 2, 3000);
  struct Counter : ui::MessagePoster {
    std::atomic<int> count{0};
    void Post(unsigned) override { count.fetch_add(1, std::memory_order_release); }
  } counter;
  BufferQueue q;
  q.Configure(2, &counter);
  q.Push(&a.header);
  q.Push(&b.header);

  const std::size_t wanted = static_cast<std::size_t>(kRounds - 2) * kFrames;
  std::atomic<bool> deviceDone{false};
  std::atomic<bool> producerGaveUp{false};
  std::vector<std::int16_t> played;
  std::thread device([&] {
    std::vector<std::int16_t> chunk(kChunk);
    while (played.size() < wanted && !producerGaveUp.load()) {
      // With both buffers queued a chunk shorter than a buffer never runs dry: no silence here.
      if (q.Pending() < 2) {
        std::this_thread::yield();
        continue;
      }
      q.Render(chunk.data(), kChunk);
      played.insert(played.end(), chunk.begin(), chunk.end());
    }
    deviceDone = true;  // a completion that never comes must not keep the other side waiting
  });
  for (int handled = 0; handled < kRounds - 2 && !deviceDone.load();) {
    if (counter.count.load(std::memory_order_acquire) == handled) {
      std::this_thread::yield();
      continue;
    }
    Buffer& done = (handled % 2 == 0) ? a : b;
    EXPECT_TRUE(done.Done());
    if (!q.Push(&done.header)) {
      ADD_FAILURE() << "the ring filled up";
      producerGaveUp = true;
      break;
    }
    ++handled;
  }
  device.join();
  EXPECT_EQ(q.UnderrunCount(), 0u);
  played.resize(wanted);
  for (std::size_t k = 0; k < played.size(); ++k) {
    const Buffer& expected = (k / kFrames) % 2 == 0 ? a : b;
    ASSERT_EQ(played[k], expected.samples[k % kFrames]) << "at sample " << k;
  }
}

}  // namespace
