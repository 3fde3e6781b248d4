// The work of one wave-out completion at the largest block (stereo, 48000 Hz): the refill alone,
// and the whole handler with the simulated device's prepare and queue calls.
#include <benchmark/benchmark.h>

#include "bench_world.h"

namespace {

// The main window playing stereo at 48000 Hz on the simulated device.
struct PlayingWindow : BenchWorld {
  PlayingWindow() {
    form1.RadioGroup2.SetItemIndex(1);
    app.SampleRate = 48000;
    for (BlockCopy& copy : app.BlockSamples) {
      for (std::size_t k = 0; k < copy.size(); ++k) copy[k] = static_cast<std::int16_t>(k * 7);
    }
    form1.Button3.Click();
  }
};

void BM_RefillPlaybackBufferStereo48000(benchmark::State& state) {
  PlayingWindow w;
  int i = 0;
  for (auto _ : state) {
    w.form1.RefillPlaybackBuffer(i);
    benchmark::DoNotOptimize(w.form1.playback.PlaybackBuffers[static_cast<std::size_t>(i)].data());
    benchmark::ClobberMemory();
    i ^= 1;
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(sizeof(BlockCopy)));
}
BENCHMARK(BM_RefillPlaybackBufferStereo48000);

// One buffer finishes and its completion is handled: refill, unprepare, prepare, queue.
void BM_CompletionStereo48000(benchmark::State& state) {
  PlayingWindow w;
  for (auto _ : state) {
    state.PauseTiming();
    w.device.Advance(48000);  // buffer 0 or 1 finishes; the other stays queued
    w.device.ClearPlayed();
    w.device.ClearCalls();
    state.ResumeTiming();
    w.queue.DispatchAll();
  }
}
BENCHMARK(BM_CompletionStereo48000);

}  // namespace

BENCHMARK_MAIN();
