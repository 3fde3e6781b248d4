// A picture: a raster of 32-bit colour values in the form 0x00BBGGRR. Copying a picture copies
// its pixels, so drawing on one copy never shows in another.
#pragma once

#include <cstdint>
#include <vector>

namespace gdi {

using Color = std::uint32_t;  // 0x00BBGGRR

constexpr Color kBlack = 0x000000;
constexpr Color kBlue = 0xFF0000;
constexpr Color kGreen = 0x008000;
// Stand-in for the tooltip-background system colour, which Linux desktops do not have.
constexpr Color kInfoBackground = 0xE1FFFF;
// What a pixel read outside the picture returns.
constexpr Color kInvalidColor = 0xFFFFFFFF;

class Picture {
 public:
  Picture() = default;
  Picture(int width, int height, Color fill = 0xFFFFFF);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  Color Pixel(int x, int y) const { return Contains(x, y) ? pixels_[Index(x, y)] : kInvalidColor; }
  void SetPixel(int x, int y, Color c) {
    if (Contains(x, y)) pixels_[Index(x, y)] = c;
  }
  // Row-major raster, width_ values per row.
  const Color* Data() const { return pixels_.data(); }
  Color* Data() { return pixels_.data(); }

  // New size; the content becomes `fill` everywhere.
  void Reset(int width, int height, Color fill = 0xFFFFFF);

  bool operator==(const Picture&) const = default;

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }
  int width_ = 0;
  int height_ = 0;
  std::vector<Color> pixels_;
};

}  // namespace gdi
