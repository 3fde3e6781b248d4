// The main window: the editor of the left (or only) channel plus every command of the program.
// Its handlers live with the subsystem they belong to; this class only holds the controls and
// the wiring.
#pragma once

#include "app/app_state.h"
#include "app/services.h"
#include "editor/editor_form.h"
#include "playback/playback_state.h"

class TForm1 : public EditorForm {
 public:
  TForm1(AppState& app, Services& services);

  Services& services;

  ui::Label Label3;
  ui::Label Label4;
  ui::Button Button2;
  ui::Memo Memo1;
  ui::RadioGroup RadioGroup1;
  ui::Button Button3;
  ui::Button Button4;
  ui::RadioGroup RadioGroup2;
  ui::TrackBar TrackBar1;
  ui::Button Button5;

  ui::MenuItem K3;
  ui::MenuItem K4;
  ui::MenuItem K5;
  ui::MenuItem N2;
  ui::MenuItem K1;
  ui::MenuItem K2;
  ui::MenuItem N1;
  ui::MenuItem Rch1;
  ui::MenuItem N3;
  ui::MenuItem& K6 = CopyItem;
  ui::MenuItem& K7 = PasteItem;

  PlaybackState playback;

  EditorForm& OtherEditor() override;

  // Application frame.
  void FormCreate();
  void FormClose();
  long WndProc(const ui::Message& m) override;
  void K1Click();  // volume control
  void K2Click();  // audio properties

  // Synthesis and its commands.
  void Button2Click();
  void RadioGroup1Click();
  void RadioGroup2Click();
  void Rch1Click();
  void K3Click();

  // Playback and block navigation.
  void Button3Click();
  void Button4Click();
  void OnWaveOutDone();
  void RefillPlaybackBuffer(int i);
  void ReportWaveOutError(audio::MMRESULT code);
  void ReportMmioError(audio::MMRESULT code);
  void TrackBar1Change();
  void Button5Click();
  void RenderSegmentMono(int k);
  void RenderSegmentStereo(int k);

  // WAV files.
  void K4Click();
  void K5Click();
};

// The version test run at start-up: true for 6.0 on the NT platform and for 6.1.
void CheckOsVersion(AppState& app, unsigned major, unsigned minor, unsigned platformId);
