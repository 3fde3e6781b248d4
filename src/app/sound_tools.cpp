// The popup items that start the system's own sound tools, and the version test that picks them.
#include "app/main_form.h"

void CheckOsVersion(AppState& app, unsigned major, unsigned minor, unsigned platformId) {
  if ((major == 6 && minor == 0 && platformId == os::VER_PLATFORM_WIN32_NT) ||
      (major == 6 && minor == 1)) {
    app.IsVistaOrLater = true;
  }
}

void TForm1::K1Click() {
  services.launcher.Start(app.IsVistaOrLater ? "sndvol.exe" : "sndvol32.exe");
}

void TForm1::K2Click() {
  services.launcher.Start("mmsys.cpl");
}
