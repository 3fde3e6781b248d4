#include "desktop/qt_dialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <iostream>

namespace desktop {
namespace {

constexpr std::size_t kNameBufferBytes = 260;  // with its terminating zero

QMessageBox::Icon IconFor(unsigned flags) {
  switch (flags & ui::kIconMask) {
    case ui::MB_ICONSTOP:
      return QMessageBox::Critical;
    case ui::MB_ICONQUESTION:
      return QMessageBox::Question;
    case ui::MB_ICONEXCLAMATION:
      return QMessageBox::Warning;
    case ui::MB_ICONINFORMATION:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

// Texts carry "\r\n" line breaks; Qt breaks lines at "\n" alone.
QString BoxText(const std::string& text) {
  return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString FilterText(const ui::FileFilter& filter) {
  const QString description = QString::fromStdString(filter.description);
  const QString pattern = QString::fromStdString(filter.pattern);
  if (description.contains(QLatin1Char('('))) return description;  // "Wave files (*.wav)"
  return description + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

void Configure(QFileDialog& dialog, const ui::FileDialogOptions& options) {
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setNameFilter(FilterText(options.filter));
  dialog.setDefaultSuffix(QString::fromStdString(options.defaultExtension));
}

// Runs the dialog until it is cancelled or gives a path that fits the name buffer.
std::optional<std::string> RunForPath(QFileDialog& dialog) {
  for (;;) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
      return std::nullopt;
    }
    const QString chosen = dialog.selectedFiles().front();
    std::string path = QFile::encodeName(chosen).toStdString();
    if (path.size() < kNameBufferBytes) return path;
    QMessageBox::warning(&dialog, dialog.windowTitle(),
                         QStringLiteral("ファイル名が長すぎます（%1 バイトまで）。\n%2")
                             .arg(kNameBufferBytes - 1)
                             .arg(chosen));
  }
}

}  // namespace

QWidget* DialogParent::Get() const {
  if (QWidget* active = QApplication::activeWindow()) return active;
  return fallback_.data();
}

QtMessageBoxService::QtMessageBoxService(std::optional<int> autoAnswerAfterMs)
    : autoAnswerAfterMs_(autoAnswerAfterMs) {}

std::optional<int> QtMessageBoxService::AutoAnswerFromEnvironment() {
  const char* value = std::getenv("SONOQUILL_TEST_AUTOCLOSE_BOXES");
  if (value == nullptr || *value == '\0') return std::nullopt;
  char* end = nullptr;
  const long ms = std::strtol(value, &end, 10);
  if (end == value || ms < 0) return 0;
  return static_cast<int>(std::min(ms, 600000L));
}

int QtMessageBoxService::Show(const std::string& text, const std::string& title, unsigned flags) {
  QMessageBox box(IconFor(flags), QString::fromStdString(title), BoxText(text),
                  QMessageBox::NoButton, parent_.Get());
  box.setTextFormat(Qt::PlainText);
  const bool yesNo = (flags & ui::kButtonMask) == ui::MB_YESNO;
  QPushButton* yes = nullptr;
  QPushButton* no = nullptr;
  QPushButton* ok = nullptr;
  if (yesNo) {
    yes = box.addButton(QMessageBox::Yes);
    no = box.addButton(QMessageBox::No);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
  } else {
    ok = box.addButton(QMessageBox::Ok);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
  }
  // The keyboard answers the box at once, also where no window manager gives it the focus.
  QTimer::singleShot(0, &box, [&box] { box.activateWindow(); });
  if (autoAnswerAfterMs_) {
    QTimer::singleShot(*autoAnswerAfterMs_, &box, [&box] { box.defaultButton()->click(); });
  }
  box.exec();
  // A box closed any other way (the program ending under it) counts as the cautious answer.
  int answer = ui::IDOK;
  if (yesNo) answer = box.clickedButton() == yes ? ui::IDYES : ui::IDNO;
  if (autoAnswerAfterMs_) {
    std::cerr << "message box [" << title << "] " << text << " -> "
              << (answer == ui::IDYES  ? "Yes"
                  : answer == ui::IDNO ? "No"
                                       : "OK")
              << std::endl;
  }
  return answer;
}

std::optional<std::string> QtFileDialogService::AskOpen(const ui::FileDialogOptions& options) {
  QFileDialog dialog(parent_.Get());
  Configure(dialog, options);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return RunForPath(dialog);
}

ui::SaveDialogResult QtFileDialogService::AskSave(const ui::FileDialogOptions& options) {
  QFileDialog dialog(parent_.Get());
  Configure(dialog, options);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);  // asks before replacing a file
  if (!options.initialName.empty())
    dialog.selectFile(QFile::decodeName(options.initialName.c_str()));
  // A cancelled dialog leaves the name it started with.
  if (auto path = RunForPath(dialog)) return {true, *path};
  return {false, options.initialName};
}

}  // namespace desktop
