// Open and Save of a large WAV file, the sample writer against the bulk writer, and "決定" at the
// largest block (48000 Hz stereo).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_world.h"
#include "support/wav_files.h"
#include "wavefile/save_routines.h"
#include "wavefile/wave_loader.h"
#include "wavefile/wave_writer.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::int16_t> Pattern(std::size_t n) {
  std::vector<std::int16_t> s(n);
  std::uint32_t x = 1;
  for (auto& v : s) {
    x = x * 1664525u + 1013904223u;
    v = static_cast<std::int16_t>(x >> 16);
  }
  return s;
}

// A folder for the run's files, removed at exit.
struct BenchDir {
  BenchDir() {
    const char* tmp = std::getenv("TMPDIR");
    path = fs::path(tmp != nullptr ? tmp : "/tmp") /
           ("sonoquill-wavefile-bench-" + std::to_string(::getpid()));
    fs::create_directories(path);
  }
  ~BenchDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  fs::path path;
};

BenchDir& Dir() {
  static BenchDir dir;
  return dir;
}

// 600 s of 16-bit stereo at 48000 Hz: 115200044 bytes.
const std::string& LargeFile() {
  static const std::string path = [] {
    const std::string p = (Dir().path / "large.wav").string();
    const std::vector<std::int16_t> s = Pattern(600u * 48000u * 2u);
    wavefile::WriteWaveHeaderStereo({48000, 16, 2, 600 * 48000}, p);
    wavefile::WriteWaveSamples(s.data(), s.size());
    wavefile::CloseWaveFile();
    return p;
  }();
  return path;
}

void Commit(AppState& app, wavefile::WaveLoadResult&& r) {
  app.LoadedFormat = r.format;
  app.LoadedDataBytes = r.dataBytes;
  app.LoadedData = std::move(r.data);
  app.LoadedFrameBytes = r.format.nChannels * (r.format.wBitsPerSample / 8u);
  app.SampleRate = static_cast<std::int32_t>(r.format.nSamplesPerSec);
}

// From the file through LoadedData to a new file, synced and put in place.
void BM_OpenThenSaveLargeFile(benchmark::State& state) {
  const std::string in = LargeFile();
  AppState app;
  app.SaveFileName = (Dir().path / "out.wav").string();
  for (auto _ : state) {
    Commit(app, wavefile::LoadWaveFile(in, {}));
    if (SaveLoadedData(app, 1) != SaveResultOk) state.SkipWithError("save failed");
    state.PauseTiming();
    fs::remove(app.SaveFileName);
    app.LoadedData = {};
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 115200000);
}
BENCHMARK(BM_OpenThenSaveLargeFile)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(0.5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_OpenLargeFile(benchmark::State& state) {
  const std::string in = LargeFile();
  AppState app;
  for (auto _ : state) {
    Commit(app, wavefile::LoadWaveFile(in, {}));
    benchmark::DoNotOptimize(app.LoadedData.data());
    state.PauseTiming();
    app.LoadedData = {};
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenLargeFile)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(0.5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_SaveLargeFile(benchmark::State& state) {
  AppState app;
  Commit(app, wavefile::LoadWaveFile(LargeFile(), {}));
  app.SaveFileName = (Dir().path / "out.wav").string();
  for (auto _ : state) {
    if (SaveLoadedData(app, 1) != SaveResultOk) state.SkipWithError("save failed");
    state.PauseTiming();
    fs::remove(app.SaveFileName);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SaveLargeFile)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(0.5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Ten seconds of stereo at 48000 Hz through each writer path, to /dev/null.
void BM_WriteTenSecondsOneSampleAtATime(benchmark::State& state) {
  const std::vector<std::int16_t> s = Pattern(10u * 96000u);
  for (auto _ : state) {
    wavefile::WriteWaveHeaderStereo({48000, 16, 2, 480000}, "/dev/null");
    for (std::int16_t v : s) wavefile::WriteWaveSample(v / 32768.0);
    wavefile::CloseWaveFile();
  }
}
BENCHMARK(BM_WriteTenSecondsOneSampleAtATime)->Unit(benchmark::kMillisecond);

void BM_WriteTenSecondsInBulk(benchmark::State& state) {
  const std::vector<std::int16_t> s = Pattern(10u * 96000u);
  for (auto _ : state) {
    wavefile::WriteWaveHeaderStereo({48000, 16, 2, 480000}, "/dev/null");
    wavefile::WriteWaveSamples(s.data(), s.size());
    wavefile::CloseWaveFile();
  }
}
BENCHMARK(BM_WriteTenSecondsInBulk)->Unit(benchmark::kMillisecond);

// Arg 0: white noise, the worst case (every column spans most of the picture); arg 1: a tone.
void BM_ConfirmStereo48000(benchmark::State& state) {
  BenchWorld w;
  std::vector<std::int16_t> s = Pattern(10u * 96000u);
  if (state.range(0) == 1) {
    for (std::size_t i = 0; i < s.size(); ++i) {
      const double t = static_cast<double>(i / 2) / 48000.0;
      s[i] = static_cast<std::int16_t>(12000.0 * std::sin(2 * 3.14159265 * 440.0 * t) +
                                       4000.0 * std::sin(2 * 3.14159265 * 1320.0 * t));
    }
  }
  SetLoadedFile(w.app, 2, 48000, s);
  w.form1.RadioGroup2.SetItemIndex(1);
  w.form1.TrackBar1.SetMax(10);
  w.form1.TrackBar1.SetPosition(4);
  for (auto _ : state) {
    w.form1.Button5Click();
    state.PauseTiming();
    w.form1.Memo1.Clear();
    state.ResumeTiming();
  }
  state.SetLabel(state.range(0) == 0 ? "white noise" : "tone");
}
BENCHMARK(BM_ConfirmStereo48000)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
