#include "synth/waveform_view.h"

#include <algorithm>
#include <string>

#include "app/main_form.h"
#include "editor/editor_form.h"
#include "editor/right_form.h"

namespace {

constexpr int kOriginX = 30;
constexpr int kZeroY = 50;
constexpr int kPixelsPerUnit = 30;
constexpr char kViewName[] = "生成波形";

struct CurvePoint {
  int x;
  int y;
};

// One channel of a copy of the block: `count` samples `stride` apart from `first`.
struct SampleSequence {
  const std::int16_t* first;
  int stride;
  int count;
  std::int16_t operator[](int i) const { return first[static_cast<std::ptrdiff_t>(i) * stride]; }
};

// Where sample i lands: the view spans one second in the "100 msec" interval and a tenth of it,
// ten times wider, in the "10 msec" interval.
CurvePoint PointOf(std::int16_t sample, int i, int width, int sampleRate, int factor) {
  const float unit = static_cast<float>(sample) / 32768.0f;
  const int y = static_cast<int>(static_cast<float>(kZeroY) - kPixelsPerUnit * unit);
  const std::int64_t column = static_cast<std::int64_t>(width - kOriginX) * i / sampleRate;
  return {static_cast<int>(column) * factor + kOriginX, y};
}

void VerticalStroke(gdi::Picture& picture, int x, int top, int bottom, gdi::Color colour) {
  if (x < 0 || x >= picture.Width()) return;
  top = std::max(top, 0);
  bottom = std::min(bottom, picture.Height() - 1);
  gdi::Color* pixel = picture.Data() + static_cast<std::ptrdiff_t>(top) * picture.Width() + x;
  for (int y = top; y <= bottom; ++y, pixel += picture.Width()) *pixel = colour;
}

// The curve from (30, 50) through every sample, with the pixels a line-by-line drawing gives.
// Consecutive points in one column chain into vertical lines whose union is the column's span,
// so each column is one stroke; lines between columns, and the last column (whose end point a
// line leaves out), are drawn as lines.
void DrawCurve(gdi::Canvas& canvas, const SampleSequence& samples, int sampleRate, int factor) {
  gdi::Picture& picture = canvas.Target();
  const int width = picture.Width();
  canvas.pen = {gdi::kGreen, 1, gdi::PenStyle::Solid};

  CurvePoint runStart{kOriginX, kZeroY};
  int runFirst = -1;  // index of the run's first sample; -1 is the starting point
  CurvePoint previous = runStart;
  int low = kZeroY;
  int high = kZeroY;
  for (int i = 0; i < samples.count; ++i) {
    const CurvePoint p = PointOf(samples[i], i, width, sampleRate, factor);
    if (p.x == previous.x) {
      low = std::min(low, p.y);
      high = std::max(high, p.y);
      previous = p;
      continue;
    }
    // x never decreases: once a column lies right of the view, so does the rest.
    if (previous.x >= width) return;
    VerticalStroke(picture, previous.x, low, high, canvas.pen.color);
    canvas.MoveTo(previous.x, previous.y);
    canvas.LineTo(p.x, p.y);
    runStart = p;
    runFirst = i;
    previous = p;
    low = high = p.y;
  }
  if (previous.x >= width) return;
  canvas.MoveTo(runStart.x, runStart.y);
  for (int i = runFirst + 1; i < samples.count; ++i) {
    const CurvePoint p = PointOf(samples[i], i, width, sampleRate, factor);
    canvas.LineTo(p.x, p.y);
  }
}

void DrawView(ui::Image& view, const SampleSequence& samples, int sampleRate, int factor,
              const std::string& caption) {
  gdi::Canvas& canvas = view.Canvas();
  const int width = view.Picture().Width();
  const int height = view.Picture().Height();

  canvas.brushColor = gdi::kInfoBackground;
  canvas.FillRect(0, 0, width, height);

  canvas.pen = {gdi::kBlack, 1, gdi::PenStyle::Solid};
  canvas.MoveTo(kOriginX, kZeroY);
  canvas.LineTo(width + kOriginX, kZeroY);
  canvas.MoveTo(kOriginX, 10);
  canvas.LineTo(kOriginX, 90);
  canvas.MoveTo(0, 0);
  canvas.LineTo(width, 0);
  canvas.MoveTo(0, height - 1);
  canvas.LineTo(width, height - 1);

  canvas.fontColor = gdi::kBlack;
  for (int t = -1; t <= 1; ++t) {
    const int y = kZeroY - kPixelsPerUnit * t;
    canvas.pen.color = gdi::kBlack;
    canvas.MoveTo(kOriginX, y);
    canvas.LineTo(kOriginX + 5, y);
    canvas.TextOut(10, y - 5, std::to_string(t));
  }

  if (sampleRate > 0) DrawCurve(canvas, samples, sampleRate, factor);

  canvas.TextOut(100, 82, caption);
  view.Repaint();
}

}  // namespace

void DrawGeneratedView(AppState& app, int copy, bool stereo) {
  const BlockCopy& block = app.BlockSamples[static_cast<std::size_t>(copy)];
  const int rate = std::clamp(app.SampleRate, 0, kMaxSampleRate);
  const int factor = app.Form1->RadioGroup1.ItemIndex() == 1 ? 1 : 10;
  if (!stereo) {
    DrawView(app.Form1->Image2, {block.data(), 1, rate}, rate, factor, kViewName);
    return;
  }
  DrawView(app.Form1->Image2, {block.data(), 2, rate}, rate, factor, kViewName);
  if (app.Form2 != nullptr) {
    DrawView(app.Form2->Image2, {block.data() + 1, 2, rate}, rate, factor,
             std::string(kViewName) + " Rch");
  }
}

void EditorForm::Image2MouseMove(int, int) {
  StatusBar1.SetPanelText(0, kViewName);
}
