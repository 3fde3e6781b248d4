#include "platform/audio/simulated_wave_out.h"

#include <algorithm>
#include <cstring>

namespace audio {

MMRESULT SimulatedWaveOut::Open(HWaveOut* handle, const WaveFormatEx& format,
                                ui::MessagePoster* callback) {
  if (failNextOpen_ != MMSYSERR_NOERROR) {
    const MMRESULT code = failNextOpen_;
    failNextOpen_ = MMSYSERR_NOERROR;
    return code;
  }
  if (open_) return MMSYSERR_ALLOCATED;
  if (format.wFormatTag != WAVE_FORMAT_PCM || format.wBitsPerSample != 16 ||
      format.nChannels < 1 || format.nChannels > 2 || format.nSamplesPerSec == 0) {
    return WAVERR_BADFORMAT;
  }
  open_ = true;
  handle_ = nextHandle_++;
  *handle = handle_;
  ++openCount_;
  format_ = format;
  callback_ = callback;
  playedInFront_ = 0;
  return MMSYSERR_NOERROR;
}

MMRESULT SimulatedWaveOut::PrepareHeader(HWaveOut handle, WaveHdr* header) {
  if (!Valid(handle)) return MMSYSERR_INVALHANDLE;
  header->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT SimulatedWaveOut::Write(HWaveOut handle, WaveHdr* header) {
  if (!Valid(handle)) return MMSYSERR_INVALHANDLE;
  if ((header->dwFlags & WHDR_PREPARED) == 0) return WAVERR_UNPREPARED;
  if ((header->dwFlags & WHDR_INQUEUE) != 0) return WAVERR_STILLPLAYING;
  header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
  queue_.push_back(header);
  return MMSYSERR_NOERROR;
}

MMRESULT SimulatedWaveOut::UnprepareHeader(HWaveOut handle, WaveHdr* header) {
  if (!Valid(handle)) return MMSYSERR_INVALHANDLE;
  if ((header->dwFlags & WHDR_INQUEUE) != 0) return WAVERR_STILLPLAYING;
  header->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

void SimulatedWaveOut::Finish(WaveHdr* header) {
  header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
  if (callback_ != nullptr) callback_->Post(ui::MM_WOM_DONE);
}

MMRESULT SimulatedWaveOut::Reset(HWaveOut handle) {
  if (!Valid(handle)) return MMSYSERR_INVALHANDLE;
  while (!queue_.empty()) {
    WaveHdr* header = queue_.front();
    queue_.pop_front();
    Finish(header);
  }
  playedInFront_ = 0;
  return MMSYSERR_NOERROR;
}

MMRESULT SimulatedWaveOut::Close(HWaveOut handle) {
  if (!Valid(handle)) return MMSYSERR_INVALHANDLE;
  if (!queue_.empty()) return WAVERR_STILLPLAYING;
  open_ = false;
  handle_ = 0;
  return MMSYSERR_NOERROR;
}

void SimulatedWaveOut::Advance(std::uint32_t frames) {
  if (!open_) return;
  const std::uint32_t frameBytes = format_.nBlockAlign;
  if (frameBytes == 0) return;
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
  switch (code) {
    case MMSYSERR_NOERROR:
      return "エラーはありません。";
    case MMSYSERR_BADDEVICEID:
      return "指定されたデバイス ID は範囲外です。";
    case MMSYSERR_ALLOCATED:
      return "指定されたリソースは既に割り当てられています。";
    case MMSYSERR_NODRIVER:
      return "ドライバがインストールされていません。";
    case MMSYSERR_NOMEM:
      return "メモリが不足しています。";
    case WAVERR_BADFORMAT:
      return "サポートされていない形式でウェーブを開こうとしました。";
    default:
      return "不明なエラーです。";
  }
}

}  // namespace audio
