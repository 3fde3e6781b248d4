// Generate, the interval and channel settings, "Rch" and New, driven as a user drives them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "synth/synth_fixture.h"

namespace {

using namespace synth_test;

const std::vector<std::string> kClearedLines{"生成した波形データは初期化されました。",
                                             "再生を行う場合は再度生成を実行して下さい。"};

std::vector<std::string> LinesSince(const ui::Memo& memo, std::size_t first) {
  return {memo.Lines().begin() + static_cast<std::ptrdiff_t>(first), memo.Lines().end()};
}

bool BlockIsZero(const TestWorld& w) {
  for (const BlockCopy& copy : w.app.BlockSamples) {
    for (std::int16_t s : copy) {
      if (s != 0) return false;
    }
  }
  return true;
}

void PaintSomething(TestWorld& w) {
  for (int i = 0; i < 10; ++i) {
    for (int x = 30; x < 471; ++x) {
      Ink(w.form1, i, x, 20 + (x + 9 * i) % 200);
      Ink(w.form2, i, x, 219 - (x + 5 * i) % 200);
    }
  }
}

void SelectSegment(EditorForm& f, int i) {
  f.editor.SegmentThumbnails[static_cast<std::size_t>(i)]->Click();
}

TEST(GenerateCommand, APaintedStrokeBecomesSamplesAndACurveWithStatusTexts) {
  TestWorld w;
  // Row 70 is 50 rows above the centre: 16384, drawn at y 35 of the view.
  w.form1.Image1.MouseDown(ui::MouseButton::Left, 100, 70);
  w.form1.Image1.MouseMove(300, 70);
  w.form1.Image1.MouseUp(ui::MouseButton::Left, 300, 70);
  std::vector<std::string> panel1{w.form1.StatusBar1.PanelText(1)};
  w.form1.StatusBar1.OnChanged = [&] {
    const std::string& t = w.form1.StatusBar1.PanelText(1);
    if (panel1.back() != t) panel1.push_back(t);
  };
  Generate(w);
  panel1.erase(panel1.begin());
  EXPECT_EQ(panel1, (std::vector<std::string>{"生成中...", "OK"}));
  for (std::size_t f = 700; f < 2700; ++f) ASSERT_EQ(Block(w)[f], 16384) << f;
  EXPECT_EQ(Block(w)[699], 0);
  EXPECT_EQ(Block(w)[2700], 0);
  // Frames 700 to 2699 are columns 36 to 56 of the view.
  for (int x = 37; x < 56; ++x) EXPECT_EQ(View(w.form1).Pixel(x, 35), gdi::kGreen) << x;
}

TEST(GenerateCommand, RefusedWhilePlayingWithOnlyTheLogLine) {
  TestWorld w;
  PaintSomething(w);
  w.form1.RadioGroup2.SetItemIndex(1);
  Generate(w);
  w.form1.StatusBar1.SetPanelText(0, "イメージ1");
  w.form1.StatusBar1.SetPanelText(1, "x");
  const auto block = w.app.BlockSamples;
  const gdi::Picture mainView = w.form1.Image2.Picture();
  const gdi::Picture rightView = w.form2.Image2.Picture();
  const std::size_t lines = w.form1.Memo1.Lines().size();

  w.form1.Button3.SetEnabled(false);  // as playback leaves it
  w.form1.Button2.Click();
  EXPECT_EQ(LinesSince(w.form1.Memo1, lines),
            (std::vector<std::string>{"再生中は生成できません。"}));
  EXPECT_TRUE(w.app.BlockSamples == block);
  EXPECT_TRUE(w.form1.Image2.Picture() == mainView);
  EXPECT_TRUE(w.form2.Image2.Picture() == rightView);
  EXPECT_EQ(w.form1.StatusBar1.PanelText(0), "イメージ1");
  EXPECT_EQ(w.form1.StatusBar1.PanelText(1), "x");
}

TEST(IntervalSetting, ChangingItClearsTheBlockRelabelsBothWindowsAndKeepsTheView) {
  TestWorld w;
  PaintSomething(w);
  SelectSegment(w.form1, 2);
  SelectSegment(w.form2, 2);
  EXPECT_EQ(w.form1.Label1.Caption(), "200 msec");
  Generate(w);
  const gdi::Picture view = w.form1.Image2.Picture();
  const std::size_t lines = w.form1.Memo1.Lines().size();

  w.form1.Button3.SetEnabled(false);  // playing: the change stops playback first
  w.form1.RadioGroup1.SetItemIndex(0);
  EXPECT_TRUE(BlockIsZero(w));
  EXPECT_EQ(LinesSince(w.form1.Memo1, lines), kClearedLines);
  EXPECT_TRUE(w.form1.Image2.Picture() == view);
  for (EditorForm* f : {static_cast<EditorForm*>(&w.form1), static_cast<EditorForm*>(&w.form2)}) {
    EXPECT_EQ(f->Label1.Caption(), "20 msec");
    EXPECT_EQ(f->Label2.Caption(), "30 msec");
  }
  w.form1.Button3.SetEnabled(true);

  // Choosing the item already chosen runs nothing: the new block stays.
  Generate(w);
  const auto block = w.app.BlockSamples;
  const std::size_t before = w.form1.Memo1.Lines().size();
  w.form1.RadioGroup1.SetItemIndex(0);
  EXPECT_TRUE(w.app.BlockSamples == block);
  EXPECT_EQ(w.form1.Memo1.Lines().size(), before);

  w.form1.RadioGroup1.SetItemIndex(1);
  for (EditorForm* f : {static_cast<EditorForm*>(&w.form1), static_cast<EditorForm*>(&w.form2)}) {
    EXPECT_EQ(f->Label1.Caption(), "200 msec");
    EXPECT_EQ(f->Label2.Caption(), "300 msec");
  }
  EXPECT_EQ(LinesSince(w.form1.Memo1, before), kClearedLines);
}

TEST(ChannelSetting, StereoShowsTheRightWindowAndMonoHidesIt) {
  for (const bool fileLoaded : {false, true}) {
    TestWorld w;
    if (fileLoaded) {
      w.app.LoadedFormat.nChannels = 2;
      w.app.LoadedData.assign(88200, 0);
      w.app.LoadedDataBytes = 88200 * 2;
    }
    int broughtToFront = 0;
    w.form2.OnBroughtToFront = [&] { ++broughtToFront; };
    PaintSomething(w);
    Generate(w);
    const std::size_t lines = w.form1.Memo1.Lines().size();

    w.form1.RadioGroup2.SetItemIndex(1);
    EXPECT_TRUE(BlockIsZero(w));
    EXPECT_TRUE(w.form2.Visible());
    EXPECT_EQ(broughtToFront, 1);
    // Both views drawn from the cleared block.
    ExpectCurveOnRow(View(w.form1), 50);
    ExpectCurveOnRow(View(w.form2), 50);
    const std::vector<std::string> logged = fileLoaded ? std::vector<std::string>{} : kClearedLines;
    EXPECT_EQ(LinesSince(w.form1.Memo1, lines), logged);

    Generate(w);
    const std::size_t middle = w.form1.Memo1.Lines().size();
    w.form1.RadioGroup2.SetItemIndex(0);
    EXPECT_TRUE(BlockIsZero(w));
    EXPECT_FALSE(w.form2.Visible());
    EXPECT_EQ(LinesSince(w.form1.Memo1, middle), logged);
    EXPECT_NE(Thumb(w.form2, 0), w.form2.Image1.Picture()) << "the right pictures stay";
  }
}

TEST(RchItem, OnlyStereoShowsTheRightWindow) {
  TestWorld w;
  const std::size_t lines = w.form1.Memo1.Lines().size();
  w.form1.Rch1.Click();
  EXPECT_EQ(LinesSince(w.form1.Memo1, lines),
            (std::vector<std::string>{"ステレオ選択時のみ有効です。", ""}));
  EXPECT_FALSE(w.form2.Visible());

  w.form1.RadioGroup2.SetItemIndex(1);
  w.form2.Close();
  w.app.BlockSamples[0].fill(32767);
  w.form1.Rch1.Click();
  EXPECT_TRUE(w.form2.Visible());
  ExpectCurveOnRow(View(w.form2), 20);
}

void ExpectStartState(TestWorld& w) {
  TForm1& f = w.form1;
  EXPECT_EQ(w.app.SampleRate, 44100);
  EXPECT_EQ(f.RadioGroup1.ItemIndex(), 1);
  EXPECT_EQ(f.RadioGroup2.ItemIndex(), 0);
  EXPECT_TRUE(f.RadioGroup1.Enabled());
  EXPECT_TRUE(f.RadioGroup2.Enabled());
  EXPECT_EQ(f.TrackBar1.Max(), 0);
  EXPECT_EQ(f.TrackBar1.Position(), 0);
  EXPECT_EQ(f.Label3.Caption(), "再生位置 0秒");
  EXPECT_EQ(f.StatusBar1.PanelText(2), "");
  EXPECT_EQ(w.app.SelectedSegment, 0);
  EXPECT_EQ(w.app.SelectedSegmentR, 0);
  EXPECT_EQ(w.app.LoadedDataBytes, 0u);
  EXPECT_EQ(w.app.CurrentBlock, 0);
  EXPECT_TRUE(BlockIsZero(w));
  EXPECT_FALSE(w.form2.Visible());
  ExpectCurveOnRow(View(f), 50);
  // Ten new blank pictures drawn for 44100 Hz in each window, and blank canvases.
  for (EditorForm* e : {static_cast<EditorForm*>(&w.form1), static_cast<EditorForm*>(&w.form2)}) {
    EXPECT_EQ(e->ScrollBox1.VertScrollPosition(), 0);
    EXPECT_EQ(e->ScrollBox1.Children().size(), 10u);
    EXPECT_EQ(e->Image1.Picture().Pixel(471, 5), gdi::kBlue) << "marker of 44100 Hz";
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(Thumb(*e, i) == e->Image1.Picture()) << i;
  }
}

TEST(NewCommand, FromStereoAtTenMsecRunsBothHandlersAndReturnsToTheStart) {
  TestWorld w;
  TForm1& f = w.form1;
  f.RadioGroup1.SetItemIndex(0);
  f.RadioGroup2.SetItemIndex(1);
  PaintSomething(w);
  SelectSegment(f, 3);
  SelectSegment(w.form2, 4);
  f.ScrollBox1.SetVertScrollPosition(200);
  w.form2.ScrollBox1.SetVertScrollPosition(300);
  Generate(w);
  f.TrackBar1.SetMax(5);
  f.TrackBar1.SetPosition(3);
  f.Label3.SetCaption("再生位置 3秒");
  f.StatusBar1.SetPanelText(2, "44100Hz 16bit");
  const std::size_t lines = f.Memo1.Lines().size();

  w.dialogs.AnswerBox(ui::IDYES);
  f.K3.Click();
  ASSERT_EQ(w.dialogs.shown.size(), 1u);
  EXPECT_EQ(w.dialogs.shown[0].text,
            "新規作成を行うと現在編集中のデータは初期化されます。よろしいですか？");
  EXPECT_EQ(w.dialogs.shown[0].title, f.Caption());
  EXPECT_EQ(w.dialogs.shown[0].flags, 0x44u);
  std::vector<std::string> expected = kClearedLines;
  expected.insert(expected.end(), kClearedLines.begin(), kClearedLines.end());
  expected.insert(expected.end(), {"新規作成しました。", ""});
  EXPECT_EQ(LinesSince(f.Memo1, lines), expected);
  ExpectStartState(w);
}

TEST(NewCommand, WithA22050HzFileLoadedUnlocksTheSettingsAndLeavesTheFileData) {
  TestWorld w;
  TForm1& f = w.form1;
  w.app.SampleRate = 22050;
  w.app.LoadedFormat = {1, 1, 22050, 44100, 2, 16, 0};
  w.app.LoadedFrameBytes = 2;
  w.app.LoadedData.assign(22050 * 3, 5);
  w.app.LoadedDataBytes = 22050 * 3 * 2;
  w.app.CurrentBlock = 1;
  f.RadioGroup1.SetEnabled(false);
  f.RadioGroup2.SetEnabled(false);
  f.TrackBar1.SetMax(2);
  f.TrackBar1.SetPosition(1);
  f.StatusBar1.SetPanelText(2, "22050Hz 16bit モノラル");
  const std::size_t lines = f.Memo1.Lines().size();

  w.dialogs.AnswerBox(ui::IDYES);
  f.K3.Click();
  EXPECT_EQ(LinesSince(f.Memo1, lines), (std::vector<std::string>{"新規作成しました。", ""}));
  ExpectStartState(w);

  PaintSomething(w);
  Generate(w);
  EXPECT_EQ(w.app.LoadedData, std::vector<std::int16_t>(22050 * 3, 5));
}

TEST(NewCommand, AnsweredNoChangesNothing) {
  TestWorld w;
  PaintSomething(w);
  SelectSegment(w.form1, 3);
  Generate(w);
  const auto block = w.app.BlockSamples;
  const gdi::Picture thumb = Thumb(w.form1, 5);
  const std::size_t lines = w.form1.Memo1.Lines().size();
  w.dialogs.AnswerBox(ui::IDNO);
  w.form1.K3.Click();
  EXPECT_TRUE(w.app.BlockSamples == block);
  EXPECT_TRUE(Thumb(w.form1, 5) == thumb);
  EXPECT_EQ(w.app.SelectedSegment, 3);
  EXPECT_EQ(w.form1.Memo1.Lines().size(), lines);
}

}  // namespace
