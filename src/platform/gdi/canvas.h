// Drawing on a picture with the pixel rules the program depends on: a line covers its first point
// and stops one pixel before its end; wide pens are bands of their width centred on the segment
// with round caps; fills, opaque text and block copies are clipped to the picture.
#pragma once

#include <string>

#include "platform/gdi/glyphs.h"
#include "platform/gdi/picture.h"

namespace gdi {

enum class PenStyle { Solid, Dot };

struct Pen {
  Color color = kBlack;
  int width = 1;
  PenStyle style = PenStyle::Solid;
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

class Canvas {
 public:
  explicit Canvas(Picture& picture) : picture_(&picture) {}

  Picture& Target() { return *picture_; }

  Pen pen;
  Color brushColor = 0xFFFFFF;  // fill colour and the opaque background of text
  Color fontColor = kBlack;

  Point PenPos() const { return penPos_; }
  void MoveTo(int x, int y) { penPos_ = {x, y}; }
  // Draws from the pen position to (x, y) and leaves the pen there.
  void LineTo(int x, int y);

  // Fills [left, right) x [top, bottom) with the brush colour.
  void FillRect(int left, int top, int right, int bottom);
  // Text with its top-left corner at (x, y), drawn in the font colour on the brush colour.
  void TextOut(int x, int y, const std::string& utf8);
  // Copies a width x height block of `source` at (sx, sy) to (dx, dy), clipped to both pictures.
  void CopyRect(int dx, int dy, const Picture& source, int sx, int sy, int width, int height);

  // Back to a fresh canvas: default pen, brush, font colour and pen position.
  void ResetTools();

 private:
  void Plot(int x, int y, int index);
  Picture* picture_;
  Point penPos_;
};

}  // namespace gdi
