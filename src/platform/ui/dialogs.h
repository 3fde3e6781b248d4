// Message boxes and file dialogs as services: the desktop front-end shows real ones, tests answer
// them from a script.
#pragma once

#include <optional>
#include <string>

namespace ui {

// Buttons and icons of a message box, combined with |.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_ICONSTOP = 0x10;  // also called the hand icon
constexpr unsigned MB_ICONHAND = MB_ICONSTOP;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned kButtonMask = 0xF;
constexpr unsigned kIconMask = 0xF0;

// Answers.
constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  // Shows a modal box and returns the button pressed.
  virtual int Show(const std::string& text, const std::string& title, unsigned flags) = 0;
};

struct FileFilter {
  std::string description;  // "Wave files (*.wav)"
  std::string pattern;      // "*.wav"
};

struct FileDialogOptions {
  FileFilter filter;
  std::string defaultExtension;  // appended when the chosen name has none
  std::string initialName;       // the name the save dialog starts from
};

// What a save dialog leaves in its name field, and whether the user confirmed it.
struct SaveDialogResult {
  bool confirmed = false;
  std::string name;
};

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  // The chosen path (UTF-8), or nothing when cancelled.
  virtual std::optional<std::string> AskOpen(const FileDialogOptions& options) = 0;
  // Asks before overwriting an existing file.
  virtual SaveDialogResult AskSave(const FileDialogOptions& options) = 0;
};

}  // namespace ui
