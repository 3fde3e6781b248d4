#include "desktop/sonoquill_application.h"

#include <QFontInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <exception>
#include <iostream>

namespace desktop {

SonoquillApplication::SonoquillApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Sonoquill"));
  // Not a display name: Qt would append it to every window title ("Sonoquill - Rch — ...").
  setQuitOnLastWindowClosed(false);  // the main window's close handler ends the program

  QFont::insertSubstitution(QString::fromUtf8(kDesignFontFamily), QString::fromUtf8(kUiFontFamily));
  QFont uiFont(QString::fromUtf8(kDesignFontFamily));
  uiFont.setPixelSize(kUiFontPixelSize);
  setFont(uiFont);
  if (QFontInfo(uiFont).family() != QString::fromUtf8(kUiFontFamily)) {
    std::cerr << "Sonoquill: the font " << kUiFontFamily
              << " is not installed (Debian: fonts-ipafont-gothic); Japanese text will use "
              << QFontInfo(uiFont).family().toStdString() << "\n";
  }

  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  QLocale::setDefault(japanese);
  if (qtTranslator_.load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    installTranslator(&qtTranslator_);
  } else {
    std::cerr << "Sonoquill: Qt's Japanese texts are not installed (Debian: "
                 "qt6-translations-l10n); dialog buttons stay in English\n";
  }

  glyphs_ = std::make_unique<QtGlyphSource>(uiFont);
  gdi::SetFallbackGlyphSource(glyphs_.get());
}

SonoquillApplication::~SonoquillApplication() {
  gdi::SetFallbackGlyphSource(nullptr);
}

bool SonoquillApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    if (OnException) OnException(e.what());
  } catch (...) {
    if (OnException) OnException("unknown error");
  }
  return false;
}

}  // namespace desktop
