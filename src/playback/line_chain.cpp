#include "playback/line_chain.h"

#include <algorithm>

namespace playback {

LineChain::LineChain(gdi::Canvas& canvas)
    : canvas_(canvas),
      merge_(canvas.pen.width <= 1 && canvas.pen.style == gdi::PenStyle::Solid),
      pos_(canvas.PenPos()) {}

void LineChain::LineTo(int x, int y) {
  if (!merge_ || x != pos_.x) {
    Flush();
    canvas_.MoveTo(pos_.x, pos_.y);
    canvas_.LineTo(x, y);
    pos_ = {x, y};
    return;
  }
  // A vertical line covers its start and stops one row before its end.
  if (y != pos_.y) {
    const int from = pos_.y < y ? pos_.y : y + 1;
    const int to = pos_.y < y ? y - 1 : pos_.y;
    if (from_ > to_) {
      from_ = from;
      to_ = to;
    } else {
      from_ = std::min(from_, from);
      to_ = std::max(to_, to);
    }
  }
  pos_.y = y;
}

void LineChain::Flush() {
  if (from_ > to_) return;
  canvas_.MoveTo(pos_.x, from_);
  canvas_.LineTo(pos_.x, to_ + 1);
  from_ = 1;
  to_ = 0;
}

void LineChain::Finish() {
  Flush();
  canvas_.MoveTo(pos_.x, pos_.y);
}

}  // namespace playback
