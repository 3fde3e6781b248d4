// What both windows share: the canvas, its labels, the generated-waveform view, the frame and the
// floating paste image, the thumbnail box, the status bar, the clear button, the mode and pen-size
// groups, the popup menu with copy and paste, and the segment editor that drives them.
#pragma once

#include <string>
#include <vector>

#include "app/app_state.h"
#include "editor/segment_editor.h"
#include "platform/ui/control.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "platform/ui/image.h"

// Where the two windows' shared controls differ.
struct EditorLayout {
  std::string copyItemName;   // "K6" in the main window, "K1" in the right-channel window
  std::string pasteItemName;  // "K7" / "K2"
  int statusBarTop;
  std::vector<int> statusPanels;
  int modeGroupWidth;  // RadioGroup3 and RadioGroup4
  int floatingLeft;    // Image3's place in the form description
  int floatingTop;
};

class EditorForm : public ui::Form {
 public:
  EditorForm(AppState& app, ui::MessageBoxService& boxes, std::string name, std::string caption,
             int clientWidth, int clientHeight, const EditorLayout& layout,
             std::int32_t& selectedSegment);

  AppState& app;
  ui::MessageBoxService& boxes;

  ui::Image Image1;
  ui::Label Label1;
  ui::Label Label2;
  ui::Image Image2;
  ui::Shape Shape1;
  ui::Image Image3;
  ui::Button Button1;
  ui::StatusBar StatusBar1;
  ui::ScrollBox ScrollBox1;
  ui::RadioGroup RadioGroup3;
  ui::RadioGroup RadioGroup4;
  ui::PopupMenu PopupMenu1;
  ui::MenuItem CopyItem;
  ui::MenuItem PasteItem;

  SegmentEditor editor;

  // The other editor window, for copy and paste across windows.
  virtual EditorForm& OtherEditor() = 0;

  // Handlers shared by both windows; each delegates to the editor.
  void FormMouseMove(int x, int y) { editor.FormMouseMove(x, y); }
  void Image1Click(ui::Image& sender) { editor.Image1Click(sender); }
  void Button1Click() { editor.Button1Click(); }
  void Image1MouseDown(ui::MouseButton b, int x, int y) { editor.Image1MouseDown(b, x, y); }
  void Image1MouseMove(int x, int y) { editor.Image1MouseMove(x, y); }
  void Image1MouseUp(ui::MouseButton b, int x, int y) { editor.Image1MouseUp(b, x, y); }
  void RadioGroup3Click() { editor.RadioGroup3Click(); }
  void PopupMenu1Popup() { editor.PopupMenu1Popup(); }
  void Image3MouseDown(ui::MouseButton b, int x, int y) { editor.Image3MouseDown(b, x, y); }
  void Image3MouseMove(int x, int y) { editor.Image3MouseMove(x, y); }
  void Image3MouseUp(ui::MouseButton b, int x, int y) { editor.Image3MouseUp(b, x, y); }
  void CopyClick() { editor.Copy(); }
  void PasteClick() { editor.Paste(); }
  // The pointer over the generated-waveform view names it.
  void Image2MouseMove(int x, int y);
};

// Both windows' thumbnail lists back at the top and ten blank pictures in each, drawn for the
// current sampling rate: what New and loading a second start from.
void RebuildPictures(EditorForm& main, EditorForm& right);
