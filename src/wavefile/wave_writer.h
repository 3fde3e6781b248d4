// The WAV writer: a 44-byte header with both sizes computed in advance from the frame count, then
// signed 16-bit little-endian samples, then the close that puts the finished file in place.
// There is one output file at a time (WriterFile). Failures are thrown; the Save routines catch
// them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace wavefile {

struct WaveParams {
  std::int32_t sampleRate = 0;
  std::int32_t bitsPerSample = 0;
  std::int32_t channels = 0;  // not read: the header writer called fixes the channel count
  std::int32_t frameCount = 0;
};

constexpr std::size_t kWaveHeaderBytes = 44;

// The header bytes for `channels` (1 or 2) channels.
std::array<unsigned char, kWaveHeaderBytes> WaveHeaderBytes(const WaveParams& params, int channels);
// The sample conversion: x = -1.0 .. +1.0 at a full scale of 32768, clamped, rounded half up.
std::int16_t WaveSampleFromDouble(double x);

// Start a file at `path` (UTF-8) and write its header.
void WriteWaveHeaderMono(const WaveParams& params, const std::string& path);
void WriteWaveHeaderStereo(const WaveParams& params, const std::string& path);
// Appends one sample, converted.
void WriteWaveSample(double x);
// Appends samples as they are; the same bytes as WriteWaveSample(v / 32768.0) for each v.
void WriteWaveSamples(const std::int16_t* samples, std::size_t count);
// Completes the file and puts it in place; throws when it is not exactly what the header said.
void CloseWaveFile();
// Drops an unfinished file and leaves the target as it was; never throws.
void AbandonWaveFile() noexcept;

}  // namespace wavefile
