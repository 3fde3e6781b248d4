// The segment editor in both windows: blank pictures, thumbnails, pen, eraser, copy and paste.
#include <gtest/gtest.h>

#include "support/test_world.h"

namespace {

using ui::MouseButton;

int CountPixels(const gdi::Picture& p, gdi::Color c) {
  int n = 0;
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) n += p.Pixel(x, y) == c;
  }
  return n;
}

const gdi::Picture& Thumb(EditorForm& f, int i) {
  return f.editor.SegmentThumbnails[static_cast<std::size_t>(i)]->Picture();
}

void Drag(EditorForm& f, std::initializer_list<gdi::Point> points,
          MouseButton b = MouseButton::Left) {
  auto it = points.begin();
  f.Image1.MouseDown(b, it->x, it->y);
  for (++it; it != points.end(); ++it) f.Image1.MouseMove(it->x, it->y);
  f.Image1.MouseUp(b, (points.end() - 1)->x, (points.end() - 1)->y);
}

TEST(BlankSegment, MarkerAndLabelFollowTheRateAndNoPixelIsInk) {
  const struct {
    int rate;
    int marker;  // -1: outside the picture
    int labelLeft;
  } cases[] = {{44100, 471, 471}, {8000, 110, 110}, {48000, -1, 510}};
  for (const auto& c : cases) {
    TestWorld w;
    w.app.SampleRate = c.rate;
    w.form1.editor.InitCanvas();
    const gdi::Picture& p = w.form1.Image1.Picture();
    ASSERT_EQ(p.Width(), 510);
    ASSERT_EQ(p.Height(), 240);
    EXPECT_EQ(CountPixels(p, gdi::kBlack), 0) << c.rate;
    EXPECT_EQ(w.form1.Label2.Left(), c.labelLeft);
    for (int x = 31; x < 510; ++x) {
      // A column of solid blue at rows 0 and 239 is the marker (the zero line crosses all).
      const bool solid = p.Pixel(x, 5) == gdi::kBlue && p.Pixel(x, 239) == gdi::kBlue;
      EXPECT_EQ(solid, x == c.marker) << c.rate << " column " << x;
    }
    EXPECT_EQ(p.Pixel(30, 0), gdi::kBlue);
    EXPECT_EQ(p.Pixel(30, 239), gdi::kBlue);
    EXPECT_EQ(p.Pixel(0, 120), gdi::kBlue);
    EXPECT_EQ(p.Pixel(509, 120), gdi::kBlue);
    EXPECT_EQ(p.Pixel(5, 5), gdi::kInfoBackground);
    // Dotted limit lines from column 30 to 509: some blue, some background.
    int blue20 = 0, blue220 = 0;
    for (int x = 31; x < 510; ++x) {
      if (x == c.marker) continue;
      blue20 += p.Pixel(x, 20) == gdi::kBlue;
      blue220 += p.Pixel(x, 220) == gdi::kBlue;
    }
    EXPECT_GT(blue20, 100);
    EXPECT_LT(blue20, 400);
    EXPECT_EQ(blue20, blue220);
    EXPECT_EQ(p.Pixel(29, 20), gdi::kInfoBackground) << "limit lines start at the axis";
    // Scale texts are blue on the background, left of the axis.
    for (int y : {16, 122, 216}) {
      int textBlue = 0;
      for (int yy = y; yy < y + 13; ++yy) {
        for (int x = 16; x < 30; ++x) textBlue += p.Pixel(x, yy) == gdi::kBlue;
      }
      EXPECT_GT(textBlue, 3) << "scale text at y " << y;
    }
  }
}

TEST(Thumbnails, TenScaledPicturesStacked93PixelsApartWithHints) {
  TestWorld w;
  for (EditorForm* f : {static_cast<EditorForm*>(&w.form1), static_cast<EditorForm*>(&w.form2)}) {
    const auto& children = f->ScrollBox1.Children();
    ASSERT_EQ(children.size(), 10u);
    for (int i = 0; i < 10; ++i) {
      const ui::Image& t = *children[static_cast<std::size_t>(i)];
      EXPECT_EQ(t.Top(), 93 * i);
      EXPECT_EQ(t.Left(), 0);
      EXPECT_EQ(t.Width(), 178);
      EXPECT_EQ(t.Height(), 83);
      EXPECT_EQ(t.Tag(), 100 + i);
      EXPECT_TRUE(t.Stretch);
      EXPECT_EQ(t.Picture(), f->Image1.Picture()) << "each holds a blank segment";
    }
    EXPECT_EQ(children[3]->Hint(), "イメージ4");
    EXPECT_EQ(children[9]->Hint(), "イメージ10");
  }
}

TEST(Thumbnails, SelectingStoresTheCanvasShowsTheNewOneAndSetsTheLabels) {
  TestWorld w;
  TForm1& f = w.form1;
  f.ScrollBox1.Children()[2]->Click();
  Drag(f, {{100, 100}, {150, 150}});
  const gdi::Picture painted = f.Image1.Picture();
  f.Image1.MouseDown(MouseButton::Left, 200, 50);
  f.Image1.MouseMove(250, 60);  // painted on the canvas but not yet stored
  const gdi::Picture unsaved = f.Image1.Picture();

  f.ScrollBox1.Children()[7]->Click();
  EXPECT_EQ(w.app.SelectedSegment, 7);
  EXPECT_EQ(Thumb(f, 2), unsaved) << "the segment being left is saved";
  EXPECT_NE(Thumb(f, 2), painted);
  EXPECT_EQ(f.Image1.Picture(), Thumb(f, 7));
  EXPECT_EQ(f.StatusBar1.PanelText(0), "イメージ8");
  EXPECT_EQ(f.Label1.Caption(), "700 msec");
  EXPECT_EQ(f.Label2.Caption(), "800 msec");

  f.Image1.Click();  // the canvas's own click selects nothing
  EXPECT_EQ(w.app.SelectedSegment, 7);

  // The right-channel window reads the main window's interval.
  f.RadioGroup1.SetItemIndex(0);
  w.form2.ScrollBox1.Children()[4]->Click();
  EXPECT_EQ(w.app.SelectedSegmentR, 4);
  EXPECT_EQ(w.form2.Label1.Caption(), "40 msec");
  EXPECT_EQ(w.form2.Label2.Caption(), "50 msec");
  EXPECT_EQ(w.form2.StatusBar1.PanelText(0), "イメージ5");
}

TEST(Clear, AsksWithTheWindowsCaptionAndBlanksOnlyOnYes) {
  TestWorld w;
  for (EditorForm* f : {static_cast<EditorForm*>(&w.form1), static_cast<EditorForm*>(&w.form2)}) {
    Drag(*f, {{100, 100}, {200, 120}});
    const gdi::Picture painted = f->Image1.Picture();
    const gdi::Picture blank = Thumb(*f, 1);

    w.dialogs.AnswerBox(ui::IDNO);
    f->Button1.Click();
    EXPECT_EQ(f->Image1.Picture(), painted);
    EXPECT_EQ(Thumb(*f, 0), painted);
    EXPECT_EQ(f->StatusBar1.PanelText(1), "イメージ1");

    w.dialogs.AnswerBox(ui::IDYES);
    f->Button1.Click();
    EXPECT_EQ(f->Image1.Picture(), blank);
    EXPECT_EQ(Thumb(*f, 0), blank);
    EXPECT_EQ(f->StatusBar1.PanelText(1), "OK");
  }
  ASSERT_EQ(w.dialogs.shown.size(), 4u);
  EXPECT_EQ(w.dialogs.shown[0].text, "現在選択されているイメージを消去します。よろしいですか？");
  EXPECT_EQ(w.dialogs.shown[0].title, "Sonoquill");
  EXPECT_EQ(w.dialogs.shown[0].flags, 0x14u);
  EXPECT_EQ(w.dialogs.shown[2].title, "Sonoquill - Rch");
  // Clearing the right-channel window left the main window's picture alone.
  EXPECT_EQ(w.form1.Image1.Picture(), Thumb(w.form1, 0));
}

TEST(Pen, PressOutsideThePressAreaChangesNothing) {
  TestWorld w;
  TForm1& f = w.form1;
  const gdi::Picture before = f.Image1.Picture();
  f.Image1.MouseDown(MouseButton::Left, 29, 100);
  EXPECT_FALSE(f.editor.PenDown);
  f.Image1.MouseMove(100, 100);
  f.Image1.MouseMove(200, 150);
  EXPECT_EQ(f.Image1.Picture(), before);
}

TEST(Pen, StrokeFromAPressRightOfTheMarkerStartsThere) {
  TestWorld w;
  TForm1& f = w.form1;
  f.Image1.MouseDown(MouseButton::Left, 480, 100);
  EXPECT_TRUE(f.editor.PenDown);
  f.Image1.MouseMove(475, 100);  // outside the zone: nothing drawn
  EXPECT_EQ(CountPixels(f.Image1.Picture(), gdi::kBlack), 0);
  f.Image1.MouseMove(460, 100);
  const gdi::Picture& p = f.Image1.Picture();
  EXPECT_EQ(p.Pixel(480, 100), gdi::kBlack) << "the line starts at the press point";
  EXPECT_EQ(p.Pixel(461, 100), gdi::kBlack);
  EXPECT_NE(p.Pixel(460, 100), gdi::kBlack) << "and leaves out its end point";
}

TEST(Pen, RightPressSetsThePenButDoesNotPaintAndCommitsAPendingPaste) {
  TestWorld w;
  TForm1& f = w.form1;
  f.RadioGroup3.SetItemIndex(2);
  Drag(f, {{100, 100}, {110, 110}});
  f.K6.Click();
  f.K7.Click();
  ASSERT_TRUE(f.Image3.Visible());
  f.Image1.MouseDown(MouseButton::Right, 200, 100);
  EXPECT_FALSE(f.Image3.Visible());
  EXPECT_FALSE(f.Shape1.Visible());
  EXPECT_FALSE(f.editor.PenDown);
  EXPECT_EQ(f.Image1.Canvas().PenPos(), (gdi::Point{200, 100}));
}

TEST(Pen, WidthsAreCentredOnTheStrokeAndMayPassTheZoneBorders) {
  const int widths[] = {1, 2, 4, 8};
  for (int size = 0; size < 4; ++size) {
    TestWorld w;
    TForm1& f = w.form1;
    f.RadioGroup4.SetItemIndex(size);
    Drag(f, {{100, 120}, {200, 120}});
    int ink = 0, top = 999, bottom = -1;
    for (int y = 0; y < 240; ++y) {
      if (f.Image1.Picture().Pixel(150, y) == gdi::kBlack) {
        ++ink;
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
    EXPECT_EQ(ink, widths[size]) << "pen size " << size + 1;
    EXPECT_LE(top, 120);
    EXPECT_GE(bottom, 120 + (widths[size] > 1 ? 0 : 0));
    EXPECT_LE(std::abs((120 - top) - (bottom - 120)), 1) << "centred";
    EXPECT_EQ(Thumb(f, 0), f.Image1.Picture()) << "the release stores the stroke";
  }
  // Near the top border the widest pen reaches 4 rows beyond it.
  TestWorld w;
  w.form1.RadioGroup4.SetItemIndex(3);
  Drag(w.form1, {{100, 20}, {200, 20}});
  EXPECT_EQ(w.form1.Image1.Picture().Pixel(150, 16), gdi::kBlack);
  EXPECT_NE(w.form1.Image1.Picture().Pixel(150, 15), gdi::kBlack);
}

TEST(Pen, StrokesAreContinuousHoweverFastTheMouseMoves) {
  TestWorld w;
  Drag(w.form1, {{40, 30}, {400, 210}});
  const gdi::Picture& p = w.form1.Image1.Picture();
  for (int x = 40; x < 400; ++x) {
    bool any = false;
    for (int y = 20; y <= 220; ++y) any = any || p.Pixel(x, y) == gdi::kBlack;
    EXPECT_TRUE(any) << "column " << x;
  }
}

TEST(Pen, EraseReplacesBlueLinesAndCopyModeDrawsNoInk) {
  TestWorld w;
  TForm1& f = w.form1;
  f.RadioGroup3.SetItemIndex(1);
  ASSERT_EQ(f.Image1.Picture().Pixel(100, 120), gdi::kBlue);
  Drag(f, {{100, 30}, {100, 215}});
  EXPECT_EQ(f.Image1.Picture().Pixel(100, 120), gdi::kInfoBackground);
  EXPECT_EQ(f.Image1.Picture().Pixel(99, 120), gdi::kBlue);
  f.RadioGroup3.SetItemIndex(2);
  const gdi::Picture before = f.Image1.Picture();
  Drag(f, {{150, 50}, {250, 150}});
  EXPECT_EQ(f.Image1.Picture(), before);
  f.RadioGroup3.SetItemIndex(0);
  Drag(f, {{150, 50}, {250, 150}});
  EXPECT_GT(CountPixels(f.Image1.Picture(), gdi::kBlack), 90);
}

TEST(Pen, AClickWithoutAMoveStillStores) {
  TestWorld w;
  TForm1& f = w.form1;
  Drag(f, {{100, 100}, {150, 100}});
  // Put something on the canvas that is not in the thumbnail, then click.
  f.Image1.Picture().SetPixel(300, 100, gdi::kBlack);
  f.Image1.MouseDown(MouseButton::Left, 300, 150);
  f.Image1.MouseUp(MouseButton::Left, 300, 150);
  EXPECT_EQ(Thumb(f, 0).Pixel(300, 100), gdi::kBlack);
}

TEST(Pen, StatusTextsInsideAndOutsideTheZone) {
  TestWorld w;
  TForm1& f = w.form1;
  f.Image1.MouseMove(30, 20);
  EXPECT_EQ(f.StatusBar1.PanelText(0), "カーソル位置 : (0,100)");
  EXPECT_EQ(f.StatusBar1.PanelText(1), "イメージ1");
  for (gdi::Point outside :
       {gdi::Point{29, 100}, gdi::Point{471, 100}, gdi::Point{100, 19}, gdi::Point{100, 221}}) {
    f.Image1.MouseMove(outside.x, outside.y);
    EXPECT_EQ(f.StatusBar1.PanelText(0), "NGゾーン");
    EXPECT_EQ(f.StatusBar1.PanelText(1), "そこはあかんで！");
  }
  f.Image1.MouseMove(470, 220);
  EXPECT_EQ(f.StatusBar1.PanelText(0), "カーソル位置 : (440,-100)");
  f.FormMouseMove(600, 400);
  EXPECT_EQ(f.StatusBar1.PanelText(0), "イメージ1");
  EXPECT_EQ(f.StatusBar1.PanelText(1), "");
}

struct CopyFixture : ::testing::Test {
  TestWorld w;
  TForm1& f = w.form1;
  TForm2& r = w.form2;
  void SetUp() override { f.RadioGroup3.SetItemIndex(2); }
  void Select(EditorForm& form, gdi::Point from, gdi::Point to) {
    form.Image1.MouseDown(MouseButton::Left, from.x, from.y);
    form.Image1.MouseMove(to.x, to.y);
    form.Image1.MouseUp(MouseButton::Left, to.x, to.y);
  }
};

TEST_F(CopyFixture, SelectionStretchesFromThePressPointInsideTheZoneOnly) {
  f.Image1.MouseDown(MouseButton::Left, 100, 100);
  f.Image1.MouseMove(80, 130);
  EXPECT_EQ(f.Shape1.Left(), 80);
  EXPECT_EQ(f.Shape1.Top(), 100);
  EXPECT_EQ(f.Shape1.Width(), 20);
  EXPECT_EQ(f.Shape1.Height(), 30);
  f.Image1.MouseMove(90, 130);
  EXPECT_EQ(f.Shape1.Left(), 90);
  EXPECT_EQ(f.Shape1.Width(), 10);
  f.Image1.MouseMove(20, 130);  // outside: unchanged
  EXPECT_EQ(f.Shape1.Left(), 90);
  f.Image1.MouseUp(MouseButton::Left, 20, 130);
  EXPECT_TRUE(f.Shape1.Visible());
  EXPECT_EQ(f.Memo1.Lines().size(), 2u + 5u) << "Copy mode added its guidance lines";
  EXPECT_EQ(f.Memo1.Lines()[2], "");
  EXPECT_EQ(f.Memo1.Lines().back(), "");
}

TEST_F(CopyFixture, CopyAndPastePlaceTheFloatingImageAndItsFrame) {
  f.Image1.Picture().SetPixel(105, 105, gdi::kBlack);
  Select(f, {100, 100}, {140, 130});
  f.K6.Click();
  EXPECT_TRUE(f.K7.Enabled());
  EXPECT_TRUE(r.K2.Enabled()) << "a copy pastes in both windows";
  f.K7.Click();
  EXPECT_TRUE(f.Image3.Visible());
  EXPECT_EQ(f.Image3.Left(), 31);
  EXPECT_EQ(f.Image3.Top(), 21);
  EXPECT_EQ(f.Image3.Width(), 40);
  EXPECT_EQ(f.Image3.Height(), 30);
  EXPECT_EQ(f.Image3.Picture().Pixel(5, 5), gdi::kBlack);
  EXPECT_EQ(f.Shape1.Left(), 30);
  EXPECT_EQ(f.Shape1.Top(), 20);
  EXPECT_EQ(f.Shape1.Width(), 42);
  EXPECT_EQ(f.Shape1.Height(), 32);

  // Pasting again stamps the first where it stood and shows the image again.
  f.Image3.MouseDown(MouseButton::Left, 0, 0);
  f.Image3.MouseMove(10, 10);  // follows: left 31 + 10 + 1
  f.Image3.MouseUp(MouseButton::Left, 10, 10);
  EXPECT_EQ(f.Image3.Left(), 42);
  EXPECT_EQ(f.Shape1.Left(), 41);
  f.K7.Click();
  EXPECT_EQ(f.Image1.Picture().Pixel(42 + 5, 32 + 5), gdi::kBlack) << "stamped";
  EXPECT_EQ(f.Image3.Left(), 31);
  EXPECT_TRUE(f.Image3.Visible());

  // A press on the canvas commits it.
  f.Image1.MouseDown(MouseButton::Left, 300, 200);
  f.Image1.MouseUp(MouseButton::Left, 300, 200);
  EXPECT_FALSE(f.Image3.Visible());
  EXPECT_EQ(Thumb(f, 0).Pixel(31 + 5, 21 + 5), gdi::kBlack);
}

TEST_F(CopyFixture, DraggingTheFloatingImageSnapsBackAtTheBorders) {
  Select(f, {100, 100}, {140, 130});
  f.K6.Click();
  f.K7.Click();
  auto drag = [&](int dx, int dy) {
    f.Image3.MouseDown(MouseButton::Left, 5, 5);
    f.Image3.MouseMove(5 + dx, 5 + dy);
  };
  // Past the left border: the move is carried out, the next snaps and ends the drag.
  drag(-10, 0);
  EXPECT_EQ(f.Image3.Left(), 22);
  f.Image3.MouseMove(0, 0);
  EXPECT_EQ(f.Image3.Left(), 31);
  EXPECT_EQ(f.Shape1.Left(), 30);
  EXPECT_FALSE(f.editor.PasteDrag);
  f.Image3.MouseMove(50, 50);
  EXPECT_EQ(f.Image3.Left(), 31) << "the drag has ended";

  // Right border: r = 471, so the image goes to 471 - 40 - 1.
  f.Image3.SetLeft(440);
  f.Image3.MouseDown(MouseButton::Left, 5, 5);
  f.Image3.MouseMove(6, 5);
  EXPECT_EQ(f.Image3.Left(), 430);
  EXPECT_EQ(f.Shape1.Left(), 429);
  // Top and bottom borders.
  f.Image3.SetTop(10);
  f.Image3.MouseDown(MouseButton::Left, 5, 5);
  f.Image3.MouseMove(5, 6);
  EXPECT_EQ(f.Image3.Top(), 21);
  EXPECT_EQ(f.Shape1.Top(), 20);
  f.Image3.SetTop(200);
  f.Image3.MouseDown(MouseButton::Left, 5, 5);
  f.Image3.MouseMove(5, 6);
  EXPECT_EQ(f.Image3.Top(), 220 - 30 - 1);
  EXPECT_EQ(f.Shape1.Top(), 220 - 30 - 2);
  // Releasing ends a drag; other buttons do not start one.
  f.Image3.MouseDown(MouseButton::Left, 5, 5);
  f.Image3.MouseUp(MouseButton::Right, 5, 5);
  EXPECT_FALSE(f.editor.PasteDrag);
  f.Image3.MouseDown(MouseButton::Right, 5, 5);
  EXPECT_FALSE(f.editor.PasteDrag);
}

TEST_F(CopyFixture, AnImageTooWideForTheZoneAlternatesBetweenTheTwoSideRules) {
  // An image that just fits (440 of 441 columns) is pushed back inside, then follows.
  Select(f, {30, 30}, {470, 60});
  f.K6.Click();
  f.K7.Click();
  ASSERT_EQ(f.Image3.Width(), 440);
  f.Image3.MouseDown(MouseButton::Left, 5, 5);
  f.Image3.MouseMove(5, 5);
  EXPECT_EQ(f.Image3.Left(), 471 - 440 - 1);
  f.Image3.MouseDown(MouseButton::Left, 5, 5);
  f.Image3.MouseMove(5, 5);
  EXPECT_EQ(f.Image3.Left(), 31);
  // One column wider: the right rule puts it left of the margin, the left rule snaps it back.
  f.Shape1.SetBounds(30, 30, 441, 30);
  f.K6.Click();
  f.K7.Click();
  for (int expected : {29, 31, 29}) {
    f.Image3.MouseDown(MouseButton::Left, 5, 5);
    f.Image3.MouseMove(5, 5);
    EXPECT_EQ(f.Image3.Left(), expected);
  }
}

TEST_F(CopyFixture, CopyAcrossWindowsReplacesTheOthersPendingPaste) {
  r.RadioGroup3.SetItemIndex(2);
  r.Image1.Picture().SetPixel(200, 100, gdi::kBlack);
  Select(r, {200, 100}, {210, 110});
  r.K1.Click();
  EXPECT_TRUE(f.K7.Enabled());
  f.K7.Click();
  EXPECT_EQ(f.Image3.Picture().Pixel(0, 0), gdi::kBlack) << "pastes the other window's pixels";

  Select(r, {250, 100}, {270, 120});  // a blank 20 x 20 region
  r.K1.Click();
  EXPECT_EQ(f.Image3.Width(), 20);
  EXPECT_NE(f.Image3.Picture().Pixel(0, 0), gdi::kBlack);
  EXPECT_TRUE(f.Image3.Visible()) << "still pending, with the new pixels";

  // A 0 x 0 copy disables both paste items.
  r.Image1.MouseDown(MouseButton::Left, 300, 100);
  r.Image1.MouseUp(MouseButton::Left, 300, 100);
  r.K1.Click();
  EXPECT_FALSE(r.K2.Enabled());
  EXPECT_FALSE(f.K7.Enabled());
}

TEST_F(CopyFixture, ACopyUnderAPendingPasteTakesTheCanvasNotTheFloatingPixels) {
  f.Image1.Picture().SetPixel(100, 100, gdi::kBlack);
  Select(f, {100, 100}, {110, 110});
  f.K6.Click();
  f.K7.Click();  // floating black pixel at (31, 21) over a blank canvas
  f.K6.Click();  // copies under the frame at (30, 20), 12 x 12
  EXPECT_EQ(f.Image3.Width(), 12);
  EXPECT_EQ(CountPixels(f.Image3.Picture(), gdi::kBlack), 0);
}

TEST_F(CopyFixture, PopupStatesFollowModeAndTheOtherWindow) {
  f.PopupMenu1.Popup();
  EXPECT_TRUE(f.K6.Enabled());
  EXPECT_FALSE(f.K7.Enabled());
  r.PopupMenu1.Popup();  // right window is in Paint mode
  EXPECT_FALSE(r.K1.Enabled());
  EXPECT_FALSE(r.K2.Enabled());

  Select(f, {100, 100}, {110, 110});
  f.K6.Click();
  r.PopupMenu1.Popup();
  EXPECT_FALSE(r.K2.Enabled()) << "disabled outside Copy mode";
  r.RadioGroup3.SetItemIndex(2);
  r.PopupMenu1.Popup();
  EXPECT_TRUE(r.K1.Enabled());
  EXPECT_TRUE(r.K2.Enabled()) << "back on because the main window's paste is enabled";
}

TEST_F(CopyFixture, LeavingCopyModeHidesTheFrameButKeepsThePasteUntilThePress) {
  Select(f, {100, 100}, {110, 110});
  f.K6.Click();
  f.K7.Click();
  f.RadioGroup3.SetItemIndex(0);
  EXPECT_FALSE(f.Shape1.Visible());
  EXPECT_EQ(f.Shape1.Width(), 0);
  EXPECT_TRUE(f.Image3.Visible());
  f.Image1.MouseDown(MouseButton::Left, 5, 5);  // outside the press area still commits
  EXPECT_FALSE(f.Image3.Visible());
}

TEST(RightWindow, HidingKeepsItsPicturesSelectionAndPendingPaste) {
  TestWorld w;
  TForm2& r = w.form2;
  r.Show();
  r.RadioGroup3.SetItemIndex(2);
  r.ScrollBox1.Children()[3]->Click();
  r.Image1.MouseDown(MouseButton::Left, 100, 100);
  r.Image1.MouseMove(120, 120);
  r.Image1.MouseUp(MouseButton::Left, 120, 120);
  r.K1.Click();
  r.K2.Click();
  const gdi::Picture canvas = r.Image1.Picture();
  r.Close();
  EXPECT_FALSE(r.Visible());
  EXPECT_FALSE(w.form1.Closed());
  r.Show();
  EXPECT_EQ(w.app.SelectedSegmentR, 3);
  EXPECT_TRUE(r.Image3.Visible());
  EXPECT_EQ(r.Image1.Picture(), canvas);
  EXPECT_EQ(w.form1.Memo1.Lines().size(), 2u) << "only the main window logs Copy-mode guidance";
}

}  // namespace
