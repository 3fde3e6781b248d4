// What the open and save dialogs of WAV files are given: the filter and the default extension.
#pragma once

#include <string>
#include <utility>

#include "platform/ui/dialogs.h"

inline ui::FileDialogOptions WaveFileDialogOptions(std::string initialName) {
  return {{"Wave files (*.wav)", "*.wav"}, "wav", std::move(initialName)};
}
