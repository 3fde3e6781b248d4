#include "platform/gdi/picture.h"

namespace gdi {

Picture::Picture(int width, int height, Color fill) {
  Reset(width, height, fill);
}

void Picture::Reset(int width, int height, Color fill) {
  width_ = width < 0 ? 0 : width;
  height_ = height < 0 ? 0 : height;
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill);
}

}  // namespace gdi
