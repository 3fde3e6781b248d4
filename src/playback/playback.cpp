// Looping double-buffered playback of the block through the wave-out device.
#include <algorithm>
#include <cstring>

#include "app/main_form.h"

namespace {

constexpr std::uint16_t kBitsPerSample = 16;
constexpr std::uint64_t kBufferBytes = sizeof(BlockCopy);

// Values in one second at these settings; never more than a buffer holds, whatever the
// settings say.
std::size_t SecondValues(int channels, std::int32_t sampleRate) {
  const std::int64_t values = static_cast<std::int64_t>(channels) * sampleRate;
  return static_cast<std::size_t>(std::clamp<std::int64_t>(values, 0, kBlockCapacity));
}

}  // namespace

void TForm1::Button3Click() {
  PlaybackState& p = playback;
  audio::WaveFormatEx& format = p.PlaybackFormat;
  format.wFormatTag = audio::WAVE_FORMAT_PCM;
  format.nChannels = static_cast<std::uint16_t>(RadioGroup2.ItemIndex() + 1);
  format.nSamplesPerSec = static_cast<std::uint32_t>(app.SampleRate);
  format.wBitsPerSample = kBitsPerSample;
  format.nBlockAlign = static_cast<std::uint16_t>(format.nChannels * (kBitsPerSample / 8));
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  format.cbSize = 0;

  // One second of sound; the buffers are sized for the largest second the program makes.
  const auto secondBytes = static_cast<std::uint32_t>(std::min<std::uint64_t>(
      static_cast<std::uint64_t>(format.nBlockAlign) * format.nSamplesPerSec, kBufferBytes));
  for (std::size_t i = 0; i < 2; ++i) {
    std::memset(p.PlaybackBuffers[i].data(), 0, secondBytes);
    audio::WaveHdr& header = p.PlaybackHeaders[i];
    header = audio::WaveHdr{};
    header.lpData = reinterpret_cast<char*>(p.PlaybackBuffers[i].data());
    header.dwBufferLength = secondBytes;
    header.dwLoops = 1;
  }

  Button3.SetEnabled(false);
  const audio::MMRESULT result =
      services.waveOut.Open(&p.WaveOutHandle, format, &services.mainWindowPoster);
  ReportWaveOutError(result);
  if (result != audio::MMSYSERR_NOERROR) {
    Memo1.Add("再生処理でエラーが発生しました。");
    return;
  }

  for (int i = 0; i < 2; ++i) {
    audio::WaveHdr& header = p.PlaybackHeaders[static_cast<std::size_t>(i)];
    std::memset(p.PlaybackBuffers[static_cast<std::size_t>(i)].data(), 0, secondBytes);
    RefillPlaybackBuffer(i);
    header.dwFlags = 0;
    services.waveOut.PrepareHeader(p.WaveOutHandle, &header);
    services.waveOut.Write(p.WaveOutHandle, &header);
  }
  Memo1.Add("Playback Started...");
}

void TForm1::Button4Click() {
  if (Button3.Enabled()) return;
  PlaybackState& p = playback;
  services.waveOut.Reset(p.WaveOutHandle);
  services.waveOut.UnprepareHeader(p.WaveOutHandle, &p.PlaybackHeaders[0]);
  services.waveOut.UnprepareHeader(p.WaveOutHandle, &p.PlaybackHeaders[1]);
  services.waveOut.Close(p.WaveOutHandle);
  Button3.SetEnabled(true);
  Memo1.Add("Playback Finished.");
}

// One completion re-queues at most one buffer, the first one found done. After Stop the handle
// is closed: the refill only rewrites a buffer and the re-queue calls fail, so nothing plays.
void TForm1::OnWaveOutDone() {
  PlaybackState& p = playback;
  for (int i = 0; i < 2; ++i) {
    audio::WaveHdr& header = p.PlaybackHeaders[static_cast<std::size_t>(i)];
    if ((audio::HeaderFlags(header).load(std::memory_order_acquire) & audio::WHDR_DONE) == 0) {
      continue;
    }
    RefillPlaybackBuffer(i);
    services.waveOut.UnprepareHeader(p.WaveOutHandle, &header);
    services.waveOut.PrepareHeader(p.WaveOutHandle, &header);
    services.waveOut.Write(p.WaveOutHandle, &header);
    return;
  }
}

// The count follows the settings of this moment, not the format the device was opened with.
void TForm1::RefillPlaybackBuffer(int i) {
  if (i < 0 || i > 1) return;
  const std::size_t count = SecondValues(RadioGroup2.ItemIndex() + 1, app.SampleRate);
  const BlockCopy& from = app.BlockSamples[static_cast<std::size_t>(i)];
  std::copy_n(from.begin(), count, playback.PlaybackBuffers[static_cast<std::size_t>(i)].begin());
}
