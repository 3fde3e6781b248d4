// Turning the painted segment pictures into the one-second block.
#pragma once

#include "app/app_state.h"

void SynthesizeMono(AppState& app);
void SynthesizeStereo(AppState& app);
