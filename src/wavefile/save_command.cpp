// The Save command: writing the generated block or the edited file data as a WAV file.
#include "app/main_form.h"
#include "wavefile/save_routines.h"
#include "wavefile/wave_dialog_options.h"

void TForm1::K5Click() {
  const ui::SaveDialogResult answer =
      services.files.AskSave(WaveFileDialogOptions(app.SaveFileName));
  app.SaveFileName = answer.name;
  if (!answer.confirmed) return;

  Memo1.Add("ファイル出力中...");
  Memo1.Add("触るな危険！！");
  const int result = app.LoadedDataBytes == 0 ? SaveGeneratedBlock(app, RadioGroup2.ItemIndex())
                                              : SaveLoadedData(app, app.LoadedFormat.nChannels - 1);
  if (result == SaveResultFailed) {
    Memo1.Add(
        "ファイル保存処理で例外エラーが発生しました。\r\n"
        "ファイル出力が正常に完了しなかった可能性があります。");
  }
  Memo1.Add("完了！");
  Memo1.Add("出力ファイル：" + app.SaveFileName);
}
