// The wave-out device as the program uses it: open with a format and a window to tell about
// finished buffers, prepare, queue, unprepare, reset, close, and the text of a result code.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "platform/ui/message.h"

namespace audio {

using MMRESULT = std::uint32_t;
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_ALLOCATED = 4;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT WAVERR_BADFORMAT = 32;
constexpr MMRESULT WAVERR_STILLPLAYING = 33;
constexpr MMRESULT WAVERR_UNPREPARED = 34;

constexpr std::uint16_t WAVE_FORMAT_PCM = 1;

struct WaveFormatEx {
  std::uint16_t wFormatTag = 0;
  std::uint16_t nChannels = 0;
  std::uint32_t nSamplesPerSec = 0;
  std::uint32_t nAvgBytesPerSec = 0;
  std::uint16_t nBlockAlign = 0;
  std::uint16_t wBitsPerSample = 0;
  std::uint16_t cbSize = 0;
};

constexpr std::uint32_t WHDR_DONE = 0x1;
constexpr std::uint32_t WHDR_PREPARED = 0x2;
constexpr std::uint32_t WHDR_INQUEUE = 0x10;

struct WaveHdr {
  char* lpData = nullptr;
  std::uint32_t dwBufferLength = 0;
  std::uint32_t dwBytesRecorded = 0;
  std::uintptr_t dwUser = 0;
  std::uint32_t dwFlags = 0;
  std::uint32_t dwLoops = 0;
  WaveHdr* lpNext = nullptr;
  std::uintptr_t reserved = 0;
};

// The device's own thread marks a queued header done while the program may be reading it: while
// a header can be queued, read and change its dwFlags through this view.
inline std::atomic_ref<std::uint32_t> HeaderFlags(WaveHdr& header) {
  return std::atomic_ref<std::uint32_t>(header.dwFlags);
}

// 0 is no device.
using HWaveOut = std::uintptr_t;

class WaveOutDevice {
 public:
  virtual ~WaveOutDevice() = default;
  // Opens the default device. Each finished buffer is marked WHDR_DONE and an MM_WOM_DONE is
  // posted through `callback`, in the order the buffers finish.
  virtual MMRESULT Open(HWaveOut* handle, const WaveFormatEx& format,
                        ui::MessagePoster* callback) = 0;
  virtual MMRESULT PrepareHeader(HWaveOut handle, WaveHdr* header) = 0;
  // Queues a prepared buffer; queued buffers play back to back in the order queued.
  virtual MMRESULT Write(HWaveOut handle, WaveHdr* header) = 0;
  virtual MMRESULT UnprepareHeader(HWaveOut handle, WaveHdr* header) = 0;
  // Stops at once and returns every queued buffer marked done.
  virtual MMRESULT Reset(HWaveOut handle) = 0;
  virtual MMRESULT Close(HWaveOut handle) = 0;
  // The system's text for a result code, at most 255 characters.
  virtual std::string ErrorText(MMRESULT code) const = 0;
};

// The system's text for the standard result codes above; every device uses it for those.
std::string StandardErrorText(MMRESULT code);

}  // namespace audio
