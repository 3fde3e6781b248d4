// Sonoquill on the Linux desktop: the Qt windows, the PortAudio sound device and the Linux
// stand-ins for the system services, handed to the program's start-up sequence.
#include <cstdlib>
#include <exception>
#include <iostream>

#include "app/startup.h"
#include "desktop/portaudio_wave_out.h"
#include "desktop/qt_dialogs.h"
#include "desktop/qt_frontend.h"
#include "desktop/sonoquill_application.h"
#include "desktop/startup_probe.h"
#include "platform/os/cross_thread_poster.h"
#include "platform/os/detached_launcher.h"
#include "platform/os/flock_instance_lock.h"
#include "platform/os/linux_version_query.h"
#include "platform/os/session_end_signal.h"

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

int main(int argc, char** argv) {
  // Qt aborts when it finds no display; say what is missing instead.
  if (!IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY") && !IsSet("QT_QPA_PLATFORM")) {
    std::cerr << "Sonoquill: no display to open a window on: neither DISPLAY nor "
                 "WAYLAND_DISPLAY is set. Start it from a desktop session, or under a virtual "
                 "display (xvfb-run -a sonoquill).\n";
    return 1;
  }
  try {
    ui::MessageQueue queue;
    os::CrossThreadPoster mainWindowPoster(queue, {ui::MM_WOM_DONE, ui::WM_QUERYENDSESSION});
    os::InstallSessionEndSignal(mainWindowPoster);
    // The handler must be gone before the poster it posts through, on every way out.
    struct SignalScope {
      ~SignalScope() { os::RemoveSessionEndSignal(); }
    } signalScope;

    desktop::SonoquillApplication application(argc, argv);
    desktop::StartupProbe startupProbe(application);
    desktop::QtMessageBoxService boxes(desktop::QtMessageBoxService::AutoAnswerFromEnvironment());
    desktop::QtFileDialogService files;
    PortAudioWaveOut waveOut;
    os::LinuxVersionQuery version;
    os::DetachedLauncher launcher;
    Services services{boxes, files, waveOut, version, launcher, queue, mainWindowPoster};
    os::FlockInstanceLock lock;
    desktop::QtFrontend frontend(application, queue, mainWindowPoster, boxes, files);

    return RunSonoquill(services, lock, frontend);
  } catch (const std::exception& e) {
    std::cerr << "Sonoquill: " << e.what() << "\n";
    return 1;
  }
}
