// Reading a WAV file whole: the chunk walk of the Open command, the format checks, and the data
// chunk in one read. Nothing here touches the program's state, so a refused file replaces nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/audio/wave_out.h"
#include "wavefile/byte_source.h"
#include "wavefile/riff_reader.h"

namespace wavefile {

constexpr std::uint32_t kMaxWaveRate = 48000;

enum class WaveLoadStatus {
  Loaded,
  CannotOpen,           // not a readable regular file
  ChunkError,           // a descent or the ascent failed; its code went to the chunk reporter
  NotSixteenBit,        // bits per sample other than 16
  RateTooHigh,          // more than kMaxWaveRate samples per second
  RateZero,             // 0 samples per second
  UnsupportedChannels,  // neither mono nor stereo
  OutOfMemory,          // the data chunk could not be allocated
  ReadError,            // the data chunk could not be read
};

struct WaveLoadResult {
  WaveLoadStatus status = WaveLoadStatus::CannotOpen;
  // The first 18 bytes of the "fmt " chunk; a field that the chunk does not hold whole is 0.
  audio::WaveFormatEx format;
  // The data chunk byte for byte: the bytes the file really holds, at most the declared size.
  std::vector<std::int16_t> data;
  std::uint32_t dataBytes = 0;
};

// Told the result of each descent and of the ascent, in order, whatever it is.
using ChunkResultReporter = std::function<void(RiffResult)>;

WaveLoadResult LoadWave(ByteSource& source, const ChunkResultReporter& report);
// `path` is UTF-8.
WaveLoadResult LoadWaveFile(const std::string& path, const ChunkResultReporter& report);

}  // namespace wavefile
