// Small helpers the synthesis, view and command tests share: ink in a stored picture, Generate
// with the two-copies check, and the green pixels of a view.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "support/test_world.h"

namespace synth_test {

inline gdi::Picture& Thumb(EditorForm& f, int i) {
  return f.editor.SegmentThumbnails[static_cast<std::size_t>(i)]->Picture();
}

// Paints one ink pixel straight into segment picture i, as the pen would leave it.
inline void Ink(EditorForm& f, int segment, int x, int y) {
  Thumb(f, segment).SetPixel(x, y, gdi::kBlack);
}

inline const BlockCopy& Block(TestWorld& w) {
  return w.app.BlockSamples[0];
}

// Clicks "生成" and checks that both copies came out the same.
inline void Generate(TestWorld& w) {
  w.form1.Button2.Click();
  EXPECT_TRUE(w.app.BlockSamples[0] == w.app.BlockSamples[1]) << "the two copies differ";
}

inline std::vector<gdi::Point> GreenPixels(const gdi::Picture& p) {
  std::vector<gdi::Point> points;
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) {
      if (p.Pixel(x, y) == gdi::kGreen) points.push_back({x, y});
    }
  }
  return points;
}

inline const gdi::Picture& View(EditorForm& f) {
  return f.Image2.Picture();
}

// Every green pixel lies on row y, apart from the rise out of (30, 50) in column 30.
inline void ExpectCurveOnRow(const gdi::Picture& view, int y) {
  int onRow = 0;
  for (const gdi::Point& p : GreenPixels(view)) {
    if (p.y == y) {
      ++onRow;
    } else {
      EXPECT_EQ(p.x, 30) << "green at " << p.x << "," << p.y;
    }
  }
  // (464, y) is the last point and a line leaves out its end.
  EXPECT_EQ(onRow, 434);
}

// The sample of an ink pixel in row y of a 240-row picture: (n x 32768) / 100 with n rows above
// the centre, full scale held at 32767.
inline std::int16_t ExpectedSample(int y) {
  const int n = 120 - y;
  return static_cast<std::int16_t>(n == 100 ? 32767 : (n * 32768) / 100);
}

}  // namespace synth_test
