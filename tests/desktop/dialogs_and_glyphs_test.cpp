// The Qt message boxes and file dialogs behind the program's dialog services, and the glyph
// source for Japanese text drawn into pictures.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>

#include "desktop/qt_dialogs.h"
#include "desktop/qt_glyph_source.h"
#include "platform/gdi/canvas.h"

namespace {

// Runs `step` on the modal dialog that is open once the event loop has shown it.
void WhenModalShows(std::function<void(QWidget*)> step) {
  QTimer::singleShot(0, [step = std::move(step)] {
    QWidget* modal = nullptr;
    const bool shown = QTest::qWaitFor(
        [&] { return (modal = QApplication::activeModalWidget()) != nullptr; }, 5000);
    ASSERT_TRUE(shown);
    step(modal);
  });
}

// A dialog the test failed to close would wait forever: after a while every dialog still open
// is closed and the test fails.
class ModalWatchdog {
 public:
  ModalWatchdog() {
    timer_.setInterval(10000);
    QObject::connect(&timer_, &QTimer::timeout, [] {
      ADD_FAILURE() << "a dialog was left open";
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible()) {
          dialog->reject();
        }
      }
    });
    timer_.start();
  }

 private:
  QTimer timer_;
};

QAbstractButton* ButtonOf(QMessageBox& box, QMessageBox::StandardButton which) {
  return box.button(which);
}

struct BoxCase {
  unsigned flags;
  QMessageBox::Icon icon;
  bool yesNo;
  QMessageBox::StandardButton press;
  int answer;
};

TEST(QtMessageBoxService, FlagsPickIconAndButtonsAndTheAnswerIsTheButtonPressed) {
  const BoxCase cases[] = {
      {ui::MB_ICONSTOP, QMessageBox::Critical, false, QMessageBox::Ok, ui::IDOK},
      {ui::MB_YESNO | ui::MB_ICONHAND, QMessageBox::Critical, true, QMessageBox::Yes, ui::IDYES},
      {ui::MB_YESNO | ui::MB_ICONQUESTION, QMessageBox::Question, true, QMessageBox::No, ui::IDNO},
      {ui::MB_ICONEXCLAMATION, QMessageBox::Warning, false, QMessageBox::Ok, ui::IDOK},
      {ui::MB_ICONINFORMATION, QMessageBox::Information, false, QMessageBox::Ok, ui::IDOK},
      {ui::MB_OK, QMessageBox::NoIcon, false, QMessageBox::Ok, ui::IDOK},
  };
  ModalWatchdog watchdog;
  desktop::QtMessageBoxService boxes;
  for (const BoxCase& c : cases) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text, title, yesText;
    bool hasYes = false, hasNo = false, hasOk = false;
    WhenModalShows([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      icon = box->icon();
      text = box->text();
      title = box->windowTitle();
      hasYes = ButtonOf(*box, QMessageBox::Yes) != nullptr;
      hasNo = ButtonOf(*box, QMessageBox::No) != nullptr;
      hasOk = ButtonOf(*box, QMessageBox::Ok) != nullptr;
      if (hasYes) yesText = ButtonOf(*box, QMessageBox::Yes)->text();
      ButtonOf(*box, c.press)->click();
    });
    const int answer = boxes.Show("消去します。\r\nよろしいですか？", "Sonoquill - Rch", c.flags);
    EXPECT_EQ(answer, c.answer) << c.flags;
    EXPECT_EQ(icon, c.icon) << c.flags;
    EXPECT_EQ(hasYes, c.yesNo) << c.flags;
    EXPECT_EQ(hasNo, c.yesNo) << c.flags;
    EXPECT_EQ(hasOk, !c.yesNo) << c.flags;
    EXPECT_EQ(text, QStringLiteral("消去します。\nよろしいですか？"));
    EXPECT_EQ(title, QStringLiteral("Sonoquill - Rch"));
    if (c.yesNo) {
      EXPECT_TRUE(yesText.contains(QStringLiteral("はい"))) << yesText.toStdString();
    }
  }
}

TEST(QtMessageBoxService, ABoxClosedWithoutAnAnswerCountsAsNo) {
  ModalWatchdog watchdog;
  desktop::QtMessageBoxService boxes;
  WhenModalShows([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->reject(); });
  EXPECT_EQ(boxes.Show("消去しますか？", "Sonoquill", ui::MB_YESNO), ui::IDNO);
}

TEST(QtMessageBoxService, TheTestModeAnswersEachShownBoxWithItsDefaultButton) {
  desktop::QtMessageBoxService boxes(0);
  EXPECT_EQ(boxes.Show("すでに起動しています。", "Sonoquill", ui::MB_ICONSTOP), ui::IDOK);
  EXPECT_EQ(boxes.Show("よろしいですか？", "Sonoquill", ui::MB_YESNO), ui::IDYES);
}

// A directory of the running test's own: ctest runs tests side by side.
struct TempDir {
  TempDir() {
    path = std::filesystem::path(SONOQUILL_TEST_TMP) /
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TempDir() { std::filesystem::remove_all(path); }
  QString Q(const std::string& name = "") const {
    return QString::fromStdString((path / name).string());
  }
  std::filesystem::path path;
};

const ui::FileDialogOptions kWaveOptions{{"Wave files (*.wav)", "*.wav"}, "wav", "NoName"};

TEST(QtFileDialogService, TheSaveDialogStartsFromTheNameAppendsTheExtensionAndAsksBeforeReplacing) {
  ModalWatchdog watchdog;
  TempDir dir;
  desktop::QtFileDialogService files;

  // Cancelled: the name it started with.
  QString startName;
  WhenModalShows([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog->nameFilters(), QStringList{"Wave files (*.wav)"});
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("wav"));
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    startName = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
    dialog->reject();
  });
  ui::SaveDialogResult cancelled = files.AskSave(kWaveOptions);
  EXPECT_FALSE(cancelled.confirmed);
  EXPECT_EQ(cancelled.name, "NoName");
  EXPECT_EQ(startName, QStringLiteral("NoName"));

  // A name without an extension gets ".wav".
  WhenModalShows([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    dialog->setDirectory(dir.Q());
    dialog->selectFile(QStringLiteral("音"));
    static_cast<QDialog*>(dialog)->accept();  // what the accept button does
  });
  ui::SaveDialogResult chosen = files.AskSave(kWaveOptions);
  EXPECT_TRUE(chosen.confirmed);
  EXPECT_EQ(chosen.name, (dir.path / "音.wav").string());

  // An existing file: the dialog asks, and "No" keeps it open.
  std::ofstream(dir.path / "old.wav") << "x";
  bool asked = false;
  WhenModalShows([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    dialog->setDirectory(dir.Q());
    dialog->selectFile(QStringLiteral("old.wav"));
    WhenModalShows([&, dialog](QWidget* question) {
      auto* box = qobject_cast<QMessageBox*>(question);
      asked = box != nullptr;
      if (box) box->button(QMessageBox::No)->click();
      QTimer::singleShot(0, dialog, [dialog] {
        EXPECT_TRUE(dialog->isVisible()) << "still open after No";
        dialog->reject();
      });
    });
    static_cast<QDialog*>(dialog)->accept();  // what the accept button does
  });
  EXPECT_FALSE(files.AskSave({kWaveOptions.filter, "wav", "old.wav"}).confirmed);
  EXPECT_TRUE(asked);
}

TEST(QtFileDialogService, TheOpenDialogGivesTheChosenPathAndRefusesOneTooLongForTheProgram) {
  ModalWatchdog watchdog;
  TempDir dir;
  desktop::QtFileDialogService files;
  std::ofstream(dir.path / "loop.wav") << "RIFF";
  WhenModalShows([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    dialog->selectFile(dir.Q("loop.wav"));
    static_cast<QDialog*>(dialog)->accept();  // what the accept button does
  });
  EXPECT_EQ(files.AskOpen(kWaveOptions), (dir.path / "loop.wav").string());

  const std::filesystem::path deep =
      dir.path / std::string(120, 'd') / (std::string(150, 'f') + ".wav");
  std::filesystem::create_directories(deep.parent_path());
  std::ofstream(deep) << "RIFF";
  ASSERT_GE(deep.string().size(), 260u);
  bool warned = false;
  WhenModalShows([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    dialog->selectFile(QString::fromStdString(deep.string()));
    WhenModalShows([&, dialog](QWidget* warning) {
      auto* box = qobject_cast<QMessageBox*>(warning);
      warned = box != nullptr && box->text().contains(QStringLiteral("長すぎます"));
      if (box) box->accept();
      QTimer::singleShot(0, dialog, [dialog] { dialog->reject(); });
    });
    static_cast<QDialog*>(dialog)->accept();  // what the accept button does
  });
  EXPECT_EQ(files.AskOpen(kWaveOptions), std::nullopt);
  EXPECT_TRUE(warned);
}

TEST(QtGlyphSource, JapaneseTextIsDrawnIntoPicturesInExactlyTwoColours) {
  const gdi::GlyphSource& source = gdi::GlyphSourceFor("生成波形");
  ASSERT_NE(dynamic_cast<const desktop::QtGlyphSource*>(&source), nullptr)
      << "the application installs the Qt glyph source";
  const gdi::GlyphMask mask = source.Render("生成波形");
  ASSERT_GT(mask.width, 4 * 8);
  ASSERT_GE(mask.height, 12);
  int ink = 0;
  for (std::uint8_t bit : mask.bits) {
    ASSERT_LE(bit, 1);
    ink += bit;
  }
  EXPECT_GT(ink, 40);
  EXPECT_LT(ink, mask.width * mask.height / 2);

  gdi::Picture picture(80, 20, 0xFFFFFF);
  gdi::Canvas canvas(picture);
  canvas.fontColor = 0xFF0000;
  canvas.brushColor = 0xE1FFFF;
  canvas.TextOut(2, 2, "生成波形");
  for (int y = 2; y < 2 + mask.height && y < 20; ++y) {
    for (int x = 2; x < 2 + mask.width && x < 80; ++x) {
      const gdi::Color c = picture.Pixel(x, y);
      ASSERT_TRUE(c == 0xFF0000 || c == 0xE1FFFF) << x << "," << y << ": " << std::hex << c;
    }
  }
  EXPECT_EQ(gdi::GlyphSourceFor(" 0").Render(" 0").width, 2 * gdi::BuiltInFont::kCellWidth)
      << "digits keep the built-in font";
}

}  // namespace
