#include "wavefile/wave_writer.h"

#include <bit>
#include <cerrno>
#include <system_error>

#include "wavefile/replacing_file.h"

namespace wavefile {

namespace {

// The one WAV file being written.
ReplacingFile WriterFile;
std::uint64_t WriterExpectedBytes = 0;

void Put16(unsigned char* p, std::uint32_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}
void Put32(unsigned char* p, std::uint32_t v) {
  Put16(p, v);
  Put16(p + 2, v >> 16);
}
void PutId(unsigned char* p, const char* id) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(id[i]);
}

void WriteHeader(const WaveParams& params, const std::string& path, int channels) {
  const auto data = std::uint64_t{2} * static_cast<std::uint32_t>(channels) *
                    static_cast<std::uint64_t>(static_cast<std::uint32_t>(params.frameCount));
  // Sizes beyond 32 bits cannot be written in the header; refuse rather than wrap.
  if (params.frameCount < 0 || data + 36 > 0xFFFFFFFFu) {
    errno = EFBIG;
    throw std::system_error(errno, std::generic_category(), "too many frames for a WAV file");
  }
  const auto header = WaveHeaderBytes(params, channels);
  WriterFile.Create(path);
  WriterExpectedBytes = kWaveHeaderBytes + data;
  WriterFile.Append(header.data(), header.size());
}

}  // namespace

std::array<unsigned char, kWaveHeaderBytes> WaveHeaderBytes(const WaveParams& params,
                                                            int channels) {
  const auto n = static_cast<std::uint32_t>(params.frameCount);
  const auto rate = static_cast<std::uint32_t>(params.sampleRate);
  const auto bits = static_cast<std::uint32_t>(params.bitsPerSample);
  const std::uint32_t ch = channels == 2 ? 2u : 1u;
  const std::uint32_t dataSize = 2u * ch * n;
  std::array<unsigned char, kWaveHeaderBytes> h{};
  PutId(&h[0], "RIFF");
  Put32(&h[4], dataSize + 36u);
  PutId(&h[8], "WAVE");
  PutId(&h[12], "fmt ");
  Put32(&h[16], 16);
  Put16(&h[20], 1);
  Put16(&h[22], ch);
  Put32(&h[24], rate);
  Put32(&h[28], (rate * bits) / 8u * ch);
  Put16(&h[32], bits / 8u * ch);
  Put16(&h[34], bits & 0xFFFFu);
  PutId(&h[36], "data");
  Put32(&h[40], dataSize);
  return h;
}

std::int16_t WaveSampleFromDouble(double x) {
  double y = (x + 1.0) * 0.5 * 65536.0;
  if (y > 65535.0) {
    y = 65535.0;
  } else if (!(y >= 0.0)) {  // also catches a NaN, which would make the cast below undefined
    y = 0.0;
  }
  const auto u = static_cast<std::int32_t>(y + 0.5);
  return static_cast<std::int16_t>(u - 32768);
}

void WriteWaveHeaderMono(const WaveParams& params, const std::string& path) {
  WriteHeader(params, path, 1);
}

void WriteWaveHeaderStereo(const WaveParams& params, const std::string& path) {
  WriteHeader(params, path, 2);
}

void WriteWaveSample(double x) {
  const auto v = static_cast<std::uint16_t>(WaveSampleFromDouble(x));
  WriterFile.AppendPair(static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8));
}

void WriteWaveSamples(const std::int16_t* samples, std::size_t count) {
  if constexpr (std::endian::native == std::endian::little) {
    WriterFile.Append(samples, count * sizeof(std::int16_t));
  } else {
    for (std::size_t i = 0; i < count; ++i) {
      const auto v = static_cast<std::uint16_t>(samples[i]);
      WriterFile.AppendPair(static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8));
    }
  }
}

void CloseWaveFile() {
  WriterFile.Finish(WriterExpectedBytes);
}

void AbandonWaveFile() noexcept {
  WriterFile.Abandon();
}

}  // namespace wavefile
