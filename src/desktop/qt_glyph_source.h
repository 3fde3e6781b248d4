// Text the built-in bitmap font lacks (Japanese captions drawn into pictures) rendered with the
// UI font: black on white without antialiasing, then cut into two levels, so a picture only
// ever holds the text colour and the background colour.
#pragma once

#include <QFont>

#include "platform/gdi/glyphs.h"

namespace desktop {

class QtGlyphSource : public gdi::GlyphSource {
 public:
  explicit QtGlyphSource(const QFont& font);
  gdi::GlyphMask Render(const std::string& utf8) const override;

 private:
  QFont font_;
};

}  // namespace desktop
