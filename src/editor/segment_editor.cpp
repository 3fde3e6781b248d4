#include "editor/segment_editor.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/main_form.h"
#include "editor/editor_form.h"

namespace {

constexpr int kThumbnailTagBase = 100;
constexpr int kModePaint = 0;
constexpr int kModeCopy = 2;
constexpr int kPenWidths[] = {1, 2, 4, 8};

std::string SegmentName(int index) {
  return "イメージ" + std::to_string(index + 1);
}

}  // namespace

int ThumbnailExtent(int pictureExtent) {
  return static_cast<int>(static_cast<long double>(pictureExtent) * static_cast<long double>(0.35));
}

SegmentEditor::SegmentEditor(AppState& app, EditorForm& form, std::int32_t& selectedSegment)
    : app_(app), form_(form), selected_(selectedSegment) {}

SegmentEditor::~SegmentEditor() {
  ReleaseThumbnails();
}

void SegmentEditor::InitCanvas() {
  ui::Image& canvas = form_.Image1;
  const int width = app_.CanvasLeftMargin + kSoundColumns;
  canvas.NewPicture(width, kCanvasHeight);
  canvas.SetBounds(canvas.Left(), canvas.Top(), width, kCanvasHeight);
  DrawBlankSegment();

  const int thumbWidth = ThumbnailExtent(width);
  const int thumbHeight = ThumbnailExtent(kCanvasHeight);
  std::vector<ui::Image*> children;
  for (int i = 0; i < kSegmentCount; ++i) {
    auto thumb = std::make_unique<ui::Image>(nullptr, "SegmentThumbnail" + std::to_string(i));
    thumb->SetTag(kThumbnailTagBase + i);
    thumb->SetHint(SegmentName(i));
    thumb->SetBounds(0, i * thumbHeight + kThumbnailGap * i, thumbWidth, thumbHeight);
    thumb->Stretch = true;
    thumb->AssignPicture(canvas.Picture());
    thumb->OnClick = [this](ui::Image& sender) { form_.Image1Click(sender); };
    children.push_back(thumb.get());
    SegmentThumbnails[static_cast<std::size_t>(i)] = std::move(thumb);
  }
  form_.ScrollBox1.SetChildren(std::move(children));
  form_.ScrollBox1.Repaint();
}

void SegmentEditor::ReleaseThumbnails() {
  form_.ScrollBox1.SetChildren({});
  for (auto& thumb : SegmentThumbnails) thumb.reset();
}

void SegmentEditor::DrawBlankSegment() {
  ui::Image& image = form_.Image1;
  gdi::Canvas& canvas = image.Canvas();
  const int left = app_.CanvasLeftMargin;
  const int top = app_.CanvasTopMargin;
  const int width = image.Picture().Width();
  const int height = image.Picture().Height();
  const int mid = height / 2;
  const int marker = left + app_.SampleRate / 100;

  canvas.brushColor = gdi::kInfoBackground;
  canvas.FillRect(0, 0, width, height);

  canvas.pen = {gdi::kBlue, 1, gdi::PenStyle::Solid};
  canvas.MoveTo(left, 0);
  canvas.LineTo(left, height);
  canvas.MoveTo(0, mid);
  canvas.LineTo(width, mid);
  canvas.MoveTo(marker, 0);
  canvas.LineTo(marker, height);

  canvas.pen.style = gdi::PenStyle::Dot;
  canvas.MoveTo(left, top);
  canvas.LineTo(width, top);
  canvas.MoveTo(left, height - top);
  canvas.LineTo(width, height - top);
  canvas.pen.style = gdi::PenStyle::Solid;

  canvas.fontColor = gdi::kBlue;
  canvas.TextOut(left - 14, mid + 2, " 0");
  canvas.TextOut(left - 14, top - 4, " 1");
  canvas.TextOut(left - 14, height - top - 4, "-1");
  canvas.fontColor = gdi::kBlack;

  form_.Label2.SetLeft(marker);
  image.Repaint();
}

void SegmentEditor::StoreCanvas() {
  if (auto& thumb = SegmentThumbnails[static_cast<std::size_t>(selected_)]) {
    thumb->AssignPicture(form_.Image1.Picture());
  }
}

void SegmentEditor::SetTimeLabels() {
  const int f = app_.Form1->RadioGroup1.ItemIndex() == 1 ? 10 : 1;
  form_.Label1.SetCaption(std::to_string(selected_ * f * 10) + " msec");
  form_.Label2.SetCaption(std::to_string((selected_ * 10 + 10) * f) + " msec");
}

void SegmentEditor::Image1Click(ui::Image& sender) {
  if (&sender == &form_.Image1) return;
  const int index = sender.Tag() - kThumbnailTagBase;
  if (index < 0 || index >= kSegmentCount) return;
  StoreCanvas();
  selected_ = index;
  form_.StatusBar1.SetPanelText(0, SegmentName(selected_));
  form_.Image1.AssignPicture(SegmentThumbnails[static_cast<std::size_t>(index)]->Picture());
  SetTimeLabels();
}

void SegmentEditor::Button1Click() {
  const int answer = form_.boxes.Show("現在選択されているイメージを消去します。よろしいですか？",
                                      form_.Caption(), ui::MB_YESNO | ui::MB_ICONHAND);
  if (answer == ui::IDNO) return;
  DrawBlankSegment();
  StoreCanvas();
  form_.StatusBar1.SetPanelText(1, "OK");
}

void SegmentEditor::FormMouseMove(int, int) {
  form_.StatusBar1.SetPanelText(0, SegmentName(selected_));
  form_.StatusBar1.SetPanelText(1, "");
}

int SegmentEditor::Mode() const {
  return form_.RadioGroup3.ItemIndex();
}

bool SegmentEditor::InDrawingZone(int x, int y) const {
  const int right = app_.CanvasLeftMargin + app_.SampleRate / 100;
  return x >= app_.CanvasLeftMargin && x < right && y >= app_.CanvasTopMargin &&
         y <= form_.Image1.Height() - app_.CanvasTopMargin;
}

void SegmentEditor::Image1MouseDown(ui::MouseButton b, int x, int y) {
  if (form_.Image3.Visible()) CommitPaste();
  // The press area is fixed; the right-hand end of the zone is not tested here.
  if (x < 30 || y < 20 || y > 220) return;

  gdi::Canvas& canvas = form_.Image1.Canvas();
  canvas.pen.color = Mode() == kModePaint ? gdi::kBlack : gdi::kInfoBackground;
  const int size = std::clamp(form_.RadioGroup4.ItemIndex(), 0, 3);
  canvas.pen.width = kPenWidths[size];
  canvas.pen.style = gdi::PenStyle::Solid;
  canvas.MoveTo(x, y);

  const bool left = b == ui::MouseButton::Left;
  if (Mode() == kModeCopy && left) {
    form_.Shape1.SetBounds(x, y, 0, 0);
    DragOrigin = {x, y};
    form_.Shape1.Show();
  }
  if (left) PenDown = true;
}

void SegmentEditor::Image1MouseMove(int x, int y) {
  const int mid = form_.Image1.Height() / 2;
  char readout[64];
  std::snprintf(readout, sizeof readout, "カーソル位置 : (%d,%d)", x - app_.CanvasLeftMargin,
                mid - y);
  form_.StatusBar1.SetPanelText(0, readout);
  const bool inside = InDrawingZone(x, y);
  if (!inside) {
    form_.StatusBar1.SetPanelText(0, "NGゾーン");
    form_.StatusBar1.SetPanelText(1, "そこはあかんで！");
  } else {
    form_.StatusBar1.SetPanelText(1, SegmentName(selected_));
  }
  if (!PenDown || !inside) return;
  if (Mode() != kModeCopy) form_.Image1.Canvas().LineTo(x, y);
  form_.Image1.Repaint();
  if (Mode() == kModeCopy) {
    form_.Shape1.SetBounds(std::min(DragOrigin.x, x), std::min(DragOrigin.y, y),
                           std::abs(x - DragOrigin.x), std::abs(y - DragOrigin.y));
  }
}

void SegmentEditor::Image1MouseUp(ui::MouseButton, int, int) {
  PenDown = false;
  StoreCanvas();
}

void SegmentEditor::RadioGroup3Click() {
  if (Mode() == kModeCopy) {
    if (OnCopyModeChosen) OnCopyModeChosen();
    return;
  }
  form_.Shape1.Hide();
  form_.Shape1.SetBounds(form_.Shape1.Left(), form_.Shape1.Top(), 0, 0);
}

void SegmentEditor::PopupMenu1Popup() {
  form_.CopyItem.SetEnabled(true);
  if (form_.OtherEditor().PasteItem.Enabled()) form_.PasteItem.SetEnabled(true);
  if (Mode() != kModeCopy) {
    form_.CopyItem.SetEnabled(false);
    form_.PasteItem.SetEnabled(false);
  }
}

void SegmentEditor::Copy() {
  const ui::Shape& frame = form_.Shape1;
  const int w = frame.Width();
  const int h = frame.Height();
  gdi::Picture region(w, h);
  gdi::Canvas(region).CopyRect(0, 0, form_.Image1.Picture(), frame.Left(), frame.Top(), w, h);

  ui::Image& clipboard = *app_.ClipboardImage;
  clipboard.SetBounds(clipboard.Left(), clipboard.Top(), w, h);
  clipboard.AssignPicture(region);
  for (EditorForm* target : {&form_, &form_.OtherEditor()}) {
    target->Image3.SetBounds(target->Image3.Left(), target->Image3.Top(), w, h);
    target->Image3.AssignPicture(region);
  }
  const bool any = w != 0 || h != 0;
  form_.PasteItem.SetEnabled(any);
  form_.OtherEditor().PasteItem.SetEnabled(any);
}

void SegmentEditor::StampFloatingImage() {
  const ui::Image& floating = form_.Image3;
  form_.Image1.Canvas().CopyRect(floating.Left(), floating.Top(), floating.Picture(), 0, 0,
                                 floating.Width(), floating.Height());
}

void SegmentEditor::Paste() {
  if (form_.Image3.Visible()) StampFloatingImage();
  const int left = app_.CanvasLeftMargin;
  const int top = app_.CanvasTopMargin;
  form_.Image3.SetBounds(left + 1, top + 1, form_.Image3.Width(), form_.Image3.Height());
  form_.Image3.Show();
  form_.Shape1.SetBounds(left, top, app_.ClipboardImage->Width() + 2,
                         app_.ClipboardImage->Height() + 2);
  form_.Shape1.Show();
  form_.Image1.Repaint();
}

void SegmentEditor::CommitPaste() {
  StampFloatingImage();
  form_.Image3.Hide();
  form_.Shape1.SetBounds(form_.Shape1.Left(), form_.Shape1.Top(), 0, 0);
  form_.Shape1.Hide();
  form_.Image1.Repaint();
}

void SegmentEditor::Image3MouseDown(ui::MouseButton b, int x, int y) {
  if (b != ui::MouseButton::Left) return;
  PasteDrag = true;
  DragOrigin = {x, y};
}

void SegmentEditor::Image3MouseUp(ui::MouseButton, int, int) {
  PasteDrag = false;
}

// The bounds are tested on the position before the move: a move may carry the image over a
// border, and the next one snaps it back on that axis and ends the drag.
void SegmentEditor::Image3MouseMove(int x, int y) {
  if (!PasteDrag) return;
  ui::Image& floating = form_.Image3;
  ui::Shape& frame = form_.Shape1;
  const int l = floating.Left();
  const int t = floating.Top();
  const int w = floating.Width();
  const int h = floating.Height();
  const int margin = app_.CanvasLeftMargin;
  const int top = app_.CanvasTopMargin;
  const int right = margin + app_.SampleRate / 100;
  const int bottom = form_.Image1.Height() - top;

  if (l < margin) {
    floating.SetLeft(margin + 1);
    frame.SetLeft(margin);
    PasteDrag = false;
  } else if (l + w >= right) {
    floating.SetLeft(right - w - 1);
    frame.SetLeft(right - w - 2);
    PasteDrag = false;
  } else if (t < top) {
    floating.SetTop(top + 1);
    frame.SetTop(top);
    PasteDrag = false;
  } else if (t + h > bottom) {
    floating.SetTop(bottom - h - 1);
    frame.SetTop(bottom - h - 2);
    PasteDrag = false;
  } else {
    floating.SetLeft(l + x - DragOrigin.x + 1);
    floating.SetTop(t + y - DragOrigin.y + 1);
    frame.SetLeft(l + x - DragOrigin.x);
    frame.SetTop(t + y - DragOrigin.y);
  }
}
