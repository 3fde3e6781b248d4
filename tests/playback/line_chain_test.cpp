// Merged strokes draw the pixels of the plain chain of lines, and leave the pen where it would.
#include "playback/line_chain.h"

#include <gtest/gtest.h>

#include <random>

namespace {

struct Chain {
  gdi::Pen pen;
  gdi::Point start;
  std::vector<gdi::Point> points;
};

void ExpectSameAsPlainLines(const Chain& c) {
  gdi::Picture plain(60, 40), merged(60, 40);
  gdi::Canvas a(plain), b(merged);
  a.pen = b.pen = c.pen;
  a.MoveTo(c.start.x, c.start.y);
  b.MoveTo(c.start.x, c.start.y);
  playback::LineChain chain(b);
  for (const gdi::Point& p : c.points) {
    a.LineTo(p.x, p.y);
    chain.LineTo(p.x, p.y);
  }
  chain.Finish();
  ASSERT_EQ(merged, plain);
  ASSERT_EQ(b.PenPos(), a.PenPos());
}

TEST(LineChain, DrawsWhatThePlainLinesDraw) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> row(-5, 44), run(1, 12), step(-1, 2);
  for (int trial = 0; trial < 2000; ++trial) {
    Chain c;
    c.pen.width = trial % 10 == 0 ? 2 : 1;  // a wide pen goes to the canvas line by line
    c.pen.style = trial % 17 == 0 ? gdi::PenStyle::Dot : gdi::PenStyle::Solid;
    c.start = {std::uniform_int_distribution<int>(-2, 61)(random), row(random)};
    int x = c.start.x;
    for (int column = 0; column < 8; ++column) {
      for (int n = run(random); n > 0; --n) c.points.push_back({x, row(random)});
      x += step(random);
    }
    SCOPED_TRACE(trial);
    ExpectSameAsPlainLines(c);
  }
}

TEST(LineChain, LeavesOutTheLastPointAndLinesThatDrawNothing) {
  // 10 -> 20 covers 10..19; 20 -> 20 draws nothing; 20 -> 30 covers 20..29; 30 -> 5 covers
  // 6..30; the last point, 5, is not drawn until a line starts there.
  ExpectSameAsPlainLines({{}, {3, 10}, {{3, 20}, {3, 20}, {3, 30}, {3, 5}}});
  ExpectSameAsPlainLines({{}, {3, 10}, {{3, 12}, {3, 20}, {3, 18}, {4, 0}, {4, 39}}});
}

}  // namespace
