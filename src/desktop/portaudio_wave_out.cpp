#include "desktop/portaudio_wave_out.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <portaudio.h>
#include <pthread.h>
#include <unistd.h>

#include <cstdio>

namespace {

// Results that carry a PortAudio error: the base plus the error's magnitude.
constexpr audio::MMRESULT kPortAudioErrorBase = 0x10000;

audio::MMRESULT FromPortAudio(PaError error) {
  return kPortAudioErrorBase + static_cast<audio::MMRESULT>(-error);
}

// ALSA reports every device it probes and cannot open on stderr; none of it is ours to show.
void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// Points file descriptor 2 at /dev/null while it lives: the sound servers' client libraries that
// PortAudio loads print their start-up noise there directly.
class QuietStderr {
 public:
  QuietStderr() {
    std::fflush(stderr);
    saved_ = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
  }
  ~QuietStderr() {
    std::fflush(stderr);
    if (saved_ >= 0) {
      dup2(saved_, STDERR_FILENO);
      close(saved_);
    }
  }
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_ = -1;
};

// The stream's callback, on PortAudio's thread. Stopping a stream at once cancels this thread;
// cancellation stays off while the queue and the poster work, so neither is cut off halfway.
int PlayQueued(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
               PaStreamCallbackFlags, void* queue) {
  int cancelState = 0;
  pthread_setcancelstate(PTHREAD_CANCEL_DISABLE, &cancelState);
  static_cast<audio::BufferQueue*>(queue)->Render(output, static_cast<std::uint32_t>(frames));
  pthread_setcancelstate(cancelState, nullptr);
  return paContinue;
}

}  // namespace

PortAudioWaveOut::PortAudioWaveOut() = default;

PortAudioWaveOut::~PortAudioWaveOut() {
  Shutdown();
  if (initialized_) Pa_Terminate();
}

// Once, at the first open: a program that never plays never loads the sound libraries.
int PortAudioWaveOut::Initialize() {
  if (!initialized_ && initError_ == paNoError) {
    snd_lib_error_set_handler(&IgnoreAlsaMessage);
    QuietStderr quiet;
    initError_ = Pa_Initialize();
    initialized_ = initError_ == paNoError;
  }
  return initError_;
}

audio::MMRESULT PortAudioWaveOut::Open(audio::HWaveOut* handle, const audio::WaveFormatEx& format,
                                       ui::MessagePoster* callback) {
  if (stream_ != nullptr) return audio::MMSYSERR_ALLOCATED;
  if (format.wFormatTag != audio::WAVE_FORMAT_PCM || format.wBitsPerSample != 16 ||
      format.nChannels < 1 || format.nChannels > 2 || format.nSamplesPerSec == 0 ||
      format.nBlockAlign != format.nChannels * 2) {
    return audio::WAVERR_BADFORMAT;
  }
  if (const PaError error = Initialize(); error != paNoError) return FromPortAudio(error);

  const PaDeviceIndex device = Pa_GetDefaultOutputDevice();
  if (device == paNoDevice) return FromPortAudio(paDeviceUnavailable);
  const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
  if (info == nullptr) return FromPortAudio(paDeviceUnavailable);
  PaStreamParameters output{};
  output.device = device;
  output.channelCount = format.nChannels;
  output.sampleFormat = paInt16;
  output.suggestedLatency = info->defaultHighOutputLatency;
  output.hostApiSpecificStreamInfo = nullptr;

  queue_.Configure(format.nBlockAlign, callback);
  PaStream* stream = nullptr;
  PaError error = paNoError;
  {
    QuietStderr quiet;
    error = Pa_OpenStream(&stream, nullptr, &output, format.nSamplesPerSec,
                          paFramesPerBufferUnspecified, paNoFlag, &PlayQueued, &queue_);
  }
  if (error != paNoError) return FromPortAudio(error);
  stream_ = stream;
  running_ = false;
  handle_ = nextHandle_++;
  *handle = handle_;
  return audio::MMSYSERR_NOERROR;
}

audio::MMRESULT PortAudioWaveOut::PrepareHeader(audio::HWaveOut handle, audio::WaveHdr* header) {
  if (!Valid(handle)) return audio::MMSYSERR_INVALHANDLE;
  audio::HeaderFlags(*header).fetch_or(audio::WHDR_PREPARED);
  return audio::MMSYSERR_NOERROR;
}

// The stream starts with the first buffer, so that it never begins with an underrun.
audio::MMRESULT PortAudioWaveOut::Write(audio::HWaveOut handle, audio::WaveHdr* header) {
  if (!Valid(handle)) return audio::MMSYSERR_INVALHANDLE;
  const std::uint32_t flags = audio::HeaderFlags(*header).load();
  if ((flags & audio::WHDR_PREPARED) == 0) return audio::WAVERR_UNPREPARED;
  if ((flags & audio::WHDR_INQUEUE) != 0) return audio::WAVERR_STILLPLAYING;
  if (!queue_.Push(header)) return audio::MMSYSERR_NOMEM;
  if (!running_) {
    PaError error = paNoError;
    {
      QuietStderr quiet;
      error = Pa_StartStream(stream_);
    }
    if (error != paNoError) return FromPortAudio(error);
    running_ = true;
  }
  return audio::MMSYSERR_NOERROR;
}

audio::MMRESULT PortAudioWaveOut::UnprepareHeader(audio::HWaveOut handle, audio::WaveHdr* header) {
  if (!Valid(handle)) return audio::MMSYSERR_INVALHANDLE;
  if ((audio::HeaderFlags(*header).load() & audio::WHDR_INQUEUE) != 0) {
    return audio::WAVERR_STILLPLAYING;
  }
  audio::HeaderFlags(*header).fetch_and(~audio::WHDR_PREPARED);
  return audio::MMSYSERR_NOERROR;
}

// Aborting drops what the sound system still holds and returns once the callback has ended
// for good; only then is the queue the user-interface thread's alone.
void PortAudioWaveOut::StopStream() {
  if (running_) Pa_AbortStream(stream_);
  running_ = false;
}

audio::MMRESULT PortAudioWaveOut::Reset(audio::HWaveOut handle) {
  if (!Valid(handle)) return audio::MMSYSERR_INVALHANDLE;
  StopStream();
  queue_.ReturnAll();
  return audio::MMSYSERR_NOERROR;
}

audio::MMRESULT PortAudioWaveOut::Close(audio::HWaveOut handle) {
  if (!Valid(handle)) return audio::MMSYSERR_INVALHANDLE;
  if (queue_.Pending() != 0) return audio::WAVERR_STILLPLAYING;
  StopStream();
  Pa_CloseStream(stream_);
  stream_ = nullptr;
  handle_ = 0;
  queue_.Configure(0, nullptr);
  return audio::MMSYSERR_NOERROR;
}

void PortAudioWaveOut::Shutdown() {
  if (stream_ == nullptr) return;
  StopStream();
  Pa_CloseStream(stream_);
  stream_ = nullptr;
  handle_ = 0;
  queue_.Drop();
  queue_.Configure(0, nullptr);
}

std::string PortAudioWaveOut::ErrorText(audio::MMRESULT code) const {
  if (code <= kPortAudioErrorBase) return audio::StandardErrorText(code);
  const auto error = -static_cast<PaError>(code - kPortAudioErrorBase);
  std::string text = Pa_GetErrorText(error);
  if (error == paUnanticipatedHostError) {
    const PaHostErrorInfo* host = Pa_GetLastHostErrorInfo();
    if (host != nullptr && host->errorText != nullptr && host->errorText[0] != '\0') {
      text += ": ";
      text += host->errorText;
    }
  }
  return text;
}
