#include "desktop/qt_frontend.h"

#include <QScreen>
#include <QStyle>

#include "app/main_form.h"
#include "desktop/form_window.h"
#include "desktop/message_pump.h"
#include "editor/right_form.h"

namespace desktop {

QtFrontend::QtFrontend(SonoquillApplication& application, ui::MessageQueue& queue,
                       os::CrossThreadPoster& mainWindowPoster, QtMessageBoxService& boxes,
                       QtFileDialogService& files)
    : application_(application),
      queue_(queue),
      poster_(mainWindowPoster),
      boxes_(boxes),
      files_(files) {}

void QtFrontend::Run(TForm1& form1, TForm2& form2) {
  poster_.SetTarget(&form1);
  MessagePump pump(queue_, poster_);
  FormWindow mainWindow(form1, queue_);
  FormWindow rightWindow(form2, queue_);
  boxes_.Parent().SetFallback(&mainWindow);
  files_.Parent().SetFallback(&mainWindow);
  application_.OnException = [this](const std::string& what) { ShowException(what); };

  // The main window stands in the middle of the screen; the right-channel window is placed by
  // the window manager.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    mainWindow.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, mainWindow.size(),
                                               screen->availableGeometry()));
  }

  // The desktop's session-end notice becomes the session-end message, as SIGTERM does.
  const QMetaObject::Connection sessionEnd = QObject::connect(
      &application_, &QGuiApplication::commitDataRequest, &mainWindow, [this, &form1] {
        queue_.Post({&form1, ui::WM_QUERYENDSESSION, 0, 0});
      });

  form1.OnClosed = [] { QCoreApplication::exit(0); };
  form1.Show();
  // Keyboard focus from the start, also where no window manager hands it out.
  mainWindow.activateWindow();
  if (!form1.Closed()) application_.exec();

  QObject::disconnect(sessionEnd);
  form1.OnClosed = nullptr;
  application_.OnException = nullptr;
  boxes_.Parent().SetFallback(nullptr);
  files_.Parent().SetFallback(nullptr);
  poster_.SetTarget(nullptr);
}

void QtFrontend::ShowException(const std::string& what) {
  boxes_.Show(what, "Sonoquill", ui::MB_ICONSTOP);
}

}  // namespace desktop
