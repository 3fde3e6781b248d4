// The work of one wave-out completion at the largest block (stereo, 48000 Hz): the refill alone,
// and the whole handler with the simulated device's prepare and queue calls.
#include <benchmark/benchmark.h>

#include <optional>

#include "app/main_form.h"
#include "editor/right_form.h"
#include "platform/audio/simulated_wave_out.h"

namespace {

struct Silent : ui::MessageBoxService, ui::FileDialogService {
  int Show(const std::string&, const std::string&, unsigned) override { return ui::IDOK; }
  std::optional<std::string> AskOpen(const ui::FileDialogOptions&) override { return {}; }
  ui::SaveDialogResult AskSave(const ui::FileDialogOptions& o) override {
    return {false, o.initialName};
  }
};
struct NoVersion : os::VersionQuery {
  std::optional<os::OsVersion> Query() override { return std::nullopt; }
};
struct NoLauncher : os::ProgramLauncher {
  void Start(const std::string&) override {}
};

// The main window playing stereo at 48000 Hz on the simulated device.
struct PlayingWindow {
  PlayingWindow() {
    form1.emplace(app, services);
    poster.SetTarget(&*form1);
    form1->FormCreate();
    form2.emplace(app, boxes);
    form2->FormCreate();
    form1->RadioGroup2.SetItemIndex(1);
    app.SampleRate = 48000;
    for (BlockCopy& copy : app.BlockSamples) {
      for (std::size_t k = 0; k < copy.size(); ++k) copy[k] = static_cast<std::int16_t>(k * 7);
    }
    form1->Button3.Click();
  }
  Silent boxes;
  NoVersion version;
  NoLauncher launcher;
  audio::SimulatedWaveOut device;
  ui::MessageQueue queue;
  ui::QueuePoster poster{queue};
  Services services{boxes, boxes, device, version, launcher, queue, poster};
  AppState app;
  std::optional<TForm1> form1;
  std::optional<TForm2> form2;
};

void BM_RefillPlaybackBufferStereo48000(benchmark::State& state) {
  PlayingWindow w;
  int i = 0;
  for (auto _ : state) {
    w.form1->RefillPlaybackBuffer(i);
    benchmark::DoNotOptimize(w.form1->playback.PlaybackBuffers[static_cast<std::size_t>(i)].data());
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
