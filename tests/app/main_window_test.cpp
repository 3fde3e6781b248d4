// Start-up of the main window on the control model, its messages and the sound-tools items.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "support/test_world.h"

namespace {

TEST(MainWindow, StartsWithTheGuidanceLinesAndTheDefaultsLaterCommandsRead) {
  TestWorld w;
  TForm1& f = w.form1;
  EXPECT_EQ(f.Memo1.Lines(),
            (std::vector<std::string>{"キャンバス上で波形を描いて生成ボタンを押します。",
                                      "再生ボタンを押すと生成された音声が再生されます。"}));
  EXPECT_EQ(f.Label4.Caption(), "Sonoquill version 1.03");
  EXPECT_EQ(f.RadioGroup1.ItemIndex(), 1);
  EXPECT_EQ(f.RadioGroup2.ItemIndex(), 0);
  EXPECT_EQ(f.TrackBar1.Position(), 0);
  EXPECT_EQ(f.TrackBar1.Max(), 0);
  EXPECT_FALSE(f.K7.Enabled());
  EXPECT_TRUE(f.Button3.Enabled());
  EXPECT_FALSE(w.form2.Visible());
  EXPECT_EQ(w.form2.Caption(), "Sonoquill - Rch");
  EXPECT_EQ(f.Shape1.Width(), 0);
  EXPECT_FALSE(f.Shape1.Visible());
  EXPECT_NE(w.app.ClipboardImage, nullptr);
  EXPECT_EQ(w.app.SaveFileName, "NoName");
  EXPECT_EQ(w.app.CreditText.rfind("\r\n", 0), 0u) << "the credit stands on its own line";

  std::vector<std::string> items;
  for (const ui::MenuItem* item : f.PopupMenu1.Items()) items.push_back(item->Caption());
  EXPECT_EQ(items, (std::vector<std::string>{"新規作成", "開く...", "保存...", "-",
                                             "ボリュームコントロール", "オーディオのプロパティ",
                                             "-", "Rch", "-", "コピー", "貼り付け"}));
  ASSERT_EQ(f.SystemMenu.size(), 1u);
  EXPECT_EQ(f.SystemMenu[0].id, 100u);
  EXPECT_EQ(f.SystemMenu[0].caption, "ﾊﾞｰｼﾞｮﾝ情報");
}

TEST(MainWindow, VersionItemShowsTheVersionAndOtherCommandsTakeTheDefaultPath) {
  TestWorld w;
  w.dialogs.AnswerBox(ui::IDOK);
  w.queue.Post({&w.form1, ui::WM_SYSCOMMAND, 100, 0});
  w.Dispatch();
  ASSERT_EQ(w.dialogs.shown.size(), 1u);
  EXPECT_EQ(w.dialogs.shown[0].text, w.app.VersionText + w.app.CreditText);
  EXPECT_EQ(w.dialogs.shown[0].title, "Sonoquill");
  EXPECT_EQ(w.dialogs.shown[0].flags, ui::MB_OK);

  w.form1.Show();
  w.form1.WndProc({&w.form1, ui::WM_SYSCOMMAND, 101, 0});  // not ours, nothing happens
  w.form1.WndProc({&w.form1, ui::WM_SYSCOMMAND, ui::SC_MINIMIZE, 0});
  EXPECT_TRUE(w.form1.Minimized());
  EXPECT_EQ(w.dialogs.shown.size(), 1u);
  EXPECT_FALSE(w.form1.Closed());
}

TEST(MainWindow, SessionEndAnswersYesAndClosesThroughFormClose) {
  TestWorld w;
  w.form1.Show();
  bool ended = false;
  w.form1.OnClosed = [&] { ended = true; };
  EXPECT_EQ(w.form1.WndProc({&w.form1, ui::WM_QUERYENDSESSION, 0, 0}), 1);
  EXPECT_FALSE(ended) << "the close is posted, not done inside the query";
  w.Dispatch();
  EXPECT_TRUE(ended);
  EXPECT_EQ(w.app.ClipboardImage, nullptr) << "FormClose released the clipboard image";
}

struct VersionCase {
  unsigned major, minor, platform;
  bool vista;
};

TEST(SoundTools, VersionTestPicksTheVolumeToolAndCaption) {
  const VersionCase cases[] = {
      {5, 1, 2, false}, {6, 0, 2, true},  {6, 0, 1, false},
      {6, 1, 0, true},  {6, 2, 2, false}, {10, 0, 2, false},
  };
  for (const VersionCase& c : cases) {
    TestWorld w(os::OsVersion{c.major, c.minor, c.platform});
    EXPECT_EQ(w.app.IsVistaOrLater, c.vista) << c.major << "." << c.minor << "/" << c.platform;
    EXPECT_EQ(w.form1.K1.Caption(), c.vista ? "音量ミキサー" : "ボリュームコントロール");
    w.form1.K1.Click();
    w.form1.K2.Click();
    EXPECT_EQ(w.launcher.started,
              (std::vector<std::string>{c.vista ? "sndvol.exe" : "sndvol32.exe", "mmsys.cpl"}));
  }
}

TEST(SoundTools, AnUnreadableVersionKeepsTheDefault) {
  TestWorld w(std::nullopt);
  EXPECT_FALSE(w.app.IsVistaOrLater);
  EXPECT_EQ(w.form1.K1.Caption(), "ボリュームコントロール");
}

class FakeLock : public InstanceLock {
 public:
  bool free = true;
  bool released = false;
  bool TryAcquire() override { return free; }
  void Release() override { released = true; }
};

class FakeFrontend : public Frontend {
 public:
  bool ran = false;
  std::string exception;
  bool throwInRun = false;
  bool playInRun = false;
  void Run(TForm1& f1, TForm2& f2) override {
    ran = true;
    EXPECT_FALSE(f2.Visible());
    EXPECT_EQ(f1.Memo1.Lines().size(), 2u);
    if (playInRun) f1.Button3.Click();
    if (throwInRun) throw std::runtime_error("boom");
  }
  void ShowException(const std::string& what) override { exception = what; }
};

TEST(Startup, ASecondInstanceShowsTheBoxAndOpensNoWindow) {
  TestWorld w;  // for its services
  FakeLock lock;
  lock.free = false;
  FakeFrontend frontend;
  w.dialogs.AnswerBox(ui::IDOK);
  EXPECT_EQ(RunSonoquill(w.services, lock, frontend), 0);
  EXPECT_FALSE(frontend.ran);
  ASSERT_EQ(w.dialogs.shown.size(), 1u);
  EXPECT_EQ(w.dialogs.shown[0].text, "すでに起動しています。");
  EXPECT_EQ(w.dialogs.shown[0].title, "Sonoquill");
  EXPECT_EQ(w.dialogs.shown[0].flags, ui::MB_ICONSTOP);
}

TEST(Startup, RunsTheWindowsAndReleasesTheLockAlsoAfterAnEscapedError) {
  for (bool fail : {false, true}) {
    TestWorld w;
    FakeLock lock;
    FakeFrontend frontend;
    frontend.throwInRun = fail;
    EXPECT_EQ(RunSonoquill(w.services, lock, frontend), 0);
    EXPECT_TRUE(frontend.ran);
    EXPECT_TRUE(lock.released);
    EXPECT_EQ(frontend.exception, fail ? "boom" : "");
  }
}

TEST(Startup, TheDeviceStopsBeforeTheWindowsThatOwnItsBuffersGo) {
  TestWorld w;
  FakeLock lock;
  FakeFrontend frontend;
  frontend.playInRun = true;
  EXPECT_EQ(RunSonoquill(w.services, lock, frontend), 0);
  EXPECT_EQ(w.device.OpenCount(), 1);
  EXPECT_FALSE(w.device.IsOpen());
  EXPECT_EQ(w.device.QueuedCount(), 0u);
}

}  // namespace
