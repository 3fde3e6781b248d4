// The Open command: reading a 16-bit WAV file whole into memory and switching to file editing.
// The file is checked whole before anything is replaced, so a refused file leaves the one loaded
// before, and its settings, as they were.
#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "app/main_form.h"
#include "wavefile/wave_dialog_options.h"
#include "wavefile/wave_loader.h"

namespace {
const char* const kReadError = "WAVEファイル読み込みでエラーが発生しました。";
}  // namespace

void TForm1::K4Click() {
  const std::optional<std::string> path = services.files.AskOpen(WaveFileDialogOptions(""));
  if (!path) return;
  app.LoadedFileName = *path;
  Memo1.Add(app.LoadedFileName + "\r\n");

  wavefile::WaveLoadResult file = wavefile::LoadWaveFile(
      app.LoadedFileName, [this](wavefile::RiffResult code) { ReportMmioError(code); });

  auto refuse = [this](const std::string& text) {
    boxes.Show(text, Caption(), ui::MB_ICONEXCLAMATION);
    Memo1.Add(text + "\r\n");
  };
  switch (file.status) {
    case wavefile::WaveLoadStatus::Loaded:
      break;
    case wavefile::WaveLoadStatus::CannotOpen:
      boxes.Show("Error Opening File.", "エラー", ui::MB_OK);
      return;
    case wavefile::WaveLoadStatus::ChunkError:
    case wavefile::WaveLoadStatus::ReadError:
      Memo1.Add(kReadError);
      return;
    case wavefile::WaveLoadStatus::NotSixteenBit:
      refuse("16bitフォーマット以外のファイルは非対応です。");
      return;
    case wavefile::WaveLoadStatus::RateTooHigh:
      refuse("サンプリング周波数が " + std::to_string(wavefile::kMaxWaveRate) +
             "Hz を超えるフォーマットのファイルは非対応です。");
      return;
    case wavefile::WaveLoadStatus::RateZero:
      refuse("サンプリング周波数が 0Hz のファイルは非対応です。");
      return;
    case wavefile::WaveLoadStatus::UnsupportedChannels:
      refuse("モノラル・ステレオ以外のファイルは非対応です。");
      return;
    case wavefile::WaveLoadStatus::OutOfMemory:
      refuse("メモリが不足しているためファイルを読み込めません。");
      return;
  }

  // The file is good: from here on it replaces the one loaded before.
  const audio::WaveFormatEx& format = file.format;
  app.LoadedFormat = format;
  app.LoadedDataBytes = file.dataBytes;
  app.LoadedData = std::move(file.data);
  Memo1.Add(std::to_string(app.LoadedDataBytes) + " bytes of wave data loaded from file.");
  app.LoadedFrameBytes = format.nChannels * (format.wBitsPerSample / 8u);

  RadioGroup2.SetItemIndex(format.nChannels - 1);

  std::string status = std::to_string(format.wBitsPerSample) + "bit ";
  app.SampleRate = static_cast<std::int32_t>(format.nSamplesPerSec);
  status += std::to_string(app.SampleRate) + "Hz ";
  if (format.nChannels == 1) status += "モノラル";
  if (format.nChannels == 2) status += "ステレオ";
  StatusBar1.SetPanelText(2, status);

  RadioGroup1.SetItemIndex(1);
  RadioGroup1.SetEnabled(false);
  RadioGroup2.SetEnabled(false);

  // A byte rate of 0 would divide by zero; the format's own rate stands in for it.
  std::uint32_t bytesPerSecond = format.nAvgBytesPerSec;
  if (bytesPerSecond == 0) bytesPerSecond = format.nSamplesPerSec * app.LoadedFrameBytes;
  const double seconds = std::trunc(static_cast<double>(app.LoadedDataBytes) / bytesPerSecond);
  TrackBar1.SetMax(static_cast<int>(std::min(seconds, static_cast<double>(INT_MAX))));
  TrackBar1.SetPosition(0);
  Label3.SetCaption("再生位置 " + std::to_string(TrackBar1.Position()) + "秒");

  Button5Click();
}
