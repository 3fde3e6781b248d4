// Looping playback on the simulated device: the format and buffers handed to the device, the
// gapless loop, refills from the block of the moment, Stop, and the failing open.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "support/test_world.h"

namespace {

using audio::DeviceCall;

// A block whose values differ from their neighbours, so that a shift or a gap shows.
BlockCopy Pattern(int seed) {
  BlockCopy block{};
  for (std::size_t k = 0; k < block.size(); ++k) {
    block[k] = static_cast<std::int16_t>((static_cast<int>(k) * 37 + seed * 1009) % 20011 - 10005);
  }
  return block;
}

void SetBlock(TestWorld& w, const BlockCopy& copy0, const BlockCopy& copy1) {
  w.app.BlockSamples[0] = copy0;
  w.app.BlockSamples[1] = copy1;
}

// Plays whole seconds at the device's rate in quarter-second steps, handling completions between
// the steps as the message loop would.
void PlaySeconds(TestWorld& w, int seconds) {
  const std::uint32_t step = w.device.Format().nSamplesPerSec / 4;
  for (int i = 0; i < seconds * 4; ++i) w.Play(step);
}

// The first `values` values of `copy`, as one second of the loop is heard.
std::vector<std::int16_t> Second(const BlockCopy& copy, std::size_t values) {
  return {copy.begin(), copy.begin() + static_cast<std::ptrdiff_t>(values)};
}

std::vector<std::int16_t> Concat(std::initializer_list<std::vector<std::int16_t>> parts) {
  std::vector<std::int16_t> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(Playback, StopWhileIdleDoesNothingAndLogsNothing) {
  TestWorld w;
  const auto lines = w.form1.Memo1.Lines();
  w.form1.Button4.Click();
  w.Dispatch();
  EXPECT_EQ(w.form1.Memo1.Lines(), lines);
  EXPECT_TRUE(w.device.Calls().empty());
  EXPECT_TRUE(w.form1.Button3.Enabled());
}

TEST(Playback, FailingOpenShowsTheDeviceTextLeavesPlayEnabledAndStopInert) {
  TestWorld w;
  TForm1& f = w.form1;
  SetBlock(w, Pattern(1), Pattern(1));
  f.playback.PlaybackBuffers[0].fill(77);
  f.playback.PlaybackBuffers[1].fill(77);
  w.device.FailNextOpen(audio::MMSYSERR_NODRIVER);
  w.dialogs.AnswerBox(ui::IDOK);

  f.Button3.Click();

  ASSERT_EQ(w.dialogs.shown.size(), 1u);
  EXPECT_EQ(w.dialogs.shown[0].text, w.device.ErrorText(audio::MMSYSERR_NODRIVER));
  EXPECT_EQ(w.dialogs.shown[0].title, "エラー");
  EXPECT_EQ(w.dialogs.shown[0].flags, ui::MB_OK);
  EXPECT_EQ(f.Memo1.Lines().back(), "再生処理でエラーが発生しました。");
  EXPECT_TRUE(f.Button3.Enabled());
  EXPECT_FALSE(w.device.IsOpen());
  // The second's worth of both buffers is cleared and the block is untouched.
  for (const BlockCopy& buffer : f.playback.PlaybackBuffers) {
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.begin() + 44100, [](auto v) { return v == 0; }));
    EXPECT_EQ(buffer[44100], 77);
  }
  EXPECT_EQ(w.app.BlockSamples[0], Pattern(1));

  const auto lines = f.Memo1.Lines();
  const std::size_t calls = w.device.Calls().size();
  f.Button4.Click();
  EXPECT_EQ(f.Memo1.Lines(), lines);
  EXPECT_EQ(w.device.Calls().size(), calls);
}

struct FormatCase {
  int channelIndex;
  std::int32_t rate;
  std::uint16_t blockAlign;
  std::uint32_t bytesPerSecond;
};

class PlaybackFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PlaybackFormat, OpensWithOneSecondBuffersAndLoopsTheBlockWithoutAGap) {
  const FormatCase c = GetParam();
  TestWorld w;
  TForm1& f = w.form1;
  f.RadioGroup2.SetItemIndex(c.channelIndex);
  w.app.SampleRate = c.rate;
  // Distinct copies show that copy i feeds buffer i and that buffer 0 plays first.
  SetBlock(w, Pattern(1), Pattern(2));

  f.Button3.Click();

  const audio::WaveFormatEx& format = f.playback.PlaybackFormat;
  EXPECT_EQ(format.wFormatTag, audio::WAVE_FORMAT_PCM);
  EXPECT_EQ(format.nChannels, c.channelIndex + 1);
  EXPECT_EQ(format.nSamplesPerSec, static_cast<std::uint32_t>(c.rate));
  EXPECT_EQ(format.nBlockAlign, c.blockAlign);
  EXPECT_EQ(format.nAvgBytesPerSec, c.bytesPerSecond);
  EXPECT_EQ(format.wBitsPerSample, 16);
  EXPECT_EQ(format.cbSize, 0);
  EXPECT_EQ(w.device.Format().nAvgBytesPerSec, c.bytesPerSecond);
  for (std::size_t i = 0; i < 2; ++i) {
    const audio::WaveHdr& header = f.playback.PlaybackHeaders[i];
    EXPECT_EQ(header.lpData, reinterpret_cast<const char*>(f.playback.PlaybackBuffers[i].data()));
    EXPECT_EQ(header.dwBufferLength, c.bytesPerSecond);
    EXPECT_EQ(header.dwBytesRecorded, 0u);
    EXPECT_EQ(header.dwUser, 0u);
    EXPECT_EQ(header.dwLoops, 1u);
    EXPECT_EQ(header.lpNext, nullptr);
  }
  EXPECT_FALSE(f.Button3.Enabled());
  EXPECT_EQ(f.Memo1.Lines().back(), "Playback Started...");
  EXPECT_EQ(w.device.QueuedCount(), 2u);

  PlaySeconds(w, 4);

  const std::size_t values = c.bytesPerSecond / 2;
  const auto a = Second(Pattern(1), values);
  const auto b = Second(Pattern(2), values);
  EXPECT_TRUE(w.device.Played() == Concat({a, b, a, b})) << "the loop is not sample-exact";
  EXPECT_EQ(w.device.UnderrunFrames(), 0u);
  EXPECT_EQ(w.device.QueuedCount(), 2u);
  EXPECT_TRUE(w.dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(MonoAndStereo, PlaybackFormat,
                         ::testing::Values(FormatCase{0, 44100, 2, 88200},
                                           FormatCase{1, 48000, 4, 192000}));

TEST(Playback, PlaysSilenceBeforeAnyGenerate) {
  TestWorld w;
  w.form1.Button3.Click();
  PlaySeconds(w, 3);
  ASSERT_EQ(w.device.Played().size(), 3u * 44100);
  EXPECT_TRUE(std::all_of(w.device.Played().begin(), w.device.Played().end(),
                          [](std::int16_t v) { return v == 0; }));
  EXPECT_EQ(w.device.UnderrunFrames(), 0u);
  EXPECT_EQ(w.device.QueuedCount(), 2u);
}

TEST(Playback, ABlockChangedWhilePlayingIsHeardFromTheNextRefill) {
  TestWorld w;
  SetBlock(w, Pattern(1), Pattern(1));
  w.form1.Button3.Click();
  w.Play(11025);
  SetBlock(w, Pattern(3), Pattern(3));  // as loading another second does
  PlaySeconds(w, 3);
  w.Play(33075);

  const auto a = Second(Pattern(1), 44100);
  const auto b = Second(Pattern(3), 44100);
  // Both buffers were filled at Play; buffer 0 is refilled from the new block when it finishes.
  EXPECT_TRUE(w.device.Played() == Concat({a, a, b, b}));
  EXPECT_EQ(w.device.UnderrunFrames(), 0u);
}

TEST(Playback, RefillCopiesOneSecondAtTheCurrentSettingsNeverMoreThanTheBuffer) {
  struct Case {
    int channelIndex;
    std::int32_t rate;
    std::size_t copied;
  };
  const Case cases[] = {
      {0, 44100, 44100}, {1, 44100, 88200}, {1, 48000, 96000},
      {0, 8000, 8000},   {1, 50000, 96000},  // beyond any rate the program sets: still bounded by
                                             // the buffer
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "channels " << c.channelIndex + 1 << ", " << c.rate);
    TestWorld w;
    TForm1& f = w.form1;
    f.RadioGroup2.SetItemIndex(c.channelIndex);
    w.app.SampleRate = c.rate;
    SetBlock(w, Pattern(4), Pattern(5));
    f.playback.PlaybackBuffers[1].fill(77);
    f.RefillPlaybackBuffer(1);
    const BlockCopy& buffer = f.playback.PlaybackBuffers[1];
    const auto copied = static_cast<std::ptrdiff_t>(c.copied);
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + copied, Pattern(5).begin()));
    EXPECT_TRUE(std::all_of(buffer.begin() + copied, buffer.end(), [](auto v) { return v == 77; }));
  }
}

TEST(Playback, SettingsChangedWhilePlayingChangeTheRefillButNotTheDevice) {
  TestWorld w;
  TForm1& f = w.form1;
  f.Button3.Click();  // mono, 44100 Hz
  f.RadioGroup2.SetItemIndex(1);
  w.app.SampleRate = 48000;
  SetBlock(w, Pattern(6), Pattern(6));
  PlaySeconds(w, 1);  // buffer 0 finishes and is refilled

  EXPECT_TRUE(f.playback.PlaybackBuffers[0] == Pattern(6)) << "all 96000 values are refilled";
  EXPECT_EQ(f.playback.PlaybackHeaders[0].dwBufferLength, 88200u);
  EXPECT_EQ(w.device.Format().nChannels, 1);
  EXPECT_EQ(w.device.Format().nSamplesPerSec, 44100u);
  EXPECT_EQ(w.device.QueuedCount(), 2u);
}

TEST(Playback, StopResetsAndClosesAndLateCompletionsQueueNothing) {
  TestWorld w;
  TForm1& f = w.form1;
  SetBlock(w, Pattern(1), Pattern(1));
  f.Button3.Click();
  PlaySeconds(w, 1);
  w.device.Advance(44100);  // buffer 1 finishes; its completion is still waiting
  w.device.ClearCalls();

  f.Button4.Click();

  const audio::HWaveOut handle = f.playback.WaveOutHandle;
  const auto* h0 = &f.playback.PlaybackHeaders[0];
  const auto* h1 = &f.playback.PlaybackHeaders[1];
  const auto& calls = w.device.Calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].op, DeviceCall::Reset);
  EXPECT_EQ(calls[1].op, DeviceCall::Unprepare);
  EXPECT_EQ(calls[1].header, h0);
  EXPECT_EQ(calls[2].op, DeviceCall::Unprepare);
  EXPECT_EQ(calls[2].header, h1);
  EXPECT_EQ(calls[3].op, DeviceCall::Close);
  for (const DeviceCall& call : calls) {
    EXPECT_EQ(call.handle, handle);
    EXPECT_EQ(call.result, audio::MMSYSERR_NOERROR);
  }
  EXPECT_TRUE(f.Button3.Enabled());
  EXPECT_EQ(f.Memo1.Lines().back(), "Playback Finished.");
  EXPECT_FALSE(w.device.IsOpen());

  const auto lines = f.Memo1.Lines();
  w.Dispatch();  // the waiting completion and the ones the reset returned
  EXPECT_EQ(w.device.QueuedCount(), 0u);
  for (std::size_t i = 4; i < calls.size(); ++i) {
    EXPECT_NE(calls[i].result, audio::MMSYSERR_NOERROR) << "a late completion reached the device";
  }
  EXPECT_EQ(f.Memo1.Lines(), lines);
  EXPECT_TRUE(w.dialogs.shown.empty());
  // Stop again is inert: playback already ended.
  f.Button4.Click();
  EXPECT_EQ(f.Memo1.Lines(), lines);
}

TEST(Playback, PlayAfterStopOpensAfreshWithClearedHeaders) {
  TestWorld w;
  TForm1& f = w.form1;
  SetBlock(w, Pattern(1), Pattern(1));
  f.Button3.Click();
  PlaySeconds(w, 1);
  f.Button4.Click();
  w.Dispatch();
  const audio::HWaveOut first = f.playback.WaveOutHandle;
  SetBlock(w, Pattern(2), Pattern(2));
  w.device.ClearCalls();
  w.device.ClearPlayed();

  f.Button3.Click();

  EXPECT_EQ(w.device.OpenCount(), 2);
  EXPECT_NE(f.playback.WaveOutHandle, first);
  const auto& calls = w.device.Calls();
  const DeviceCall::Op expected[] = {DeviceCall::Open, DeviceCall::Prepare, DeviceCall::Write,
                                     DeviceCall::Prepare, DeviceCall::Write};
  ASSERT_EQ(calls.size(), std::size(expected));
  for (std::size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].op, expected[i]);
    EXPECT_EQ(calls[i].result, audio::MMSYSERR_NOERROR);
  }
  EXPECT_EQ(calls[1].header, &f.playback.PlaybackHeaders[0]);
  EXPECT_EQ(calls[1].flagsBefore, 0u);
  EXPECT_EQ(calls[3].header, &f.playback.PlaybackHeaders[1]);
  EXPECT_EQ(calls[3].flagsBefore, 0u);

  PlaySeconds(w, 2);
  const auto b = Second(Pattern(2), 44100);
  EXPECT_TRUE(w.device.Played() == Concat({b, b}));
}

TEST(Playback, ACompletionRequeuesTheFirstFinishedBufferOnly) {
  TestWorld w;
  TForm1& f = w.form1;
  f.Button3.Click();
  w.device.Advance(44100);  // buffer 0 finishes, completion not yet handled
  w.device.ClearCalls();
  w.Dispatch();
  const auto& calls = w.device.Calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].op, DeviceCall::Unprepare);
  EXPECT_EQ(calls[1].op, DeviceCall::Prepare);
  EXPECT_EQ(calls[2].op, DeviceCall::Write);
  for (const DeviceCall& call : calls) EXPECT_EQ(call.header, &f.playback.PlaybackHeaders[0]);

  // A completion with no buffer done does nothing.
  w.device.ClearCalls();
  f.OnWaveOutDone();
  EXPECT_TRUE(calls.empty());
}

}  // namespace
