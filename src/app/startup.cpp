#include "app/startup.h"

#include <exception>

#include "app/main_form.h"
#include "editor/right_form.h"

int RunSonoquill(Services& services, InstanceLock& lock, Frontend& frontend) {
  if (!lock.TryAcquire()) {
    services.boxes.Show("すでに起動しています。", "Sonoquill", ui::MB_ICONSTOP);
    return 0;
  }
  try {
    AppState app;
    TForm1 form1(app, services);
    form1.FormCreate();
    TForm2 form2(app, services.boxes);
    form2.FormCreate();
    frontend.Run(form1, form2);
    // Closing the window does not stop playback, but the device plays from the main window's
    // buffers, so it ends here, before they go.
    if (!form1.Button3.Enabled()) {
      services.waveOut.Reset(form1.playback.WaveOutHandle);
      services.waveOut.Close(form1.playback.WaveOutHandle);
    }
  } catch (const std::exception& e) {
    frontend.ShowException(e.what());
  }
  lock.Release();
  return 0;
}
