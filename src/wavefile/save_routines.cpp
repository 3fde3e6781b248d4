#include "wavefile/save_routines.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "wavefile/wave_writer.h"

namespace {

constexpr double kFullScale = 32768.0;

void WriteHeader(bool stereo, const wavefile::WaveParams& params, const std::string& path) {
  if (stereo) {
    wavefile::WriteWaveHeaderStereo(params, path);
  } else {
    wavefile::WriteWaveHeaderMono(params, path);
  }
}

}  // namespace

int SaveGeneratedBlock(AppState& app, int stereo) {
  try {
    wavefile::WaveParams params;
    params.sampleRate = app.SampleRate;
    params.bitsPerSample = 16;
    params.frameCount = 3 * app.SampleRate;
    WriteHeader(stereo != 0, params, app.SaveFileName);
    const BlockCopy& block = app.BlockSamples[0];
    const int values = stereo != 0 ? 2 * app.SampleRate : app.SampleRate;
    for (int repeat = 0; repeat < 3; ++repeat) {
      for (int i = 0; i < values; ++i) wavefile::WriteWaveSample(block[i] / kFullScale);
    }
    wavefile::CloseWaveFile();
    return SaveResultOk;
  } catch (...) {
    wavefile::AbandonWaveFile();
    return SaveResultFailed;
  }
}

int SaveLoadedData(AppState& app, int stereo) {
  try {
    const audio::WaveFormatEx& format = app.LoadedFormat;
    const double divisor = format.wBitsPerSample == 8 ? 2.0 : 1.0;
    if (app.LoadedFrameBytes == 0) throw std::domain_error("the frame size is 0");
    const double frames = std::trunc((app.LoadedDataBytes / app.LoadedFrameBytes) / divisor);
    if (frames > std::numeric_limits<std::int32_t>::max()) {
      throw std::length_error("too many frames for a WAV file");
    }
    wavefile::WaveParams params;
    params.sampleRate = static_cast<std::int32_t>(format.nSamplesPerSec);
    params.bitsPerSample = format.wBitsPerSample;
    params.frameCount = static_cast<std::int32_t>(frames);
    WriteHeader(stereo != 0, params, app.SaveFileName);

    const std::int64_t count = params.frameCount;
    const int channels = stereo != 0 ? 2 : 1;
    const auto values = static_cast<std::uint64_t>(count) * static_cast<std::uint64_t>(channels);
    // When the data holds exactly what is written, in the order it is written, it goes out in
    // one piece: the same bytes as the sample writer gives for each value.
    if (format.wBitsPerSample == 16 && format.nChannels == channels &&
        values * 2 <= app.LoadedDataBytes && values <= app.LoadedData.size()) {
      wavefile::WriteWaveSamples(app.LoadedData.data(), static_cast<std::size_t>(values));
    } else {
      for (std::int64_t i = 0; i < count; ++i) {
        wavefile::WriteWaveSample(LoadedSample(app, i, 0) / kFullScale);
        if (stereo != 0) wavefile::WriteWaveSample(LoadedSample(app, i, 1) / kFullScale);
      }
    }
    wavefile::CloseWaveFile();
    return SaveResultOk;
  } catch (...) {
    wavefile::AbandonWaveFile();
    return SaveResultFailed;
  }
}

int LoadedSample(const AppState& app, std::int64_t frame, int channel) {
  if (frame < 0) return 0;
  const audio::WaveFormatEx& format = app.LoadedFormat;
  if (format.wBitsPerSample != 8 && format.wBitsPerSample != 16) return 0;
  std::int64_t index = 0;
  if (format.nChannels == 1) {
    index = frame;
  } else if (format.nChannels == 2) {
    index = 2 * frame + channel;
  } else {
    return 0;
  }
  // Never past the bytes that were loaded, whatever the format claims.
  const auto i = static_cast<std::uint64_t>(index);
  if (index < 0 || (i + 1) * 2 > app.LoadedDataBytes || i >= app.LoadedData.size()) return 0;
  return app.LoadedData[static_cast<std::size_t>(i)];
}
