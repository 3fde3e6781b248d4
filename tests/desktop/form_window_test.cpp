// The windows on screen follow the control model: every control has its widget at its place,
// the model's changes reach the widgets and the user's input reaches the model.
#include <gtest/gtest.h>

#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <set>

#include "desktop/radio_group_widget.h"
#include "desktop/status_bar_widget.h"
#include "desktop_world.h"

namespace {

void ExpectEveryControlAtItsPlace(desktop::FormWindow& window) {
  const ui::Form& form = window.Model();
  EXPECT_EQ(window.size(), QSize(form.ClientWidth(), form.ClientHeight())) << form.Name();
  EXPECT_EQ(window.windowTitle().toStdString(), form.Caption());
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint) << form.Name();
  std::set<const ui::Control*> thumbnails;  // placed inside their box, not the window
  for (ui::Control* control : form.Controls()) {
    if (auto* box = dynamic_cast<ui::ScrollBox*>(control)) {
      thumbnails.insert(box->Children().begin(), box->Children().end());
    }
  }
  for (ui::Control* control : form.Controls()) {
    if (thumbnails.count(control) != 0) continue;
    QWidget* widget = DesktopWorld::Find(window, control->Name());
    ASSERT_NE(widget, nullptr) << form.Name() << "." << control->Name();
    const QRect expected(control->Left(), control->Top(), control->Width(), control->Height());
    if (dynamic_cast<ui::Label*>(control) != nullptr) {
      // Labels grow to their caption from their place.
      EXPECT_EQ(widget->pos(), expected.topLeft()) << control->Name();
      EXPECT_GE(widget->width(), expected.width()) << control->Name();
      EXPECT_GE(widget->width(),
                widget->fontMetrics().horizontalAdvance(QString::fromStdString(control->Caption())))
          << control->Name();
    } else {
      EXPECT_EQ(widget->geometry(), expected) << form.Name() << "." << control->Name();
    }
    EXPECT_EQ(widget->isVisibleTo(&window), control->Visible()) << control->Name();
    EXPECT_EQ(widget->isEnabled(), control->Enabled()) << control->Name();
  }
}

TEST(FormWindow, EveryControlOfBothWindowsStandsAtItsPlace) {
  DesktopWorld d;
  ExpectEveryControlAtItsPlace(d.window1);
  ExpectEveryControlAtItsPlace(d.window2);
}

TEST(FormWindow, ACaptionOfTheUiFontIsNeverCutInTheRadioGroups) {
  DesktopWorld d;
  for (desktop::FormWindow* window : {&d.window1, &d.window2}) {
    for (auto* group : window->findChildren<desktop::RadioGroupWidget*>()) {
      for (QRadioButton* item : group->findChildren<QRadioButton*>()) {
        EXPECT_GE(item->width(), item->fontMetrics().horizontalAdvance(item->text()) + 14)
            << group->objectName().toStdString() << " " << item->text().toStdString();
        EXPECT_LE(item->geometry().right(), group->width()) << item->text().toStdString();
      }
    }
  }
}

TEST(FormWindow, AClickOnAButtonRunsItsHandlerOnlyWhileTheButtonIsEnabled) {
  DesktopWorld d;
  int clicks = 0;
  d.world.form1.Button2.OnClick = [&] { ++clicks; };
  auto* generate = DesktopWorld::Find<QPushButton>(d.window1, "Button2");
  ASSERT_NE(generate, nullptr);
  EXPECT_EQ(generate->text(), QStringLiteral("生成"));
  QTest::mouseClick(generate, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
  d.world.form1.Button2.SetEnabled(false);
  QTest::mouseClick(generate, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
}

TEST(FormWindow, PropertyChangesOfTheModelReachTheWidgets) {
  DesktopWorld d;
  TForm1& f = d.world.form1;
  auto* play = DesktopWorld::Find<QPushButton>(d.window1, "Button3");
  auto* stop = DesktopWorld::Find<QPushButton>(d.window1, "Button4");
  auto* position = DesktopWorld::Find<QLabel>(d.window1, "Label3");
  auto* status = DesktopWorld::Find<desktop::StatusBarWidget>(d.window1, "StatusBar1");
  auto* track = DesktopWorld::Find<QSlider>(d.window1, "TrackBar1");
  ASSERT_TRUE(play && stop && position && status && track);

  f.Button3.SetEnabled(false);
  EXPECT_FALSE(play->isEnabled());
  f.Button4.Hide();
  EXPECT_FALSE(stop->isVisible());
  f.Button4.SetCaption("止める");
  EXPECT_EQ(stop->text(), QStringLiteral("止める"));
  f.Button4.SetBounds(120, 420, 80, 30);
  EXPECT_EQ(stop->geometry(), QRect(120, 420, 80, 30));

  f.Label3.SetCaption("再生位置 1234秒");
  EXPECT_EQ(position->text(), QStringLiteral("再生位置 1234秒"));
  EXPECT_GE(position->width(), position->fontMetrics().horizontalAdvance(position->text()));

  f.StatusBar1.SetPanelText(0, "カーソル位置 : (0,100)");
  f.StatusBar1.SetPanelText(2, "44100Hz 16bit Stereo");
  EXPECT_EQ(status->PanelText(0), QStringLiteral("カーソル位置 : (0,100)"));
  EXPECT_EQ(status->PanelText(1), QString());
  EXPECT_EQ(status->PanelText(2), QStringLiteral("44100Hz 16bit Stereo"));

  f.TrackBar1.SetMax(7);
  f.TrackBar1.SetPosition(5);
  EXPECT_EQ(track->maximum(), 7);
  EXPECT_EQ(track->value(), 5);
  EXPECT_EQ(track->tickPosition(), QSlider::TicksBelow);
  EXPECT_EQ(track->tickInterval(), 1);
  f.TrackBar1.SetMax(2);  // pulls the position back
  EXPECT_EQ(track->value(), 2);
}

TEST(FormWindow, TheMemoShowsEveryLineInYellowOnSilverAndFollowsTheLast) {
  DesktopWorld d;
  auto* memo = DesktopWorld::Find<QPlainTextEdit>(d.window1, "Memo1");
  ASSERT_NE(memo, nullptr);
  EXPECT_TRUE(memo->isReadOnly());
  EXPECT_EQ(memo->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(memo->palette().color(QPalette::Text), QColor(0xFF, 0xFF, 0x00));
  EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

  ui::Memo& log = d.world.form1.Memo1;
  log.Clear();
  log.Add("");  // an empty first line stays a line
  for (int i = 0; i < 40; ++i) log.Add("行 " + std::to_string(i));
  log.Add("最後\r\n");
  QStringList expected{QString()};
  for (int i = 0; i < 40; ++i) expected << QStringLiteral("行 %1").arg(i);
  expected << QStringLiteral("最後") << QString();
  EXPECT_EQ(memo->toPlainText(), expected.join(QChar('\n')));
  QScrollBar* bar = memo->verticalScrollBar();
  EXPECT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());

  log.Clear();
  log.Add("新しい行");
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("新しい行"));
}

TEST(FormWindow, AChoiceInARadioGroupSetsItsIndexAndRunsItsHandlerOnlyWhenNew) {
  DesktopWorld d;
  ui::RadioGroup& interval = d.world.form1.RadioGroup1;
  int clicks = 0;
  interval.OnClick = [&] { ++clicks; };
  auto* group = DesktopWorld::Find<desktop::RadioGroupWidget>(d.window1, "RadioGroup1");
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->title(), QStringLiteral("間隔"));
  EXPECT_TRUE(group->Item(1)->isChecked());

  QTest::mouseClick(group->Item(0), Qt::LeftButton);
  EXPECT_EQ(interval.ItemIndex(), 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(group->Item(0)->isChecked());
  EXPECT_FALSE(group->Item(1)->isChecked());

  QTest::mouseClick(group->Item(0), Qt::LeftButton);  // the choice already made
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(group->Item(0)->isChecked());

  interval.SetItemIndex(1);  // from the program
  EXPECT_TRUE(group->Item(1)->isChecked());
  interval.SetItemIndex(-1);
  EXPECT_FALSE(group->Item(0)->isChecked());
  EXPECT_FALSE(group->Item(1)->isChecked());

  interval.SetEnabled(false);
  EXPECT_FALSE(group->Item(0)->isEnabled());
  QTest::mouseClick(group->Item(0), Qt::LeftButton);
  EXPECT_EQ(interval.ItemIndex(), -1);
}

TEST(FormWindow, MovingTheTrackBarSetsThePositionAtEveryStep) {
  DesktopWorld d;
  ui::TrackBar& seconds = d.world.form1.TrackBar1;
  std::vector<int> seen;
  seconds.OnChange = [&] { seen.push_back(seconds.Position()); };
  seconds.SetMax(4);
  auto* track = DesktopWorld::Find<QSlider>(d.window1, "TrackBar1");
  ASSERT_NE(track, nullptr);
  track->setFocus();
  QTest::keyClick(track, Qt::Key_Right);
  QTest::keyClick(track, Qt::Key_Right);
  QTest::keyClick(track, Qt::Key_End);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 4}));
  EXPECT_EQ(seconds.Position(), 4);
}

TEST(FormWindow, ThePopupMenuIsPreparedByItsHandlerThenShowsItsItemsInOrder) {
  DesktopWorld d;
  TForm1& f = d.world.form1;
  std::vector<std::string> events;
  f.PopupMenu1.OnPopup = [&] {
    events.push_back("popup");
    f.K6.SetEnabled(false);
  };
  f.Rch1.OnClick = [&] { events.push_back("Rch1"); };
  d.window1.OpenPopupMenu(d.window1.mapToGlobal(QPoint(600, 470)));
  QMenu* menu = d.window1.PopupMenuWidget();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->isVisible());

  QStringList shown;
  for (QAction* action : menu->actions()) {
    shown << (action->isSeparator() ? QStringLiteral("-") : action->text());
  }
  EXPECT_EQ(shown, (QStringList{"新規作成", "開く...", "保存...", "-", "ボリュームコントロール",
                                "オーディオのプロパティ", "-", "Rch", "-", "コピー", "貼り付け"}));
  const QList<QAction*> actions = menu->actions();
  EXPECT_FALSE(actions[9]->isEnabled()) << "copy, disabled by the popup handler";
  EXPECT_FALSE(actions[10]->isEnabled()) << "paste, disabled at start";
  EXPECT_TRUE(actions[7]->isEnabled());
  actions[7]->trigger();
  EXPECT_EQ(events, (std::vector<std::string>{"popup", "Rch1"}));
  menu->close();
}

TEST(FormWindow, TheSystemMenuPostsItsCommandsAndTheVersionItemShowsTheVersion) {
  DesktopWorld d;
  d.window1.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&d.window1));
  QTest::keyClick(&d.window1, Qt::Key_Space, Qt::AltModifier);
  QMenu* menu = d.window1.SystemMenuWidget();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->isVisible());
  QStringList shown;
  for (QAction* action : menu->actions()) {
    shown << (action->isSeparator() ? QStringLiteral("-") : action->text());
  }
  EXPECT_EQ(shown, (QStringList{"最小化(&N)", "-", "閉じる(&C)", "-", "ﾊﾞｰｼﾞｮﾝ情報"}));
  menu->actions().back()->trigger();
  menu->close();

  ASSERT_EQ(d.world.queue.Size(), 1u);
  d.world.dialogs.AnswerBox(ui::IDOK);
  d.world.Dispatch();
  ASSERT_EQ(d.world.dialogs.shown.size(), 1u);
  EXPECT_EQ(d.world.dialogs.shown[0].text, d.world.app.VersionText + d.world.app.CreditText);
  EXPECT_EQ(d.world.dialogs.shown[0].title, "Sonoquill");

  // F1 opens the same menu; its close item closes the window through the message dispatch.
  int closes = 0;
  d.world.form1.OnClosed = [&] { ++closes; };
  QTest::keyClick(&d.window1, Qt::Key_F1);
  menu = d.window1.SystemMenuWidget();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->isVisible());
  menu->actions()[2]->trigger();
  menu->close();
  d.world.Dispatch();
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(d.window1.isVisible());
}

TEST(FormWindow, TheRightChannelWindowFollowsItsFormAndClosingItOnlyHidesIt) {
  DesktopWorld d;
  EXPECT_FALSE(d.window2.isVisible()) << "hidden until the program shows it";
  d.world.form2.Show();
  EXPECT_TRUE(d.window2.isVisible());
  d.window2.close();
  EXPECT_FALSE(d.world.form2.Visible());
  EXPECT_FALSE(d.window2.isVisible());
  EXPECT_FALSE(d.world.form2.Closed());
  d.world.form2.Show();
  EXPECT_TRUE(d.window2.isVisible());
}

TEST(FormWindow, ClosingTheMainWindowRunsItsCloseHandlerAndEndsTheProgram) {
  DesktopWorld d;
  std::vector<std::string> events;
  d.world.form1.OnClose = [&] { events.push_back("FormClose"); };
  d.world.form1.OnClosed = [&] { events.push_back("ended"); };
  d.window1.close();
  EXPECT_EQ(events, (std::vector<std::string>{"FormClose", "ended"}));
  EXPECT_FALSE(d.window1.isVisible());
}

}  // namespace
