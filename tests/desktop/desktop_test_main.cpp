// The desktop tests need a QApplication for their whole run; without a display they use the
// offscreen platform, as Qt would otherwise abort.
#include <gtest/gtest.h>

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

#include "desktop/sonoquill_application.h"

namespace {

// The offscreen platform says so for every window feature it lacks; that is not news here.
QtMessageHandler g_standardHandler = nullptr;

void QuietAboutThePlatform(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QStringLiteral("This plugin does not support"))) return;
  if (g_standardHandler != nullptr) {
    g_standardHandler(type, context, text);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(text));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("DISPLAY") == nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  g_standardHandler = qInstallMessageHandler(QuietAboutThePlatform);
  testing::InitGoogleTest(&argc, argv);
  desktop::SonoquillApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
