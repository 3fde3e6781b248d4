// Where text pixels come from. The built-in bitmap font covers the digits, space, minus and ASCII
// letters that pictures carry, so drawing is the same in tests and on screen; text it lacks
// (Japanese captions) goes to a fallback source that the desktop front-end installs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gdi {

// A two-level image of a text: 1 where the text colour goes, 0 where the background goes.
struct GlyphMask {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bits;  // row-major, width * height
  bool At(int x, int y) const { return bits[static_cast<std::size_t>(y * width + x)] != 0; }
};

class GlyphSource {
 public:
  virtual ~GlyphSource() = default;
  virtual GlyphMask Render(const std::string& utf8) const = 0;
};

// 6 x 13 cells: a 5 x 7 glyph with one column of spacing. Characters it lacks show as a box.
class BuiltInFont : public GlyphSource {
 public:
  static constexpr int kCellWidth = 6;
  static constexpr int kCellHeight = 13;
  static bool Covers(const std::string& utf8);
  GlyphMask Render(const std::string& utf8) const override;
};

// The source used for a text: the built-in font when it covers the text, else the fallback.
const GlyphSource& GlyphSourceFor(const std::string& utf8);
// Installed once by the front-end before any window is made; null means none.
void SetFallbackGlyphSource(const GlyphSource* source);

}  // namespace gdi
