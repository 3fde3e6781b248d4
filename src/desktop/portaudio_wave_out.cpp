#include "desktop/portaudio_wave_out.h"

PortAudioWaveOut::PortAudioWaveOut() = default;
PortAudioWaveOut::~PortAudioWaveOut() = default;
audio::MMRESULT PortAudioWaveOut::Open(audio::HWaveOut*, const audio::WaveFormatEx&,
                                       ui::MessagePoster*) {
  return audio::MMSYSERR_NODRIVER;
}
audio::MMRESULT PortAudioWaveOut::PrepareHeader(audio::HWaveOut, audio::WaveHdr*) {
  return audio::MMSYSERR_INVALHANDLE;
}
audio::MMRESULT PortAudioWaveOut::Write(audio::HWaveOut, audio::WaveHdr*) {
  return audio::MMSYSERR_INVALHANDLE;
}
audio::MMRESULT PortAudioWaveOut::UnprepareHeader(audio::HWaveOut, audio::WaveHdr*) {
  return audio::MMSYSERR_INVALHANDLE;
}
audio::MMRESULT PortAudioWaveOut::Reset(audio::HWaveOut) { return audio::MMSYSERR_INVALHANDLE; }
audio::MMRESULT PortAudioWaveOut::Close(audio::HWaveOut) { return audio::MMSYSERR_INVALHANDLE; }
std::string PortAudioWaveOut::ErrorText(audio::MMRESULT) const { return "Device unavailable"; }
