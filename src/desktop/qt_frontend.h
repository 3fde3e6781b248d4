// The desktop front-end of the start-up sequence: builds the windows of both forms, shows the
// main window (the right-channel window waits until the program shows it) and runs the Qt
// event loop until the main window closes.
#pragma once

#include "app/startup.h"
#include "desktop/qt_dialogs.h"
#include "desktop/sonoquill_application.h"
#include "platform/os/cross_thread_poster.h"

namespace desktop {

class QtFrontend : public Frontend {
 public:
  QtFrontend(SonoquillApplication& application, ui::MessageQueue& queue,
             os::CrossThreadPoster& mainWindowPoster, QtMessageBoxService& boxes,
             QtFileDialogService& files);
  void Run(TForm1& form1, TForm2& form2) override;
  void ShowException(const std::string& what) override;

 private:
  SonoquillApplication& application_;
  ui::MessageQueue& queue_;
  os::CrossThreadPoster& poster_;
  QtMessageBoxService& boxes_;
  QtFileDialogService& files_;
};

}  // namespace desktop
