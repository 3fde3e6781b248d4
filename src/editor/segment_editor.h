// The segment editor of one window: the canvas picture, the ten segment thumbnails, the pen and
// eraser, the selection frame and the floating paste image. Both windows own one.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/app_state.h"
#include "platform/gdi/canvas.h"
#include "platform/ui/image.h"

class EditorForm;

constexpr int kSegmentCount = 10;
// Sound columns after the left margin; the canvas is CanvasLeftMargin + this wide.
constexpr int kSoundColumns = 480;
constexpr int kCanvasHeight = 240;
constexpr int kThumbnailGap = 10;

// A thumbnail shows the whole picture scaled by 0.35, truncated: 510 x 240 gives 178 x 83
// (240 x 0.35 lies just below 84 when taken at extended precision).
int ThumbnailExtent(int pictureExtent);

class SegmentEditor {
 public:
  SegmentEditor(AppState& app, EditorForm& form, std::int32_t& selectedSegment);
  ~SegmentEditor();

  // A blank canvas and ten blank thumbnails drawn for the current sampling rate.
  void InitCanvas();
  void ReleaseThumbnails();
  // The blank segment (background, axes, marker, limit lines, scale texts) on the canvas; moves
  // Label2 under the marker.
  void DrawBlankSegment();

  void Image1Click(ui::Image& sender);
  void Button1Click();
  void FormMouseMove(int x, int y);
  void Image1MouseDown(ui::MouseButton b, int x, int y);
  void Image1MouseMove(int x, int y);
  void Image1MouseUp(ui::MouseButton b, int x, int y);
  void RadioGroup3Click();
  void PopupMenu1Popup();
  void Copy();
  void Paste();
  void Image3MouseDown(ui::MouseButton b, int x, int y);
  void Image3MouseMove(int x, int y);
  void Image3MouseUp(ui::MouseButton b, int x, int y);

  // Label1 / Label2 from the selected segment and the main window's interval setting.
  void SetTimeLabels();
  // Stamps a pending paste into the canvas and leaves the frame idle.
  void CommitPaste();

  std::int32_t& SelectedSegment() { return selected_; }

  // Thumbnail i holds segment picture i; null only between ReleaseThumbnails and InitCanvas.
  std::array<std::unique_ptr<ui::Image>, kSegmentCount> SegmentThumbnails;

  bool PenDown = false;
  gdi::Point DragOrigin;
  bool PasteDrag = false;

  // Runs when Copy mode is chosen (the main window logs its guidance lines).
  std::function<void()> OnCopyModeChosen;

 private:
  int Mode() const;
  bool InDrawingZone(int x, int y) const;
  // The canvas into the selected segment's thumbnail.
  void StoreCanvas();
  void StampFloatingImage();

  AppState& app_;
  EditorForm& form_;
  std::int32_t& selected_;
};
