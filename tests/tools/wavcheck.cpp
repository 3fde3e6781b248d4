// A command-line window onto the WAV layer for the interoperability test: it reads files with
// the reader the Open command uses and writes them with the routines of the Save command.
//   wavcheck info IN                  prints the load status, channels, rate and data bytes
//   wavcheck dump IN RAW              writes the loaded data bytes to RAW
//   wavcheck resave IN OUT            loads IN and saves it as OUT, as after an Open
//   wavcheck block OUT RAW CH RATE    saves a patterned block as OUT in drawing mode, and the
//                                     samples OUT must hold to RAW
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "app/app_state.h"
#include "wavefile/save_routines.h"
#include "wavefile/wave_loader.h"

namespace {

const char* StatusName(wavefile::WaveLoadStatus s) {
  switch (s) {
    case wavefile::WaveLoadStatus::Loaded:
      return "Loaded";
    case wavefile::WaveLoadStatus::CannotOpen:
      return "CannotOpen";
    case wavefile::WaveLoadStatus::ChunkError:
      return "ChunkError";
    case wavefile::WaveLoadStatus::NotSixteenBit:
      return "NotSixteenBit";
    case wavefile::WaveLoadStatus::RateTooHigh:
      return "RateTooHigh";
    case wavefile::WaveLoadStatus::RateZero:
      return "RateZero";
    case wavefile::WaveLoadStatus::UnsupportedChannels:
      return "UnsupportedChannels";
    case wavefile::WaveLoadStatus::OutOfMemory:
      return "OutOfMemory";
    case wavefile::WaveLoadStatus::ReadError:
      return "ReadError";
  }
  return "?";
}

bool WriteRaw(const std::string& path, const void* data, std::size_t bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(bytes));
  return static_cast<bool>(out);
}

int Usage() {
  std::cerr << "usage: wavcheck info IN | dump IN RAW | resave IN OUT | block OUT RAW CH RATE\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  if (command == "block") {
    if (argc != 6) return Usage();
    AppState app;
    const int channels = std::atoi(argv[4]);
    app.SampleRate = std::atoi(argv[5]);
    if ((channels != 1 && channels != 2) || app.SampleRate < 1 || app.SampleRate > kMaxSampleRate) {
      return Usage();
    }
    std::uint32_t x = 12345;
    for (int i = 0; i < kBlockCapacity; ++i) {
      x = x * 1103515245u + 12345u;
      const auto v = static_cast<std::int16_t>(x >> 16);
      app.BlockSamples[0][static_cast<std::size_t>(i)] = v;
      app.BlockSamples[1][static_cast<std::size_t>(i)] = v;
    }
    app.SaveFileName = argv[2];
    if (SaveGeneratedBlock(app, channels - 1) != SaveResultOk) return 1;
    std::string expected;
    const std::size_t second = static_cast<std::size_t>(channels * app.SampleRate) * 2;
    for (int repeat = 0; repeat < 3; ++repeat) {
      expected.append(reinterpret_cast<const char*>(app.BlockSamples[0].data()), second);
    }
    return WriteRaw(argv[3], expected.data(), expected.size()) ? 0 : 1;
  }

  wavefile::WaveLoadResult r = wavefile::LoadWaveFile(argv[2], {});
  if (command == "info") {
    std::cout << StatusName(r.status) << ' ' << r.format.nChannels << ' ' << r.format.nSamplesPerSec
              << ' ' << r.dataBytes << '\n';
    return 0;
  }
  if (r.status != wavefile::WaveLoadStatus::Loaded) {
    std::cerr << argv[2] << ": " << StatusName(r.status) << '\n';
    return 1;
  }
  if (command == "dump" && argc == 4) {
    return WriteRaw(argv[3], r.data.data(), r.dataBytes) ? 0 : 1;
  }
  if (command == "resave" && argc == 4) {
    AppState app;
    app.LoadedFormat = r.format;
    app.LoadedDataBytes = r.dataBytes;
    app.LoadedData = std::move(r.data);
    app.LoadedFrameBytes = r.format.nChannels * (r.format.wBitsPerSample / 8u);
    app.SampleRate = static_cast<std::int32_t>(r.format.nSamplesPerSec);
    app.SaveFileName = argv[3];
    return SaveLoadedData(app, app.LoadedFormat.nChannels - 1) == SaveResultOk ? 0 : 1;
  }
  return Usage();
}
