// Fuzz target for the WAV reader: every input goes through the loader of the Open command, both
// from memory and from a file (the file path is the one Open takes), and a loaded file is written
// back through the Save writer. Whatever the bytes, the result must describe only bytes that exist
// and only formats the program accepts.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "wavefile/wave_loader.h"
#include "wavefile/wave_writer.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckResult(const wavefile::WaveLoadResult& r, std::size_t size) {
  if (r.status != wavefile::WaveLoadStatus::Loaded) {
    Require(r.data.empty() && r.dataBytes == 0);
    return;
  }
  Require(r.dataBytes <= size);
  Require(r.data.size() == (static_cast<std::size_t>(r.dataBytes) + 1) / 2);
  Require(r.format.wBitsPerSample == 16);
  Require(r.format.nChannels == 1 || r.format.nChannels == 2);
  Require(r.format.nSamplesPerSec >= 1 && r.format.nSamplesPerSec <= wavefile::kMaxWaveRate);
}

int MemoryFile() {
  static const int fd = ::memfd_create("wav_reader_fuzz", MFD_CLOEXEC);
  return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<wavefile::RiffResult> codes;
  const auto record = [&](wavefile::RiffResult r) { codes.push_back(r); };

  wavefile::MemoryByteSource memory(data, size);
  const wavefile::WaveLoadResult fromMemory = wavefile::LoadWave(memory, record);
  CheckResult(fromMemory, size);
  // Three descents and one ascent at most; every one before the last succeeded.
  Require(codes.size() <= 4);
  for (std::size_t i = 0; i + 1 < codes.size(); ++i) Require(codes[i] == wavefile::kRiffOk);

  const int fd = MemoryFile();
  if (fd >= 0 && ::ftruncate(fd, 0) == 0 &&
      ::pwrite(fd, data, size, 0) == static_cast<ssize_t>(size)) {
    const wavefile::WaveLoadResult fromFile =
        wavefile::LoadWaveFile("/proc/self/fd/" + std::to_string(fd), {});
    Require(fromFile.status == fromMemory.status);
    Require(fromFile.dataBytes == fromMemory.dataBytes);
    Require(fromFile.data == fromMemory.data);
  }

  if (fromMemory.status == wavefile::WaveLoadStatus::Loaded) {
    const int channels = fromMemory.format.nChannels;
    const wavefile::WaveParams params{
        static_cast<std::int32_t>(fromMemory.format.nSamplesPerSec), 16, channels,
        static_cast<std::int32_t>(fromMemory.dataBytes / 2 / static_cast<unsigned>(channels))};
    try {
      if (channels == 2) {
        wavefile::WriteWaveHeaderStereo(params, "/dev/null");
      } else {
        wavefile::WriteWaveHeaderMono(params, "/dev/null");
      }
      wavefile::WriteWaveSamples(
          fromMemory.data.data(),
          static_cast<std::size_t>(params.frameCount) * static_cast<std::size_t>(channels));
      wavefile::CloseWaveFile();
    } catch (...) {
      __builtin_trap();  // writing a loaded file to /dev/null cannot fail
    }
  }
  return 0;
}
