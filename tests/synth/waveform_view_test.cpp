// The generated-waveform view: axes and labels, the curve's geometry in both intervals, the
// per-column strokes against a line-by-line drawing, and which window each call draws.
#include "synth/waveform_view.h"

#include <gtest/gtest.h>

#include <random>

#include "synth/synth_fixture.h"

namespace {

using namespace synth_test;

TEST(GeneratedView, AxesTicksLabelsAndAFlatCurveAfterStartUp) {
  TestWorld w;
  const gdi::Picture& v = View(w.form1);
  ASSERT_EQ(v.Width(), 465);
  ASSERT_EQ(v.Height(), 100);
  ExpectCurveOnRow(v, 50);
  EXPECT_EQ(v.Pixel(30, 50), gdi::kGreen);
  EXPECT_EQ(v.Pixel(464, 50), gdi::kBlack) << "the time axis runs on under the curve's end";
  for (int x = 0; x < 465; ++x) {
    EXPECT_EQ(v.Pixel(x, 0), gdi::kBlack) << x;
    EXPECT_EQ(v.Pixel(x, 99), gdi::kBlack) << x;
  }
  for (int y = 10; y < 90; ++y) {
    if (y != 50) {
      EXPECT_EQ(v.Pixel(30, y), gdi::kBlack) << y;
    }
  }
  EXPECT_EQ(v.Pixel(30, 9), gdi::kInfoBackground);
  EXPECT_EQ(v.Pixel(30, 90), gdi::kInfoBackground);
  for (int y : {20, 80}) {
    for (int x = 31; x < 35; ++x) EXPECT_EQ(v.Pixel(x, y), gdi::kBlack) << x << "," << y;
    EXPECT_EQ(v.Pixel(35, y), gdi::kInfoBackground);
  }
  // "1", "0", "-1" at (10, 15), (10, 45), (10, 75), and the caption at (100, 82).
  const auto inkIn = [&](int left, int top, int width, int height) {
    int n = 0;
    for (int y = top; y < top + height; ++y) {
      for (int x = left; x < left + width; ++x) n += v.Pixel(x, y) == gdi::kBlack;
    }
    return n;
  };
  for (int top : {15, 45, 75}) EXPECT_GT(inkIn(10, top, 12, 13), 3) << top;
  EXPECT_EQ(inkIn(0, 30, 10, 10), 0);
  EXPECT_GT(inkIn(100, 82, 30, 13), 3);
  EXPECT_EQ(v.Pixel(5, 5), gdi::kInfoBackground);
}

TEST(GeneratedView, FullScaleSamplesDrawOnRows20And80) {
  const struct {
    std::int16_t sample;
    int row;
  } cases[] = {{32767, 20}, {-32768, 80}, {0, 50}};
  for (const auto& c : cases) {
    TestWorld w;
    w.app.BlockSamples[0].fill(c.sample);
    DrawGeneratedView(w.app, 0, false);
    ExpectCurveOnRow(View(w.form1), c.row);
  }
}

TEST(GeneratedView, TheLastSampleInsideTheViewInEachInterval) {
  const struct {
    int interval;
    std::size_t sample;
    int x;  // where the peak shows on row 20; -1 for nowhere in the view
  } cases[] = {{0, 4460, 460}, {0, 4461, -1}, {1, 44098, 464}, {1, 43998, 463}};
  for (const auto& c : cases) {
    TestWorld w;
    w.form1.RadioGroup1.SetItemIndex(c.interval);
    w.app.BlockSamples[0][c.sample] = 32767;
    DrawGeneratedView(w.app, 0, false);
    std::vector<int> peak;
    for (const gdi::Point& p : GreenPixels(View(w.form1))) {
      if (p.y == 20) peak.push_back(p.x);
    }
    EXPECT_EQ(peak, c.x < 0 ? std::vector<int>{} : std::vector<int>{c.x}) << c.sample;
  }
}

// What drawing the curve one line per sample gives: the reference for the strokes.
std::vector<gdi::Point> LineByLineCurve(const std::int16_t* s, int stride, int rate, int factor) {
  gdi::Picture p(465, 100);
  gdi::Canvas canvas(p);
  canvas.pen.color = gdi::kGreen;
  canvas.MoveTo(30, 50);
  for (int i = 0; i < rate; ++i) {
    const float unit = static_cast<float>(s[i * stride]) / 32768.0f;
    const int y = static_cast<int>(50.0f - 30.0f * unit);
    canvas.LineTo(((465 - 30) * i / rate) * factor + 30, y);
  }
  return GreenPixels(p);
}

TEST(GeneratedView, ColumnStrokesGiveExactlyTheLineByLinePixels) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> any(-32768, 32767);
  std::uniform_int_distribution<int> step(-3000, 3000);
  for (const int rate : {44100, 48000, 11025, 8000, 300, 1}) {
    for (const int interval : {0, 1}) {
      for (const bool walk : {false, true}) {
        TestWorld w;
        w.form1.RadioGroup1.SetItemIndex(interval);
        w.form1.RadioGroup2.SetItemIndex(1);
        w.app.SampleRate = rate;
        int level = 0;
        for (std::int16_t& s : w.app.BlockSamples[0]) {
          level = walk ? std::clamp(level + step(random), -32768, 32767) : any(random);
          s = static_cast<std::int16_t>(level);
        }
        DrawGeneratedView(w.app, 0, true);
        const int factor = interval == 1 ? 1 : 10;
        const std::int16_t* block = w.app.BlockSamples[0].data();
        EXPECT_EQ(GreenPixels(View(w.form1)), LineByLineCurve(block, 2, rate, factor))
            << rate << " Hz, interval " << interval << (walk ? ", walk" : ", noise");
        EXPECT_EQ(GreenPixels(View(w.form2)), LineByLineCurve(block + 1, 2, rate, factor))
            << rate << " Hz, interval " << interval << (walk ? ", walk" : ", noise");
      }
    }
  }
}

TEST(GeneratedView, StereoDrawsEachChannelInItsWindowAndMonoLeavesTheRightOne) {
  TestWorld w;
  w.form1.RadioGroup2.SetItemIndex(1);
  for (std::size_t k = 0; k < 44100; ++k) w.app.BlockSamples[0][2 * k + 1] = 32767;
  DrawGeneratedView(w.app, 0, true);
  ExpectCurveOnRow(View(w.form1), 50);
  ExpectCurveOnRow(View(w.form2), 20);

  // The right window's caption is longer by " Rch".
  const int mainWidth = gdi::GlyphSourceFor("生成波形").Render("生成波形").width;
  const auto textIn = [](const gdi::Picture& v, int left) {
    int n = 0;
    for (int y = 82; y < 95; ++y) {
      for (int x = left; x < left + 20; ++x) n += v.Pixel(x, y) == gdi::kBlack;
    }
    return n;
  };
  EXPECT_EQ(textIn(View(w.form1), 100 + mainWidth), 0);
  EXPECT_GT(textIn(View(w.form2), 100 + mainWidth), 3);

  const gdi::Picture right = View(w.form2);
  w.app.BlockSamples[0].fill(-32768);
  DrawGeneratedView(w.app, 0, false);
  ExpectCurveOnRow(View(w.form1), 80);
  EXPECT_TRUE(View(w.form2) == right);
}

TEST(GeneratedView, PointerOverEitherViewNamesIt) {
  TestWorld w;
  for (EditorForm* f : {static_cast<EditorForm*>(&w.form1), static_cast<EditorForm*>(&w.form2)}) {
    f->StatusBar1.SetPanelText(0, "イメージ1");
    f->Image2.MouseMove(200, 40);
    EXPECT_EQ(f->StatusBar1.PanelText(0), "生成波形");
  }
}

}  // namespace
