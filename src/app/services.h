// The platform services a running program is given: the front-end provides real ones, tests
// provide scripted and simulated ones.
#pragma once

#include "platform/audio/wave_out.h"
#include "platform/os/os_services.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/message.h"

struct Services {
  ui::MessageBoxService& boxes;
  ui::FileDialogService& files;
  audio::WaveOutDevice& waveOut;
  os::VersionQuery& version;
  os::ProgramLauncher& launcher;
  ui::MessageQueue& queue;
  // Posts to the main window from any thread (the sound device's completions).
  ui::MessagePoster& mainWindowPoster;
};
