// The mouse on the canvas, the frame, the floating image and the window's background, and the
// pictures the image widgets show.
#include <gtest/gtest.h>

#include <QMenu>
#include <QScrollBar>
#include <memory>

#include "desktop/image_widget.h"
#include "desktop/scroll_box_widget.h"
#include "desktop_world.h"

namespace {

using Lines = std::vector<std::string>;

TEST(CanvasMouse, ADragReachesTheCanvasWithItsButtonAlsoOutsideTheCanvasAndTheWindow) {
  DesktopWorld d;
  MouseLog canvas;
  canvas.Attach(d.world.form1.Image1);
  Lines background;
  d.world.form1.OnMouseMove = [&](int x, int y) {
    background.push_back(std::to_string(x) + "," + std::to_string(y));
  };

  // The pointer comes to a place before it presses there.
  QTest::mouseMove(d.Screen1(), QPoint(100, 100));
  canvas.lines.clear();
  QTest::mousePress(d.Screen1(), Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(d.Screen1(), QPoint(150, 120));
  QTest::mouseMove(d.Screen1(), QPoint(700, 470));  // over the window's background
  QTest::mouseMove(d.Screen1(), QPoint(-15, 300));  // left of the window
  QTest::mouseRelease(d.Screen1(), Qt::LeftButton, {}, QPoint(-15, 300));
  EXPECT_EQ(canvas.lines, (Lines{"down L 100,100", "move 150,120", "move 700,470", "move -15,300",
                                 "up L -15,300"}));
  EXPECT_TRUE(background.empty()) << "the canvas keeps the pointer while the button is held";

  // A press and release inside is a click, which comes before the release.
  QTest::mouseMove(d.Screen1(), QPoint(40, 30));
  canvas.lines.clear();
  QTest::mouseClick(d.Screen1(), Qt::LeftButton, {}, QPoint(40, 30));
  EXPECT_EQ(canvas.lines, (Lines{"down L 40,30", "click Image1", "up L 40,30"}));
}

TEST(CanvasMouse, ARightClickReachesTheCanvasBeforeThePopupMenuOpens) {
  DesktopWorld d;
  MouseLog canvas;
  canvas.Attach(d.world.form1.Image1);
  d.world.form1.PopupMenu1.OnPopup = [&] { canvas.lines.push_back("popup"); };
  QTest::mouseMove(d.Screen1(), QPoint(200, 120));
  canvas.lines.clear();
  QTest::mousePress(d.Screen1(), Qt::RightButton, {}, QPoint(200, 120));
  EXPECT_EQ(canvas.lines, (Lines{"down R 200,120"}));
  QTest::mouseRelease(d.Screen1(), Qt::RightButton, {}, QPoint(200, 120));
  EXPECT_EQ(canvas.lines, (Lines{"down R 200,120", "up R 200,120", "popup"}));
  ASSERT_NE(d.window1.PopupMenuWidget(), nullptr);
  EXPECT_TRUE(d.window1.PopupMenuWidget()->isVisible());
  d.window1.PopupMenuWidget()->close();
}

TEST(CanvasMouse, TheFloatingImageLiesOverTheFrameAndTheFrameSwallowsPresses) {
  DesktopWorld d;
  EditorForm& f = d.world.form1;
  MouseLog canvas;
  MouseLog floating;
  canvas.Attach(f.Image1);
  floating.Attach(f.Image3);
  f.Shape1.SetBounds(30, 20, 100, 60);
  f.Shape1.Show();
  f.Image3.NewPicture(40, 30, 0x000000);
  f.Image3.SetBounds(31, 21, 40, 30);
  f.Image3.Show();

  QTest::mouseMove(d.Screen1(), QPoint(40, 30));
  floating.lines.clear();
  QTest::mousePress(d.Screen1(), Qt::LeftButton, {}, QPoint(40, 30));  // on the floating image
  QTest::mouseMove(d.Screen1(), QPoint(10, 250));                      // dragged out of it
  QTest::mouseRelease(d.Screen1(), Qt::LeftButton, {}, QPoint(10, 250));
  EXPECT_EQ(floating.lines, (Lines{"down L 9,9", "move -21,229", "up L -21,229"}));

  QTest::mouseMove(d.Screen1(), QPoint(120, 70));
  floating.lines.clear();
  canvas.lines.clear();
  QTest::mouseClick(d.Screen1(), Qt::LeftButton, {}, QPoint(120, 70));  // frame only
  EXPECT_TRUE(floating.lines.empty());
  EXPECT_TRUE(canvas.lines.empty()) << "a press inside the frame does nothing";

  QTest::mouseMove(d.Screen1(), QPoint(200, 150));
  canvas.lines.clear();
  QTest::mouseClick(d.Screen1(), Qt::LeftButton, {}, QPoint(200, 150));  // canvas only
  EXPECT_EQ(canvas.lines, (Lines{"down L 200,150", "click Image1", "up L 200,150"}));

  f.Image3.Hide();
  f.Shape1.Hide();
  QTest::mouseMove(d.Screen1(), QPoint(40, 30));
  canvas.lines.clear();
  QTest::mouseClick(d.Screen1(), Qt::LeftButton, {}, QPoint(40, 30));
  EXPECT_EQ(canvas.lines, (Lines{"down L 40,30", "click Image1", "up L 40,30"}))
      << "hidden, they take nothing";
}

TEST(CanvasMouse, TheBackgroundReportsMovesOnlyWhereNoControlIs) {
  DesktopWorld d;
  MouseLog canvas;
  canvas.Attach(d.world.form1.Image1);
  Lines background;
  d.world.form1.OnMouseMove = [&](int x, int y) {
    background.push_back(std::to_string(x) + "," + std::to_string(y));
  };
  QTest::mouseMove(d.Screen1(), QPoint(200, 462));  // background
  QTest::mouseMove(d.Screen1(), QPoint(350, 444));  // Label3
  QTest::mouseMove(d.Screen1(), QPoint(300, 100));  // the canvas, no button held
  QTest::mouseMove(d.Screen1(), QPoint(205, 465));  // background again
  EXPECT_EQ(background, (Lines{"200,462", "205,465"}));
  EXPECT_EQ(canvas.lines, (Lines{"move 300,100"}));
}

TEST(ImagePictures, PixelsShowInTheirColoursAtTheirPlaces) {
  DesktopWorld d;
  ui::Image& view = d.world.form1.Image2;
  view.NewPicture(465, 100, 0xFFFFFF);
  view.Picture().SetPixel(5, 5, 0x0000FF);     // red in 0x00BBGGRR
  view.Picture().SetPixel(6, 5, 0xFF0000);     // blue
  view.Picture().SetPixel(464, 99, 0x008000);  // green, last pixel
  view.Repaint();
  auto* widget = DesktopWorld::Find(d.window1, "Image2");
  ASSERT_NE(widget, nullptr);
  const QImage shown = widget->grab().toImage();
  EXPECT_EQ(shown.pixelColor(5, 5), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(6, 5), QColor(0, 0, 255));
  EXPECT_EQ(shown.pixelColor(464, 99), QColor(0, 0x80, 0));
  EXPECT_EQ(shown.pixelColor(7, 5), QColor(255, 255, 255));
}

struct Thumbnails {
  explicit Thumbnails(ui::ScrollBox& box) : box_(box) {
    for (int i = 0; i < 10; ++i) {
      auto image = std::make_unique<ui::Image>(nullptr, "Thumb" + std::to_string(i));
      image->NewPicture(510, 240, i == 3 ? 0x0000FF : 0xE1FFFF);
      image->Stretch = true;
      image->SetTag(100 + i);
      image->SetHint("イメージ" + std::to_string(i + 1));
      image->SetBounds(0, 93 * i, 178, 83);
      image->OnClick = [this](ui::Image& sender) { clicked.push_back(sender.Tag()); };
      images.push_back(std::move(image));
    }
    std::vector<ui::Image*> children;
    for (auto& image : images) children.push_back(image.get());
    box.SetChildren(children);
  }
  void Release() {
    images.clear();  // gone before the box hears of it
    box_.SetChildren({});
  }
  ui::ScrollBox& box_;
  std::vector<std::unique_ptr<ui::Image>> images;
  std::vector<int> clicked;
};

TEST(ScrollBox, ThumbnailsStandInTheBoxScaledWithTheirHintsAndAClickSelects) {
  DesktopWorld d;
  auto* box = DesktopWorld::Find<desktop::ScrollBoxWidget>(d.window1, "ScrollBox1");
  ASSERT_NE(box, nullptr);
  Thumbnails thumbs(d.world.form1.ScrollBox1);
  const auto& widgets = box->ChildWidgets();
  ASSERT_EQ(widgets.size(), 10u);
  for (int i = 0; i < 10; ++i) {
    ASSERT_TRUE(widgets[static_cast<std::size_t>(i)]);
    EXPECT_EQ(widgets[static_cast<std::size_t>(i)]->geometry(), QRect(0, 93 * i, 178, 83));
    EXPECT_EQ(widgets[static_cast<std::size_t>(i)]->toolTip(),
              QStringLiteral("イメージ%1").arg(i + 1));
  }
  EXPECT_EQ(box->widget()->height(), 9 * 93 + 83);
  EXPECT_TRUE(box->verticalScrollBar()->hasTracking());
  EXPECT_FALSE(box->horizontalScrollBar()->isVisible()) << "the thumbnails fit across";

  // The whole picture, scaled: the red thumbnail is red everywhere, corners included.
  const QImage red = widgets[3]->grab().toImage();
  EXPECT_EQ(red.size(), QSize(178, 83));
  EXPECT_EQ(red.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(red.pixelColor(177, 82), QColor(255, 0, 0));

  QTest::mouseClick(widgets[1].data(), Qt::LeftButton, {}, QPoint(50, 40));
  EXPECT_EQ(thumbs.clicked, (std::vector<int>{101}));

  // Scrolling both ways.
  d.world.form1.ScrollBox1.SetVertScrollPosition(300);
  EXPECT_EQ(box->verticalScrollBar()->value(), 300);
  box->verticalScrollBar()->setValue(120);
  EXPECT_EQ(d.world.form1.ScrollBox1.VertScrollPosition(), 120);

  thumbs.Release();
  QCoreApplication::processEvents();
  EXPECT_TRUE(box->ChildWidgets().empty());
}

}  // namespace
