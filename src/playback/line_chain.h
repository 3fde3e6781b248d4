// A chain of canvas lines drawn with fewer strokes. Loading a second draws ten lines into every
// column of a picture, mostly vertical and overlapping; merged into the rows they cover, each
// column takes one or two strokes instead of ten, with the same pixels.
#pragma once

#include "platform/gdi/canvas.h"

namespace playback {

class LineChain {
 public:
  // Starts at the canvas's pen position.
  explicit LineChain(gdi::Canvas& canvas);
  // As canvas.LineTo(x, y): the pixels of the line without its end point.
  void LineTo(int x, int y);
  // Draws what is pending and leaves the pen at the last point, as the plain chain would.
  void Finish();

 private:
  void Flush();

  gdi::Canvas& canvas_;
  bool merge_;  // only a thin solid pen draws a vertical line as exactly the rows it passes
  gdi::Point pos_;
  // The rows of column pos_.x that vertical lines cover, none when from > to. Lines that follow
  // each other up and down a column leave no gap: each covers the row where the next starts.
  int from_ = 1;
  int to_ = 0;
};

}  // namespace playback
