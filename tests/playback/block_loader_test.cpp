// Choosing a second with the track bar and "決定": which values are copied, where they are drawn,
// and what the labels say.
#include <gtest/gtest.h>

#include "playback/sample_row.h"
#include "playback/second_bounds.h"
#include "support/test_world.h"
#include "support/wav_files.h"

namespace {

using playback::SampleRow;

TEST(BlockLoader, SamplesLandOnTheRowsOfTheScale) {
  const struct {
    int s, row;
  } cases[] = {{32767, 20}, {0, 120}, {1, 119}, {-1, 120}, {8192, 95}, {-8192, 144}, {-32768, 219}};
  for (const auto& c : cases) EXPECT_EQ(SampleRow(120, c.s), c.row) << c.s;
  const playback::SampleRowTable table(120);
  for (int s = -32768; s <= 32767; ++s) {
    const int row = SampleRow(120, s);
    ASSERT_TRUE(row >= 20 && row <= 219) << s << " lands on row " << row;
    ASSERT_EQ(table(static_cast<std::int16_t>(s)), row) << s;
  }
}

TEST(BlockLoader, ASecondCopiesOnlyTheValuesTheDataHolds) {
  const std::int64_t stereo44 = 2 * 44100;
  const struct {
    std::int64_t n, p, total, count;
  } cases[] = {
      {stereo44, 0, 220500, stereo44},  // 2.5 s of stereo: a whole second
      {stereo44, 2, 220500, 44100},     // its last half second
      {stereo44, 3, 220500, 0},         // past the end
      {44100, 3, 3 * 44100, 0},         // exactly 3 s: position 3 lies just past the data
      {44100, 0, 10, 10},               // shorter than a second
      {96000, 2147483647, 500, 0},      // a far position does not overflow
  };
  for (const auto& c : cases) {
    EXPECT_EQ(playback::SecondValueCount(c.n, c.p, c.total), c.count)
        << c.n << " a second, position " << c.p << ", " << c.total << " values";
  }
}

std::vector<std::string> MemoAfterStart(const TestWorld& w) {
  const auto& lines = w.form1.Memo1.Lines();
  return std::vector<std::string>(lines.begin() + 2, lines.end());
}

TEST(BlockLoader, MovingTheTrackBarOnlyNamesTheSecond) {
  TestWorld w;
  SetLoadedFile(w.app, 1, 8000, PatternSamples(5 * 8000));
  w.form1.TrackBar1.SetMax(5);
  w.app.CurrentBlock = 1;
  const BlockCopy before = w.app.BlockSamples[0];
  w.form1.TrackBar1.SetPosition(3);
  EXPECT_EQ(w.form1.Label3.Caption(), "再生位置 3秒");
  EXPECT_EQ(w.app.CurrentBlock, 1);
  EXPECT_EQ(w.app.BlockSamples[0], before);
  EXPECT_TRUE(MemoAfterStart(w).empty());
}

TEST(BlockLoader, ConfirmDoesNothingWithoutAFile) {
  TestWorld w;
  w.app.BlockSamples[0][5] = 77;
  w.app.SelectedSegment = 4;
  w.form1.Button5.Click();
  EXPECT_TRUE(MemoAfterStart(w).empty());
  EXPECT_EQ(w.app.BlockSamples[0][5], 77);
  EXPECT_EQ(w.app.SelectedSegment, 4);
}

// LoadedDataBytes claiming more than LoadedData holds: the bounded copy meets a real exception.
void BreakTheDataSize(TestWorld& w) {
  SetLoadedFile(w.app, 1, 8000, PatternSamples(100), 16000);
  w.app.SelectedSegment = 4;
}

const char* const kCopyQuestion =
    "例外エラーが発生しました。このまま続行すると致命的な症状に発展する可能性があります。"
    "処理を中止しますか？";

TEST(BlockLoader, ACopyFaultAnsweredYesAbortsAndDropsTheFileData) {
  TestWorld w;
  BreakTheDataSize(w);
  w.dialogs.AnswerBox(ui::IDYES);
  w.form1.Button5.Click();
  ASSERT_EQ(w.dialogs.shown.size(), 1u);
  EXPECT_EQ(w.dialogs.shown[0].text, kCopyQuestion);
  EXPECT_EQ(w.dialogs.shown[0].title, "Sonoquill");
  EXPECT_EQ(w.dialogs.shown[0].flags, ui::MB_YESNO | ui::MB_ICONSTOP);
  EXPECT_EQ(MemoAfterStart(w),
            (std::vector<std::string>{
                "データ処理中...",
                "例外エラーが発生したため処理を中止しました。新規作成を行い初期化して下さい。"}));
  EXPECT_EQ(w.app.LoadedDataBytes, 0u);
  EXPECT_EQ(w.app.SelectedSegment, 0);
  const std::vector<std::int16_t> copied(w.app.BlockSamples[0].begin(),
                                         w.app.BlockSamples[0].begin() + 100);
  EXPECT_EQ(copied, PatternSamples(100)) << "what was copied before the fault stays";
  EXPECT_EQ(w.app.BlockSamples[1][100], 0);
}

TEST(BlockLoader, ACopyFaultAnsweredNoGoesOnWithWhatWasCopied) {
  TestWorld w;
  BreakTheDataSize(w);
  w.dialogs.AnswerBox(ui::IDNO);
  w.form1.Button5.Click();
  EXPECT_EQ(
      MemoAfterStart(w),
      (std::vector<std::string>{
          "データ処理中...",
          "例外エラーが発生しました。処理が正常に完了しなかった可能性があります。", "完了！", ""}));
  EXPECT_EQ(w.app.LoadedDataBytes, 16000u);
  EXPECT_EQ(w.app.CurrentBlock, 0);
}

int BlackPixels(const gdi::Picture& p, int rowFrom, int rowTo) {
  int n = 0;
  for (int y = rowFrom; y < rowTo; ++y) {
    for (int x = 0; x < p.Width(); ++x) n += p.Pixel(x, y) == 0 ? 1 : 0;
  }
  return n;
}

TEST(BlockLoader, ConfirmLoadsTheChosenSecondWholeOrInPart) {
  TestWorld w;
  // 2.5 s of stereo at 44100 Hz.
  const std::vector<std::int16_t> s = PatternSamples(220500, 2);
  SetLoadedFile(w.app, 2, 44100, s);
  w.form1.RadioGroup2.SetItemIndex(1);
  w.form1.TrackBar1.SetMax(2);
  for (const int p : {1, 2}) {
    SCOPED_TRACE(p);
    w.form1.TrackBar1.SetPosition(p);
    w.form1.Button5.Click();
    const std::size_t count = p == 1 ? 88200 : 44100;
    for (std::size_t i = 0; i < static_cast<std::size_t>(kBlockCapacity); ++i) {
      const std::int16_t expected = i < count ? s[88200 * static_cast<std::size_t>(p) + i] : 0;
      ASSERT_EQ(w.app.BlockSamples[0][i], expected) << i;
      ASSERT_EQ(w.app.BlockSamples[1][i], expected) << i;
    }
    EXPECT_EQ(w.app.CurrentBlock, p);
  }
}

TEST(BlockLoader, PastTheEndEveryPictureShowsTheMiddleLine) {
  TestWorld w;
  SetLoadedFile(w.app, 1, 44100, PatternSamples(3 * 44100));
  w.form1.TrackBar1.SetMax(3);
  w.form1.TrackBar1.SetPosition(3);
  w.form1.Button5.Click();
  EXPECT_EQ(w.app.CurrentBlock, 3);
  for (int k = 0; k < 10; ++k) {
    SCOPED_TRACE(k);
    const gdi::Picture& pic =
        w.form1.editor.SegmentThumbnails[static_cast<std::size_t>(k)]->Picture();
    for (int x = 30; x < 470; ++x) ASSERT_EQ(pic.Pixel(x, 120), 0u) << x;
    EXPECT_EQ(BlackPixels(pic, 0, 240), 440) << "nothing but the middle line";
  }
}

TEST(BlockLoader, StereoGoesLeftToTheMainWindowAndRightToTheOther) {
  TestWorld w;
  std::vector<std::int16_t> s(2 * 48000);
  for (std::size_t i = 0; i < s.size(); ++i) s[i] = i % 2 == 0 ? 16384 : -16384;
  SetLoadedFile(w.app, 2, 48000, s);
  w.form1.RadioGroup2.SetItemIndex(1);
  w.app.SelectedSegment = 3;
  w.app.SelectedSegmentR = 5;
  w.form1.Button5.Click();
  const int left = SampleRow(120, 16384), right = SampleRow(120, -16384);
  for (int k = 0; k < 10; ++k) {
    SCOPED_TRACE(k);
    const auto i = static_cast<std::size_t>(k);
    const gdi::Picture& l = w.form1.editor.SegmentThumbnails[i]->Picture();
    const gdi::Picture& r = w.form2.editor.SegmentThumbnails[i]->Picture();
    EXPECT_EQ(l.Pixel(300, left), 0u);
    EXPECT_NE(l.Pixel(300, right), 0u);
    EXPECT_EQ(r.Pixel(300, right), 0u);
    EXPECT_NE(r.Pixel(300, left), 0u);
    EXPECT_EQ(l.Pixel(508, left), 0u) << "at 48000 Hz the columns reach the canvas's end";
  }
  EXPECT_EQ(w.form1.Image1.Picture(), w.form1.editor.SegmentThumbnails[0]->Picture());
  EXPECT_EQ(w.form2.Image1.Picture(), w.form2.editor.SegmentThumbnails[0]->Picture());
  for (EditorForm* f : {static_cast<EditorForm*>(&w.form1), static_cast<EditorForm*>(&w.form2)}) {
    EXPECT_EQ(f->Label1.Caption(), "0 msec");
    EXPECT_EQ(f->Label2.Caption(), "100 msec");
  }
  EXPECT_EQ(w.app.SelectedSegment, 0);
  EXPECT_EQ(w.app.SelectedSegmentR, 0);
}

TEST(BlockLoader, EachPictureIsTheBlankSegmentWithOneLinePerSample) {
  TestWorld w;
  SetLoadedFile(w.app, 2, 48000, PatternSamples(3 * 96000, 4));
  w.form1.RadioGroup2.SetItemIndex(1);
  w.form1.TrackBar1.SetMax(3);
  w.form1.TrackBar1.SetPosition(1);
  w.form1.Button5.Click();
  const BlockCopy block = w.app.BlockSamples[0];
  for (EditorForm* f : {static_cast<EditorForm*>(&w.form1), static_cast<EditorForm*>(&w.form2)}) {
    const int channel = f == &w.form1 ? 0 : 1;
    f->editor.DrawBlankSegment();
    const gdi::Picture blank = f->Image1.Picture();
    for (int k = 0; k < 10; ++k) {
      SCOPED_TRACE(testing::Message() << "channel " << channel << ", segment " << k);
      gdi::Picture expected = blank;
      gdi::Canvas canvas(expected);
      canvas.MoveTo(30, 120);
      for (int i = 0; i < 4800; ++i) {
        canvas.LineTo(
            30 + i / 10,
            SampleRow(120, block[static_cast<std::size_t>(2 * (k * 4800 + i) + channel)]));
      }
      ASSERT_EQ(f->editor.SegmentThumbnails[static_cast<std::size_t>(k)]->Picture(), expected);
    }
  }
}

TEST(BlockLoader, AtARateThatIsNoMultipleOfTenSegmentsStartAtRateDivTen) {
  TestWorld w;
  std::vector<std::int16_t> s(22050);
  s[2205] = 32767;  // the first frame of segment 1
  SetLoadedFile(w.app, 1, 22050, s);
  w.form1.Button5.Click();
  EXPECT_EQ(w.form1.editor.SegmentThumbnails[1]->Picture().Pixel(30, 21), 0u);
  EXPECT_EQ(BlackPixels(w.form1.editor.SegmentThumbnails[0]->Picture(), 0, 120), 0);
}

}  // namespace
