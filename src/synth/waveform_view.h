// The generated-waveform view under each canvas: the block as a green curve over fixed axes.
#pragma once

#include "app/app_state.h"

// Mono draws the main window's view from copy `copy`; stereo draws the main window's view from the
// left channel and then the right-channel window's view from the right channel.
void DrawGeneratedView(AppState& app, int copy, bool stereo);
