// Message boxes and file dialogs on screen. Both open over the active window of the program, or
// over the main window when none is active (a virtual display without a window manager).
#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>

#include "platform/ui/dialogs.h"

namespace desktop {

class DialogParent {
 public:
  void SetFallback(QWidget* window) { fallback_ = window; }
  QWidget* Get() const;

 private:
  QPointer<QWidget> fallback_;
};

// Icons from the MB_ICON flags, OK or Yes/No from the button flags.
//
// For process tests on a display nobody can answer, SONOQUILL_TEST_AUTOCLOSE_BOXES=<ms> makes
// every box answer itself with its default button (OK, or Yes) after that many milliseconds.
// The box is still shown, and each one is also written to stderr with the answer it got, so a
// test sees exactly what a user would have seen.
class QtMessageBoxService : public ui::MessageBoxService {
 public:
  explicit QtMessageBoxService(std::optional<int> autoAnswerAfterMs = std::nullopt);
  static std::optional<int> AutoAnswerFromEnvironment();

  int Show(const std::string& text, const std::string& title, unsigned flags) override;
  DialogParent& Parent() { return parent_; }

 private:
  std::optional<int> autoAnswerAfterMs_;
  DialogParent parent_;
};

// Qt's own dialogs (never the desktop's), so they look and behave alike everywhere. Paths are
// the bytes of the file system's names. A path longer than the 259 bytes the program's name
// buffer holds is refused with a message and the dialog stays open.
class QtFileDialogService : public ui::FileDialogService {
 public:
  std::optional<std::string> AskOpen(const ui::FileDialogOptions& options) override;
  ui::SaveDialogResult AskSave(const ui::FileDialogOptions& options) override;
  DialogParent& Parent() { return parent_; }

 private:
  DialogParent parent_;
};

}  // namespace desktop
