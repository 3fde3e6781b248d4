// Message boxes and file dialogs answered from a script. A box or dialog that no test expected
// fails the test and shows its text.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/dialogs.h"

struct ShownBox {
  std::string text;
  std::string title;
  unsigned flags;
};

class ScriptedDialogs : public ui::MessageBoxService, public ui::FileDialogService {
 public:
  // The answer the next box gets.
  void AnswerBox(int answer) { boxAnswers.push_back(answer); }
  // The path the next open dialog returns; nothing means cancel.
  void AnswerOpen(std::optional<std::string> path) { openAnswers.push_back(std::move(path)); }
  void AnswerSave(ui::SaveDialogResult result) { saveAnswers.push_back(std::move(result)); }

  int Show(const std::string& text, const std::string& title, unsigned flags) override {
    shown.push_back({text, title, flags});
    if (boxAnswers.empty() && AnswerAnyBox) return AnswerAnyBox(shown.back());
    if (boxAnswers.empty()) {
      ADD_FAILURE() << "unexpected message box \"" << title << "\": " << text;
      return ui::IDOK;
    }
    const int answer = boxAnswers.front();
    boxAnswers.pop_front();
    return answer;
  }

  std::optional<std::string> AskOpen(const ui::FileDialogOptions& options) override {
    openOptions.push_back(options);
    if (openAnswers.empty() && AnswerAnyOpen) return AnswerAnyOpen();
    if (openAnswers.empty()) {
      ADD_FAILURE() << "unexpected open dialog";
      return std::nullopt;
    }
    auto answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
  }

  ui::SaveDialogResult AskSave(const ui::FileDialogOptions& options) override {
    saveOptions.push_back(options);
    if (saveAnswers.empty() && AnswerAnySave) return AnswerAnySave(options);
    if (saveAnswers.empty()) {
      ADD_FAILURE() << "unexpected save dialog";
      return {false, options.initialName};
    }
    auto answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
  }

  // Every expected answer was used.
  bool Drained() const { return boxAnswers.empty() && openAnswers.empty() && saveAnswers.empty(); }

  // When set, boxes and dialogs without a queued answer are answered by these instead of
  // failing the test (the random-event test answers whatever comes up).
  std::function<int(const ShownBox&)> AnswerAnyBox;
  std::function<std::optional<std::string>()> AnswerAnyOpen;
  std::function<ui::SaveDialogResult(const ui::FileDialogOptions&)> AnswerAnySave;

  std::vector<ShownBox> shown;
  std::vector<ui::FileDialogOptions> openOptions;
  std::vector<ui::FileDialogOptions> saveOptions;
  std::deque<int> boxAnswers;
  std::deque<std::optional<std::string>> openAnswers;
  std::deque<ui::SaveDialogResult> saveAnswers;
};
