#include "platform/gdi/canvas.h"

#include <algorithm>
#include <cstdlib>

namespace gdi {

void Canvas::ResetTools() {
  pen = Pen{};
  brushColor = 0xFFFFFF;
  fontColor = kBlack;
  penPos_ = {};
}

// One point of a line: a single pixel for a thin pen (every other one for a dotted pen), a disc
// of the pen's width for a wide pen, which gives the band and its round caps.
void Canvas::Plot(int x, int y, int index) {
  if (pen.width <= 1) {
    if (pen.style == PenStyle::Dot && index % 2 != 0) return;
    picture_->SetPixel(x, y, pen.color);
    return;
  }
  const int w = pen.width;
  const int lo = -(w / 2);
  const int hi = (w - 1) / 2;
  // Centre of the disc sits between pixels for even widths.
  const double centre = (lo + hi) / 2.0;
  const double r2 = (w / 2.0) * (w / 2.0);
  for (int dy = lo; dy <= hi; ++dy) {
    for (int dx = lo; dx <= hi; ++dx) {
      const double fx = dx - centre;
      const double fy = dy - centre;
      if (fx * fx + fy * fy <= r2) picture_->SetPixel(x + dx, y + dy, pen.color);
    }
  }
}

namespace {

// Classic Bresenham: the major axis steps every pixel, the minor axis when the error passes
// the midpoint (a tie does not step). Calls plot(x, y, i) for the i-th point, end point excluded.
template <typename PlotPoint>
int WalkLine(Point from, int x1, int y1, PlotPoint plot) {
  int x = from.x;
  int y = from.y;
  const int dx = std::abs(x1 - x);
  const int dy = std::abs(y1 - y);
  const int sx = x < x1 ? 1 : -1;
  const int sy = y < y1 ? 1 : -1;
  const bool xMajor = dx >= dy;
  const int major = xMajor ? dx : dy;
  const int minor = xMajor ? dy : dx;
  int d = 2 * minor - major;
  for (int i = 0; i < major; ++i) {
    plot(x, y, i);
    if (d > 0) {
      if (xMajor) {
        y += sy;
      } else {
        x += sx;
      }
      d -= 2 * major;
    }
    d += 2 * minor;
    if (xMajor) {
      x += sx;
    } else {
      y += sy;
    }
  }
  return major;
}

}  // namespace

void Canvas::LineTo(int x1, int y1) {
  if (pen.width <= 1 && pen.style == PenStyle::Solid) {
    // The common thin solid line sets its pixels directly (loading a second draws ~100000 of
    // them), a vertical one as a clipped run down its column.
    Picture& p = *picture_;
    const Color c = pen.color;
    if (x1 == penPos_.x && x1 >= 0 && x1 < p.Width()) {
      const int step = penPos_.y < y1 ? 1 : -1;
      int from = penPos_.y;
      int to = y1 - step;  // the last row drawn
      if (from != y1) {
        if (step < 0) std::swap(from, to);
        from = std::max(from, 0);
        to = std::min(to, p.Height() - 1);
        const std::ptrdiff_t stride = p.Width();  // a local: the stores cannot change it
        Color* pixel = p.Data() + from * stride + x1;
        for (int y = from; y <= to; ++y, pixel += stride) *pixel = c;
      }
    } else {
      WalkLine(penPos_, x1, y1, [&p, c](int x, int y, int) { p.SetPixel(x, y, c); });
    }
  } else {
    const int major = WalkLine(penPos_, x1, y1, [this](int x, int y, int i) { Plot(x, y, i); });
    // A thin line leaves out its end point; a wide one ends in a round cap around it.
    if (pen.width > 1) Plot(x1, y1, major);
  }
  penPos_ = {x1, y1};
}

void Canvas::FillRect(int left, int top, int right, int bottom) {
  const int l = std::max(left, 0);
  const int t = std::max(top, 0);
  const int r = std::min(right, picture_->Width());
  const int b = std::min(bottom, picture_->Height());
  Color* data = picture_->Data();
  for (int y = t; y < b; ++y) {
    std::fill(data + static_cast<std::ptrdiff_t>(y) * picture_->Width() + l,
              data + static_cast<std::ptrdiff_t>(y) * picture_->Width() + r, brushColor);
  }
}

void Canvas::TextOut(int x, int y, const std::string& utf8) {
  const GlyphMask mask = GlyphSourceFor(utf8).Render(utf8);
  for (int row = 0; row < mask.height; ++row) {
    for (int col = 0; col < mask.width; ++col) {
      picture_->SetPixel(x + col, y + row, mask.At(col, row) ? fontColor : brushColor);
    }
  }
}

void Canvas::CopyRect(int dx, int dy, const Picture& source, int sx, int sy, int width,
                      int height) {
  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) {
      if (!source.Contains(sx + col, sy + row)) continue;
      picture_->SetPixel(dx + col, dy + row, source.Pixel(sx + col, sy + row));
    }
  }
}

}  // namespace gdi
