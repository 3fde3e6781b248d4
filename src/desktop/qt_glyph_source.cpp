#include "desktop/qt_glyph_source.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace desktop {

QtGlyphSource::QtGlyphSource(const QFont& font) : font_(font) {
  font_.setStyleStrategy(QFont::NoAntialias);
}

gdi::GlyphMask QtGlyphSource::Render(const std::string& utf8) const {
  const QString text = QString::fromStdString(utf8);
  const QFontMetrics metrics(font_);
  gdi::GlyphMask mask;
  mask.width = metrics.horizontalAdvance(text);
  mask.height = metrics.height();
  if (mask.width <= 0 || mask.height <= 0) return {};
  QImage image(mask.width, mask.height, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font_);
    painter.setPen(Qt::black);
    painter.drawText(0, metrics.ascent(), text);
  }
  mask.bits.resize(static_cast<std::size_t>(mask.width) * static_cast<std::size_t>(mask.height));
  for (int y = 0; y < mask.height; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < mask.width; ++x) {
      mask.bits[static_cast<std::size_t>(y * mask.width + x)] = qGray(row[x]) < 128 ? 1 : 0;
    }
  }
  return mask;
}

}  // namespace desktop
