// Generate in stereo (both windows' twenty pictures into the block, then both views) and the
// drawing of one generated-waveform view, on the control model without a display.
#include <benchmark/benchmark.h>

#include <cmath>

#include "bench_world.h"
#include "synth/synthesis.h"
#include "synth/waveform_view.h"

namespace {

// A few periods of a sine drawn with the pen across the zone of every picture of a window.
void PaintSines(EditorForm& form, double periods) {
  for (int i = 0; i < 10; ++i) {
    gdi::Picture& p = form.editor.SegmentThumbnails[static_cast<std::size_t>(i)]->Picture();
    gdi::Canvas canvas(p);
    canvas.pen = {gdi::kBlack, 1, gdi::PenStyle::Solid};
    for (int x = 30; x < 471; ++x) {
      const double phase = (x - 30 + 441 * i) * periods * 2 * M_PI / 4410.0;
      const int y = 120 - static_cast<int>(std::lround(95 * std::sin(phase)));
      if (x == 30) {
        canvas.MoveTo(x, y);
      } else {
        canvas.LineTo(x, y);
      }
    }
  }
}

void BM_GenerateStereo100ms(benchmark::State& state) {
  BenchWorld w;
  w.form1.RadioGroup2.SetItemIndex(1);
  PaintSines(w.form1, 3);
  PaintSines(w.form2, 5);
  for (auto _ : state) {
    w.form1.Button2Click();
    benchmark::DoNotOptimize(w.app.BlockSamples.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_GenerateStereo100ms)->Unit(benchmark::kMillisecond);

void BM_SynthesizeStereo100ms(benchmark::State& state) {
  BenchWorld w;
  w.form1.RadioGroup2.SetItemIndex(1);
  PaintSines(w.form1, 3);
  PaintSines(w.form2, 5);
  for (auto _ : state) {
    SynthesizeStereo(w.app);
    benchmark::DoNotOptimize(w.app.BlockSamples.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SynthesizeStereo100ms)->Unit(benchmark::kMillisecond);

// Blank pictures are the slowest input: every column is scanned through all 200 rows.
void BM_SynthesizeStereoBlank(benchmark::State& state) {
  BenchWorld w;
  w.form1.RadioGroup2.SetItemIndex(1);
  for (auto _ : state) {
    SynthesizeStereo(w.app);
    benchmark::DoNotOptimize(w.app.BlockSamples.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SynthesizeStereoBlank)->Unit(benchmark::kMillisecond);

// One view of a full mono block at 44100 Hz; the interval picks how much of it is in view.
void BM_DrawGeneratedView(benchmark::State& state) {
  BenchWorld w;
  w.form1.RadioGroup1.SetItemIndex(static_cast<int>(state.range(0)));
  for (std::size_t i = 0; i < 44100; ++i) {
    w.app.BlockSamples[0][i] =
        static_cast<std::int16_t>(30000 * std::sin(static_cast<double>(i) * 0.01) +
                                  2000 * std::sin(static_cast<double>(i) * 1.3));
  }
  for (auto _ : state) {
    DrawGeneratedView(w.app, 0, false);
    benchmark::DoNotOptimize(w.form1.Image2.Picture().Data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawGeneratedView)->Arg(1)->Arg(0)->ArgName("interval")->Unit(benchmark::kMillisecond);

}  // namespace
