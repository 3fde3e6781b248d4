// The Qt application as the program needs it: its name, the UI font standing in for the one
// the windows were designed with, Qt's own texts in Japanese, the glyph source for Japanese
// text in pictures, and an error that escapes an event handler shown in a box instead of
// ending the program.
#pragma once

#include <QApplication>
#include <QTranslator>
#include <functional>
#include <memory>
#include <string>

#include "desktop/qt_glyph_source.h"

namespace desktop {

// The font the windows were laid out with, and the installed font that stands in for it.
inline constexpr const char* kDesignFontFamily = "ＭＳ Ｐゴシック";
inline constexpr const char* kUiFontFamily = "IPAPGothic";
inline constexpr int kUiFontPixelSize = 12;

class SonoquillApplication : public QApplication {
  Q_OBJECT
 public:
  SonoquillApplication(int& argc, char** argv);
  ~SonoquillApplication() override;

  bool notify(QObject* receiver, QEvent* event) override;
  // Shows an error that escaped an event handler; the program goes on.
  std::function<void(const std::string&)> OnException;

 private:
  QTranslator qtTranslator_;
  std::unique_ptr<QtGlyphSource> glyphs_;
};

}  // namespace desktop
