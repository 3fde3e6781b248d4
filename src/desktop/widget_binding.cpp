#include "desktop/widget_binding.h"

namespace desktop {

void ApplyPlacement(QWidget& widget, const ui::Control& control) {
  widget.setGeometry(control.Left(), control.Top(), control.Width(), control.Height());
  widget.setEnabled(control.Enabled());
  widget.setVisible(control.Visible());
}

QColor ToQColor(gdi::Color color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

QImage ToQImage(const gdi::Picture& picture) {
  QImage image(picture.Width(), picture.Height(), QImage::Format_RGB32);
  const gdi::Color* source = picture.Data();
  for (int y = 0; y < picture.Height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < picture.Width(); ++x) {
      const gdi::Color c = *source++;
      // Swap red and blue: 0x00BBGGRR becomes 0xFFRRGGBB.
      row[x] = 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
    }
  }
  return image;
}

}  // namespace desktop
