#include "app/main_form.h"

#include "editor/right_form.h"
#include "synth/waveform_view.h"

namespace {
const EditorLayout kMainLayout{"K6", "K7", 479, {150, 150, 300}, 161, 496, 368};
constexpr unsigned kVersionCommand = 100;
}  // namespace

TForm1::TForm1(AppState& appState, Services& servicesIn)
    : EditorForm(appState, servicesIn.boxes, "Form1", "Sonoquill", 742, 498, kMainLayout,
                 appState.SelectedSegment),
      services(servicesIn),
      Label3(this, "Label3"),
      Label4(this, "Label4"),
      Button2(this, "Button2"),
      Memo1(this, "Memo1"),
      RadioGroup1(this, "RadioGroup1", {"10 msec", "100 msec"}, 2, 1),
      Button3(this, "Button3"),
      Button4(this, "Button4"),
      RadioGroup2(this, "RadioGroup2", {"モノラル", "ステレオ"}, 2, 0),
      TrackBar1(this, "TrackBar1"),
      Button5(this, "Button5"),
      K3("K3", "新規作成"),
      K4("K4", "開く..."),
      K5("K5", "保存..."),
      N2("N2", "-", true),
      K1("K1", "ボリュームコントロール"),
      K2("K2", "オーディオのプロパティ"),
      N1("N1", "-", true),
      Rch1("Rch1", "Rch"),
      N3("N3", "-", true) {
  appState.Form1 = this;
  EndsProgramWhenClosed = true;

  Label3.SetBounds(344, 440, 70, 12);
  Label3.SetCaption("再生位置 0秒");
  Label4.SetBounds(608, 456, 114, 12);
  Label4.SetCaption("Sonoquill version 1.02");
  Button2.SetBounds(416, 264, 75, 25);
  Button2.SetCaption("生成");
  Memo1.SetBounds(536, 304, 193, 137);
  RadioGroup1.SetBounds(248, 256, 153, 33);
  RadioGroup1.SetCaption("間隔");
  Button3.SetBounds(8, 416, 75, 25);
  Button3.SetCaption("再生");
  Button4.SetBounds(112, 416, 75, 25);
  Button4.SetCaption("停止");
  RadioGroup2.SetBounds(96, 256, 145, 33);
  RadioGroup2.SetCaption("チャンネル");
  TrackBar1.SetBounds(264, 416, 201, 21);
  Button5.SetBounds(272, 440, 57, 25);
  Button5.SetCaption("決定");

  for (ui::MenuItem* item : {&K3, &K4, &K5, &N2, &K1, &K2, &N1, &Rch1, &N3, &K6, &K7}) {
    PopupMenu1.Add(*item);
  }

  Button2.OnClick = [this] { Button2Click(); };
  RadioGroup1.OnClick = [this] { RadioGroup1Click(); };
  RadioGroup2.OnClick = [this] { RadioGroup2Click(); };
  Button3.OnClick = [this] { Button3Click(); };
  Button4.OnClick = [this] { Button4Click(); };
  TrackBar1.OnChange = [this] { TrackBar1Change(); };
  Button5.OnClick = [this] { Button5Click(); };
  K1.OnClick = [this] { K1Click(); };
  K2.OnClick = [this] { K2Click(); };
  K3.OnClick = [this] { K3Click(); };
  K4.OnClick = [this] { K4Click(); };
  K5.OnClick = [this] { K5Click(); };
  Rch1.OnClick = [this] { Rch1Click(); };
  OnClose = [this] { FormClose(); };
  editor.OnCopyModeChosen = [this] {
    Memo1.Add("");
    Memo1.Add(
        "キャンバス上でコピーしたい範囲をドラッグして下さい。右クリックメニューでコピーできます"
        "。");
    Memo1.Add(
        "貼り付けたイメージの確定は再度貼り付けを行うかキャンバス上をクリックする必要がありま"
        "す。");
    Memo1.Add("なお、貼り付けを実行した後の取り消しはできません。\r\n");
  };

  // Construction proper.
  AppendSystemMenu(kVersionCommand, "ﾊﾞｰｼﾞｮﾝ情報");
  ClearBlockSamples(app);
  Label4.SetCaption(app.VersionText);
  Shape1.SetBounds(Shape1.Left(), Shape1.Top(), 0, 0);
  Shape1.Hide();
  app.ClipboardImage = std::make_unique<ui::Image>(nullptr, "ClipboardImage");
}

EditorForm& TForm1::OtherEditor() {
  return *app.Form2;
}

void TForm1::FormCreate() {
  Memo1.Clear();
  Memo1.Add("キャンバス上で波形を描いて生成ボタンを押します。");
  Memo1.Add("再生ボタンを押すと生成された音声が再生されます。");
  if (const auto version = services.version.Query()) {
    CheckOsVersion(app, version->major, version->minor, version->platformId);
  }
  if (app.IsVistaOrLater) K1.SetCaption("音量ミキサー");
  editor.InitCanvas();
  DrawGeneratedView(app, 0, false);
}

void TForm1::FormClose() {
  editor.ReleaseThumbnails();
  if (app.Form2 != nullptr) app.Form2->editor.ReleaseThumbnails();
  app.ClipboardImage.reset();
  app.LoadedData.clear();
  app.LoadedData.shrink_to_fit();
}

long TForm1::WndProc(const ui::Message& m) {
  switch (m.msg) {
    case ui::WM_QUERYENDSESSION:
      services.queue.Post({this, ui::WM_CLOSE, 0, 0});
      return 1;
    case ui::WM_SYSCOMMAND:
      if (m.wParam == kVersionCommand) {
        boxes.Show(app.VersionText + app.CreditText, "Sonoquill", ui::MB_OK);
        return 0;
      }
      return DefaultHandler(m);
    case ui::MM_WOM_DONE:
      OnWaveOutDone();
      return 0;
    default:
      return DefaultHandler(m);
  }
}
