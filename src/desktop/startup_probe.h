// Start-up measurement: with SONOQUILL_STARTUP_PROBE set, the program writes one line to stderr
// once its first window has been painted,
//   sonoquill: first frame at <steady-clock nanoseconds>, resident <KiB> KiB
// so that a benchmark can time a whole start from outside (the clock is the system's monotonic
// clock, which the benchmark reads before it starts the process). Without the variable it does
// nothing.
#pragma once

#include <QObject>

namespace desktop {

class StartupProbe : public QObject {
 public:
  // Watches `application`'s events when the variable is set.
  explicit StartupProbe(QObject& application);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Report();
  QObject* application_ = nullptr;
  bool painted_ = false;
};

}  // namespace desktop
