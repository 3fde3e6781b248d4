#include "desktop/startup_probe.h"

#include <QEvent>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <iostream>

#include "platform/os/resident_memory.h"

namespace desktop {

StartupProbe::StartupProbe(QObject& application) {
  const char* wanted = std::getenv("SONOQUILL_STARTUP_PROBE");
  if (wanted == nullptr || *wanted == '\0') return;
  application_ = &application;
  application.installEventFilter(this);
}

bool StartupProbe::eventFilter(QObject* watched, QEvent* event) {
  if (!painted_ && event->type() == QEvent::Paint) {
    painted_ = true;
    // Reported once the whole paint pass and its flush to the display are done.
    QTimer::singleShot(0, this, [this] { Report(); });
  }
  return QObject::eventFilter(watched, event);
}

void StartupProbe::Report() {
  application_->removeEventFilter(this);
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  std::cerr << "sonoquill: first frame at "
            << std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() << ", resident "
            << os::ResidentMemoryKiB() << " KiB" << std::endl;
}

}  // namespace desktop
