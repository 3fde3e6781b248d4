// What looping playback keeps between its handlers: the format it opened the device with, the
// two buffer headers and buffers, and the device handle.
#pragma once

#include <array>
#include <cstdint>

#include "app/app_state.h"
#include "platform/audio/wave_out.h"

struct PlaybackState {
  audio::WaveFormatEx PlaybackFormat;
  std::array<audio::WaveHdr, 2> PlaybackHeaders{};
  std::array<BlockCopy, 2> PlaybackBuffers{};
  audio::HWaveOut WaveOutHandle = 0;
};
