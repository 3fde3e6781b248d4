// Thin solid lines, drawn by the canvas's direct path, cover exactly the points of the classic
// line walk: every point from the start up to, not including, the end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "platform/gdi/canvas.h"

namespace {

// The walk written out plainly: the major axis steps every point, the minor axis when the error
// passes the midpoint.
void ReferenceLine(gdi::Picture& p, int x0, int y0, int x1, int y1, gdi::Color c) {
  const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  const int major = std::max(dx, dy), minor = std::min(dx, dy);
  int d = 2 * minor - major;
  int x = x0, y = y0;
  for (int i = 0; i < major; ++i) {
    p.SetPixel(x, y, c);
    if (d > 0) {
      (dx >= dy ? y : x) += dx >= dy ? sy : sx;
      d -= 2 * major;
    }
    d += 2 * minor;
    (dx >= dy ? x : y) += dx >= dy ? sx : sy;
  }
}

TEST(ThinLine, CoversTheWalkFromTheStartToBeforeTheEndAndClipsToThePicture) {
  std::mt19937 random(3);
  std::uniform_int_distribution<int> coord(-8, 40);
  for (int trial = 0; trial < 5000; ++trial) {
    gdi::Picture drawn(32, 24), expected(32, 24);
    const int x0 = coord(random), y0 = coord(random);
    const int x1 = trial % 3 == 0 ? x0 : coord(random);  // many vertical lines
    const int y1 = coord(random);
    gdi::Canvas canvas(drawn);
    canvas.pen.color = 0x123456;
    canvas.MoveTo(x0, y0);
    canvas.LineTo(x1, y1);
    ReferenceLine(expected, x0, y0, x1, y1, 0x123456);
    ASSERT_EQ(drawn, expected) << "(" << x0 << "," << y0 << ") to (" << x1 << "," << y1 << ")";
    ASSERT_EQ(canvas.PenPos(), (gdi::Point{x1, y1}));
  }
}

}  // namespace
