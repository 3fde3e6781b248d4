// A wave-out device with a virtual clock, for exact tests: buffers play when the test advances
// the clock, completions are posted in order, failures come on demand, and every frame played
// is recorded.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/audio/wave_out.h"

namespace audio {

// One call the program made on the device, with the header's dwFlags as the call found them.
struct DeviceCall {
  enum Op { Open, Prepare, Write, Unprepare, Reset, Close };
  Op op;
  HWaveOut handle;
  const WaveHdr* header;  // null for Open, Reset and Close
  std::uint32_t flagsBefore;
  MMRESULT result;
};

class SimulatedWaveOut : public WaveOutDevice {
 public:
  MMRESULT Open(HWaveOut* handle, const WaveFormatEx& format, ui::MessagePoster* callback) override;
  MMRESULT PrepareHeader(HWaveOut handle, WaveHdr* header) override;
  MMRESULT Write(HWaveOut handle, WaveHdr* header) override;
  MMRESULT UnprepareHeader(HWaveOut handle, WaveHdr* header) override;
  MMRESULT Reset(HWaveOut handle) override;
  MMRESULT Close(HWaveOut handle) override;
  std::string ErrorText(MMRESULT code) const override;

  // The next Open fails with this code.
  void FailNextOpen(MMRESULT code) { failNextOpen_ = code; }
  // Plays `frames` frames of the queued buffers (silence, counted as underrun, when none is
  // queued) and posts a completion for each buffer that finishes.
  void Advance(std::uint32_t frames);

  bool IsOpen() const { return open_; }
  const WaveFormatEx& Format() const { return format_; }
  std::size_t QueuedCount() const { return queue_.size(); }
  int OpenCount() const { return openCount_; }
  std::uint64_t UnderrunFrames() const { return underrunFrames_; }
  // Every sample played since the device was made, interleaved as the format says.
  const std::vector<std::int16_t>& Played() const { return played_; }
  void ClearPlayed() { played_.clear(); }
  // Every call made on the device, in order.
  const std::vector<DeviceCall>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }

 private:
  bool Valid(HWaveOut handle) const { return open_ && handle == handle_; }
  void Finish(WaveHdr* header);
  void Log(DeviceCall::Op op, HWaveOut handle, const WaveHdr* header, std::uint32_t flagsBefore,
           MMRESULT result);

  MMRESULT failNextOpen_ = MMSYSERR_NOERROR;
  bool open_ = false;
  HWaveOut handle_ = 0;
  HWaveOut nextHandle_ = 1;
  int openCount_ = 0;
  WaveFormatEx format_;
  ui::MessagePoster* callback_ = nullptr;
  std::deque<WaveHdr*> queue_;
  std::uint32_t playedInFront_ = 0;  // bytes of the front buffer already played
  std::uint64_t underrunFrames_ = 0;
  std::vector<std::int16_t> played_;
  std::vector<DeviceCall> calls_;
};

}  // namespace audio
