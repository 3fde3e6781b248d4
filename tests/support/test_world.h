// The whole program on the control model: state, both windows, scripted dialogs, the simulated
// sound device and recording OS services, started the way the program starts.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "editor/right_form.h"
#include "platform/audio/simulated_wave_out.h"
#include "support/scripted_dialogs.h"

class FixedVersion : public os::VersionQuery {
 public:
  std::optional<os::OsVersion> version;
  std::optional<os::OsVersion> Query() override { return version; }
};

class RecordingLauncher : public os::ProgramLauncher {
 public:
  std::vector<std::string> started;
  void Start(const std::string& program) override { started.push_back(program); }
};

struct TestWorld {
  explicit TestWorld(std::optional<os::OsVersion> version = std::nullopt);
  ~TestWorld();

  // Runs every posted message, as the message loop would.
  void Dispatch() { queue.DispatchAll(); }
  // Plays `frames` frames on the simulated device and handles the completions.
  void Play(std::uint32_t frames) {
    device.Advance(frames);
    Dispatch();
  }

  ScriptedDialogs dialogs;
  audio::SimulatedWaveOut device;
  FixedVersion versionQuery;
  RecordingLauncher launcher;
  ui::MessageQueue queue;
  ui::QueuePoster poster{queue};
  Services services{dialogs, dialogs, device, versionQuery, launcher, queue, poster};
  AppState app;
  std::optional<TForm1> form1Storage;
  std::optional<TForm2> form2Storage;
  TForm1& form1;
  TForm2& form2;
};
