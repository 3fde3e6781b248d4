// The program on the control model as the behaviour tests build it, for benchmarks. A box or
// dialog ends the run: a measured path that asks the user has gone wrong, and its figures would
// describe other work than the benchmark's name says.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "support/test_world.h"

struct BenchWorld : TestWorld {
  BenchWorld() {
    dialogs.AnswerAnyBox = [](const ShownBox& box) -> int { Stop("message box: " + box.text); };
    dialogs.AnswerAnyOpen = []() -> std::optional<std::string> { Stop("open dialog"); };
    dialogs.AnswerAnySave = [](const ui::FileDialogOptions&) -> ui::SaveDialogResult {
      Stop("save dialog");
    };
  }

  [[noreturn]] static void Stop(const std::string& what) {
    std::fprintf(stderr, "benchmark stopped by an unexpected %s\n", what.c_str());
    std::abort();
  }
};
