// The wave-out device on the desktop: PortAudio's default output, reached through ALSA.
#pragma once

#include "platform/audio/wave_out.h"

class PortAudioWaveOut : public audio::WaveOutDevice {
 public:
  PortAudioWaveOut();
  ~PortAudioWaveOut() override;
  audio::MMRESULT Open(audio::HWaveOut* handle, const audio::WaveFormatEx& format,
                       ui::MessagePoster* callback) override;
  audio::MMRESULT PrepareHeader(audio::HWaveOut handle, audio::WaveHdr* header) override;
  audio::MMRESULT Write(audio::HWaveOut handle, audio::WaveHdr* header) override;
  audio::MMRESULT UnprepareHeader(audio::HWaveOut handle, audio::WaveHdr* header) override;
  audio::MMRESULT Reset(audio::HWaveOut handle) override;
  audio::MMRESULT Close(audio::HWaveOut handle) override;
  std::string ErrorText(audio::MMRESULT code) const override;
};
