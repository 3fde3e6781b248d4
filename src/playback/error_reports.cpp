// The two reporters of non-zero multimedia results.
#include <string>

#include "app/main_form.h"

void TForm1::ReportWaveOutError(audio::MMRESULT code) {
  if (code == audio::MMSYSERR_NOERROR) return;
  std::string text = services.waveOut.ErrorText(code);
  if (text.size() > 255) text.resize(255);
  boxes.Show(text, "エラー", ui::MB_OK);
  Button3.SetEnabled(true);
}

// Leaves "再生" alone: an Open that fails while playback runs must not make "停止" inert.
void TForm1::ReportMmioError(audio::MMRESULT code) {
  if (code == audio::MMSYSERR_NOERROR) return;
  boxes.Show("エラーコード: " + std::to_string(static_cast<std::int32_t>(code)), "MMIO エラー",
             ui::MB_OK);
}
