// Generate, the interval and channel settings, "Rch" and New.
#include "app/main_form.h"
#include "editor/right_form.h"
#include "synth/synthesis.h"
#include "synth/waveform_view.h"

namespace {
constexpr char kBlockClearedText[] =
    "生成した波形データは初期化されました。\r\n再生を行う場合は再度生成を実行して下さい。";
}

void TForm1::Button2Click() {
  // The refill reads the block while playback runs.
  if (!Button3.Enabled()) {
    Memo1.Add("再生中は生成できません。");
    return;
  }
  StatusBar1.SetPanelText(1, "生成中...");
  if (RadioGroup2.ItemIndex() == 0) {
    SynthesizeMono(app);
    DrawGeneratedView(app, 0, false);
  } else {
    SynthesizeStereo(app);
    DrawGeneratedView(app, 0, true);
  }
  StatusBar1.SetPanelText(1, "OK");
}

void TForm1::RadioGroup1Click() {
  if (!Button3.Enabled()) Button4Click();
  ClearBlockSamples(app);
  editor.SetTimeLabels();
  app.Form2->editor.SetTimeLabels();
  Memo1.Add(kBlockClearedText);
}

void TForm1::RadioGroup2Click() {
  ClearBlockSamples(app);
  if (app.LoadedDataBytes == 0) Memo1.Add(kBlockClearedText);
  if (RadioGroup2.ItemIndex() == 1) {
    Rch1Click();
  } else {
    app.Form2->Close();
  }
}

void TForm1::Rch1Click() {
  if (RadioGroup2.ItemIndex() != 1) {
    Memo1.Add("ステレオ選択時のみ有効です。\r\n");
    return;
  }
  DrawGeneratedView(app, 0, true);
  app.Form2->Show();
  app.Form2->BringToFront();
}

void TForm1::K3Click() {
  const int answer =
      boxes.Show("新規作成を行うと現在編集中のデータは初期化されます。よろしいですか？", Caption(),
                 ui::MB_YESNO | ui::MB_ICONINFORMATION);
  if (answer != ui::IDYES) return;

  TForm2& right = *app.Form2;
  app.SampleRate = kDefaultSampleRate;
  // Assigning a new selection runs the group's handler, as a user's choice would.
  RadioGroup1.SetItemIndex(1);
  RadioGroup2.SetItemIndex(0);
  TrackBar1.SetMax(0);
  TrackBar1.SetPosition(0);
  Label3.SetCaption("再生位置 0秒");
  ClearBlockSamples(app);

  RebuildPictures(*this, right);
  DrawGeneratedView(app, 0, RadioGroup2.ItemIndex() != 0);

  RadioGroup1.SetEnabled(true);
  RadioGroup2.SetEnabled(true);
  RadioGroup1.Repaint();
  RadioGroup2.Repaint();
  ScrollBox1.Repaint();
  right.ScrollBox1.Repaint();

  app.SelectedSegment = 0;
  app.SelectedSegmentR = 0;
  app.LoadedDataBytes = 0;
  app.CurrentBlock = 0;
  StatusBar1.SetPanelText(2, "");
  Memo1.Add("新規作成しました。\r\n");
}
