// Drawing rules of the canvas that the editor and the views depend on.
#include "platform/gdi/canvas.h"

#include <gtest/gtest.h>

namespace {

std::vector<gdi::Point> Inked(const gdi::Picture& p) {
  std::vector<gdi::Point> points;
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) {
      if (p.Pixel(x, y) == gdi::kBlack) points.push_back({x, y});
    }
  }
  return points;
}

TEST(Canvas, ThinLinesCoverTheFirstPointAndLeaveOutTheLast) {
  const struct {
    gdi::Point from, to;
    std::vector<gdi::Point> inked;
  } cases[] = {
      {{1, 1}, {4, 1}, {{1, 1}, {2, 1}, {3, 1}}},
      {{4, 1}, {1, 1}, {{2, 1}, {3, 1}, {4, 1}}},
      {{2, 0}, {2, 3}, {{2, 0}, {2, 1}, {2, 2}}},
      {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},
      {{0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
      {{3, 3}, {3, 3}, {}},
  };
  for (const auto& c : cases) {
    gdi::Picture p(8, 8);
    gdi::Canvas canvas(p);
    canvas.MoveTo(c.from.x, c.from.y);
    canvas.LineTo(c.to.x, c.to.y);
    EXPECT_EQ(Inked(p), c.inked) << c.from.x << "," << c.from.y << " -> " << c.to.x << ","
                                 << c.to.y;
    EXPECT_EQ(canvas.PenPos(), c.to);
  }
}

TEST(Canvas, DottedLinesLeaveGapsAndLinesAreClippedToThePicture) {
  gdi::Picture p(10, 3);
  gdi::Canvas canvas(p);
  canvas.pen.style = gdi::PenStyle::Dot;
  canvas.MoveTo(-4, 1);
  canvas.LineTo(20, 1);
  int on = 0;
  for (int x = 0; x < 10; ++x) on += p.Pixel(x, 1) == gdi::kBlack;
  EXPECT_EQ(on, 5);
  EXPECT_NE(p.Pixel(0, 1), p.Pixel(1, 1));
}

TEST(Canvas, WidePensDrawRoundCapsAroundBothEnds) {
  gdi::Picture p(40, 40);
  gdi::Canvas canvas(p);
  canvas.pen.width = 8;
  canvas.MoveTo(20, 20);
  canvas.LineTo(20, 20);  // a dot: one round cap
  const auto ink = Inked(p);
  EXPECT_GT(ink.size(), 40u);
  EXPECT_LT(ink.size(), 64u) << "round, not square";
  EXPECT_EQ(p.Pixel(16, 20), gdi::kBlack);
  EXPECT_EQ(p.Pixel(23, 20), gdi::kBlack);
  EXPECT_NE(p.Pixel(15, 20), gdi::kBlack);
  EXPECT_NE(p.Pixel(24, 20), gdi::kBlack);
}

TEST(Canvas, FillsTextAndCopiesAreClippedAndOpaque) {
  gdi::Picture p(20, 20, 0x111111);
  gdi::Canvas canvas(p);
  canvas.brushColor = 0x222222;
  canvas.FillRect(-5, -5, 3, 3);
  EXPECT_EQ(p.Pixel(2, 2), 0x222222u);
  EXPECT_EQ(p.Pixel(3, 3), 0x111111u);

  canvas.fontColor = gdi::kBlue;
  canvas.TextOut(5, 2, "-1");
  int blue = 0, background = 0;
  for (int y = 2; y < 2 + gdi::BuiltInFont::kCellHeight; ++y) {
    for (int x = 5; x < 5 + 2 * gdi::BuiltInFont::kCellWidth && x < 20; ++x) {
      blue += p.Pixel(x, y) == gdi::kBlue;
      background += p.Pixel(x, y) == 0x222222u;
    }
  }
  EXPECT_GT(blue, 5);
  EXPECT_EQ(blue + background, 13 * 12) << "text is drawn opaque";

  gdi::Picture src(4, 4, gdi::kGreen);
  canvas.CopyRect(18, 18, src, 0, 0, 4, 4);
  EXPECT_EQ(p.Pixel(19, 19), gdi::kGreen);
  canvas.CopyRect(0, 10, src, 2, 2, 5, 5);  // source clipped too
  EXPECT_EQ(p.Pixel(1, 11), gdi::kGreen);
  EXPECT_EQ(p.Pixel(2, 12), 0x111111u);

  gdi::Picture copy = p;
  copy.SetPixel(0, 0, gdi::kBlack);
  EXPECT_NE(p.Pixel(0, 0), gdi::kBlack) << "pictures copy by value";
}

}  // namespace
