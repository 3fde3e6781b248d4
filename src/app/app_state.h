// The program-wide state that every subsystem reads and writes on the user-interface thread.
// One instance lives for the whole run; its arrays are fixed and never reallocated.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/wave_out.h"
#include "platform/ui/image.h"

class TForm1;
class TForm2;

// Two channels of 48000 frames: the largest block the program makes.
constexpr int kBlockCapacity = 96000;
constexpr int kMaxSampleRate = 48000;
constexpr int kDefaultSampleRate = 44100;

using BlockCopy = std::array<std::int16_t, kBlockCapacity>;

struct AppState {
  AppState();

  std::string VersionText;
  std::string CreditText;
  std::int32_t SampleRate = kDefaultSampleRate;
  const std::int32_t CanvasLeftMargin = 30;
  const std::int32_t CanvasTopMargin = 20;
  std::int32_t SelectedSegment = 0;
  std::int32_t SelectedSegmentR = 0;

  // The opened WAV file: 0 bytes means drawing mode.
  std::uint32_t LoadedDataBytes = 0;
  std::vector<std::int16_t> LoadedData;
  audio::WaveFormatEx LoadedFormat;
  std::uint32_t LoadedFrameBytes = 0;
  std::int32_t CurrentBlock = 0;

  bool IsVistaOrLater = false;

  // Copy i feeds playback buffer i; every writer writes both.
  std::array<BlockCopy, 2> BlockSamples{};

  // Region last copied from a canvas; owned by the main window, never shown.
  std::unique_ptr<ui::Image> ClipboardImage;

  std::string LoadedFileName;
  std::string SaveFileName;

  TForm1* Form1 = nullptr;
  TForm2* Form2 = nullptr;
};

void ClearBlockSamples(AppState& app);
