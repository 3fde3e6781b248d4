// The wave-out device on the desktop: PortAudio's default output, reached through ALSA. The
// stream's callback plays the queued buffers from a lock-free queue; everything else runs on the
// user-interface thread.
#pragma once

#include <cstdint>

#include "platform/audio/buffer_queue.h"
#include "platform/audio/wave_out.h"

class PortAudioWaveOut : public audio::WaveOutDevice {
 public:
  PortAudioWaveOut();
  ~PortAudioWaveOut() override;
  PortAudioWaveOut(const PortAudioWaveOut&) = delete;
  PortAudioWaveOut& operator=(const PortAudioWaveOut&) = delete;

  audio::MMRESULT Open(audio::HWaveOut* handle, const audio::WaveFormatEx& format,
                       ui::MessagePoster* callback) override;
  audio::MMRESULT PrepareHeader(audio::HWaveOut handle, audio::WaveHdr* header) override;
  audio::MMRESULT Write(audio::HWaveOut handle, audio::WaveHdr* header) override;
  audio::MMRESULT UnprepareHeader(audio::HWaveOut handle, audio::WaveHdr* header) override;
  audio::MMRESULT Reset(audio::HWaveOut handle) override;
  audio::MMRESULT Close(audio::HWaveOut handle) override;
  // PortAudio's own text for the codes that carry one of its errors.
  std::string ErrorText(audio::MMRESULT code) const override;

  // Stops and closes the stream at once and forgets the queued buffers without completions. Call
  // it before the buffers' owner goes away; the destructor calls it too.
  void Shutdown();

  // Callbacks that found nothing queued and played silence, and the silent frames.
  std::uint64_t UnderrunCount() const { return queue_.UnderrunCount(); }
  std::uint64_t UnderrunFrames() const { return queue_.UnderrunFrames(); }

 private:
  bool Valid(audio::HWaveOut handle) const { return stream_ != nullptr && handle == handle_; }
  int Initialize();
  void StopStream();

  bool initialized_ = false;
  int initError_ = 0;  // PortAudio's result of its initialisation, kept for later opens
  void* stream_ = nullptr;
  bool running_ = false;
  audio::HWaveOut handle_ = 0;
  audio::HWaveOut nextHandle_ = 1;
  audio::BufferQueue queue_;
};
