// Turning the painted segment pictures into the one-second block.
#pragma once

#include <cstdint>

#include "app/app_state.h"

// Reads the main window's ten thumbnails into both copies of the block (one sample per frame),
// repeats the first tenth in the "10 msec" interval, and writes the block back into the loaded
// file at CurrentBlock. Progress goes to status panel 0 of the main window.
void SynthesizeMono(AppState& app);
// The same with the main window as the left channel and the right-channel window as the right
// channel, interleaved. Progress goes to status panel 0 of both windows.
void SynthesizeStereo(AppState& app);

// The sample of a painted pixel `rowsAboveCentre` rows above the centre row: 327.68 sample units
// a row, full scale (32767) at 100 rows, computed the way the block has always been made.
std::int16_t RowAmplitude(int rowsAboveCentre);
