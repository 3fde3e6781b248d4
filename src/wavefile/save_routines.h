// The two routines behind the Save command: the generated block three times over, or the whole
// loaded file data. Each writes to AppState::SaveFileName and says whether the file was written.
#pragma once

#include <cstdint>

#include "app/app_state.h"

constexpr int SaveResultOk = 1001;
constexpr int SaveResultFailed = 2001;

// stereo: the channel setting's index (0 mono, anything else stereo).
int SaveGeneratedBlock(AppState& app, int stereo);
// stereo: the loaded file's channel count minus 1 (0 mono, anything else stereo).
int SaveLoadedData(AppState& app, int stereo);
// Sample `channel` (0 left or mono, 1 right) of frame `frame` of LoadedData; 0 for a frame that
// LoadedData does not hold.
int LoadedSample(const AppState& app, std::int64_t frame, int channel);
