#include "platform/audio/simulated_wave_out.h"

#include <algorithm>
#include <cstring>

namespace audio {

void SimulatedWaveOut::Log(DeviceCall::Op op, HWaveOut handle, const WaveHdr* header,
                           std::uint32_t flagsBefore, MMRESULT result) {
  calls_.push_back({op, handle, header, flagsBefore, result});
}

MMRESULT SimulatedWaveOut::Open(HWaveOut* handle, const WaveFormatEx& format,
                                ui::MessagePoster* callback) {
  MMRESULT result = MMSYSERR_NOERROR;
  if (failNextOpen_ != MMSYSERR_NOERROR) {
    result = failNextOpen_;
    failNextOpen_ = MMSYSERR_NOERROR;
  } else if (open_) {
    result = MMSYSERR_ALLOCATED;
  } else if (format.wFormatTag != WAVE_FORMAT_PCM || format.wBitsPerSample != 16 ||
             format.nChannels < 1 || format.nChannels > 2 || format.nSamplesPerSec == 0 ||
             format.nBlockAlign != format.nChannels * 2) {
    result = WAVERR_BADFORMAT;
  } else {
    open_ = true;
    handle_ = nextHandle_++;
    *handle = handle_;
    ++openCount_;
    format_ = format;
    callback_ = callback;
    playedInFront_ = 0;
  }
  Log(DeviceCall::Open, result == MMSYSERR_NOERROR ? handle_ : 0, nullptr, 0, result);
  return result;
}

MMRESULT SimulatedWaveOut::PrepareHeader(HWaveOut handle, WaveHdr* header) {
  const std::uint32_t before = header->dwFlags;
  MMRESULT result = MMSYSERR_NOERROR;
  if (!Valid(handle)) {
    result = MMSYSERR_INVALHANDLE;
  } else {
    header->dwFlags |= WHDR_PREPARED;
  }
  Log(DeviceCall::Prepare, handle, header, before, result);
  return result;
}

MMRESULT SimulatedWaveOut::Write(HWaveOut handle, WaveHdr* header) {
  const std::uint32_t before = header->dwFlags;
  MMRESULT result = MMSYSERR_NOERROR;
  if (!Valid(handle)) {
    result = MMSYSERR_INVALHANDLE;
  } else if ((header->dwFlags & WHDR_PREPARED) == 0) {
    result = WAVERR_UNPREPARED;
  } else if ((header->dwFlags & WHDR_INQUEUE) != 0) {
    result = WAVERR_STILLPLAYING;
  } else {
    header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
    queue_.push_back(header);
  }
  Log(DeviceCall::Write, handle, header, before, result);
  return result;
}

MMRESULT SimulatedWaveOut::UnprepareHeader(HWaveOut handle, WaveHdr* header) {
  const std::uint32_t before = header->dwFlags;
  MMRESULT result = MMSYSERR_NOERROR;
  if (!Valid(handle)) {
    result = MMSYSERR_INVALHANDLE;
  } else if ((header->dwFlags & WHDR_INQUEUE) != 0) {
    result = WAVERR_STILLPLAYING;
  } else {
    header->dwFlags &= ~WHDR_PREPARED;
  }
  Log(DeviceCall::Unprepare, handle, header, before, result);
  return result;
}

void SimulatedWaveOut::Finish(WaveHdr* header) {
  header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
  if (callback_ != nullptr) callback_->Post(ui::MM_WOM_DONE);
}

MMRESULT SimulatedWaveOut::Reset(HWaveOut handle) {
  MMRESULT result = MMSYSERR_NOERROR;
  if (!Valid(handle)) {
    result = MMSYSERR_INVALHANDLE;
  } else {
    while (!queue_.empty()) {
      WaveHdr* header = queue_.front();
      queue_.pop_front();
      Finish(header);
    }
    playedInFront_ = 0;
  }
  Log(DeviceCall::Reset, handle, nullptr, 0, result);
  return result;
}

MMRESULT SimulatedWaveOut::Close(HWaveOut handle) {
  MMRESULT result = MMSYSERR_NOERROR;
  if (!Valid(handle)) {
    result = MMSYSERR_INVALHANDLE;
  } else if (!queue_.empty()) {
    result = WAVERR_STILLPLAYING;
  } else {
    open_ = false;
    handle_ = 0;
  }
  Log(DeviceCall::Close, handle, nullptr, 0, result);
  return result;
}

void SimulatedWaveOut::Advance(std::uint32_t frames) {
  if (!open_) return;
  const std::uint32_t frameBytes = format_.nBlockAlign;
  const std::size_t frameSamples = frameBytes / 2;
  while (frames > 0) {
    if (queue_.empty()) {
      underrunFrames_ += frames;
      played_.insert(played_.end(), static_cast<std::size_t>(frames) * frameSamples, 0);
      return;
    }
    WaveHdr* header = queue_.front();
    const std::uint32_t leftFrames = (header->dwBufferLength - playedInFront_) / frameBytes;
    const std::uint32_t take = std::min(frames, leftFrames);
    const std::size_t firstSample = playedInFront_ / 2;
    const std::size_t count = static_cast<std::size_t>(take) * frameSamples;
    const std::size_t oldSize = played_.size();
    played_.resize(oldSize + count);
    std::memcpy(played_.data() + oldSize, header->lpData + firstSample * 2, count * 2);
    playedInFront_ += take * frameBytes;
    frames -= take;
    if (playedInFront_ + frameBytes > header->dwBufferLength) {
      queue_.pop_front();
      playedInFront_ = 0;
      Finish(header);
    }
  }
}

std::string SimulatedWaveOut::ErrorText(MMRESULT code) const {
  return StandardErrorText(code);
}

}  // namespace audio
