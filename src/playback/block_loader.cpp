// Choosing a second of the opened file and drawing it into both windows' pictures.
#include <optional>
#include <string>

#include "app/main_form.h"
#include "editor/right_form.h"
#include "playback/line_chain.h"
#include "playback/sample_row.h"
#include "playback/second_bounds.h"
#include "synth/waveform_view.h"

namespace {

const playback::SampleRowTable& RowsFor(int mid) {
  static std::optional<playback::SampleRowTable> table;
  if (!table || table->Mid() != mid) table.emplace(mid);
  return *table;
}

// Draws frames k * (rate div 10) onward of one channel into segment picture k of `form`, ten
// samples to a column. The lines go straight onto the stored picture, which ends as it would if
// the canvas took the picture, drew and gave it back, without the two copies; the canvas is left
// with the pen that drawing leaves.
void RenderSegment(EditorForm& form, const AppState& app, int k, int stride, int offset) {
  ui::Image& thumbnail = *form.editor.SegmentThumbnails[static_cast<std::size_t>(k)];
  gdi::Canvas& canvas = thumbnail.Canvas();
  const int mid = form.Image1.Height() / 2;
  canvas.pen = {gdi::kBlack, 1, gdi::PenStyle::Solid};
  canvas.MoveTo(app.CanvasLeftMargin, mid);
  const int frames = app.SampleRate / 10;
  const BlockCopy& block = app.BlockSamples[0];
  const playback::SampleRowTable& rows = RowsFor(mid);
  playback::LineChain chain(canvas);
  for (int i = 0; i < frames; ++i) {
    const std::int16_t s = block[static_cast<std::size_t>(stride * (k * frames + i) + offset)];
    chain.LineTo(app.CanvasLeftMargin + i / 10, rows(s));
  }
  chain.Finish();
  thumbnail.Repaint();

  gdi::Canvas& onCanvas = form.Image1.Canvas();
  onCanvas.pen.width = 1;
  onCanvas.pen.color = gdi::kBlack;
  onCanvas.MoveTo(canvas.PenPos().x, canvas.PenPos().y);
}

}  // namespace

void TForm1::TrackBar1Change() {
  Label3.SetCaption("再生位置 " + std::to_string(TrackBar1.Position()) + "秒");
}

void TForm1::Button5Click() {
  if (app.LoadedDataBytes == 0) return;
  Memo1.Add("データ処理中...");
  ClearBlockSamples(app);
  app.SelectedSegment = 0;
  app.SelectedSegmentR = 0;

  const std::int64_t n = std::int64_t{app.LoadedFormat.nChannels} * app.SampleRate;
  const std::int64_t p = TrackBar1.Position();
  const std::int64_t values = app.LoadedDataBytes / 2;
  // Bounded by the loaded bytes and by the block, so only a broken invariant can fault below.
  const std::int64_t count =
      std::min<std::int64_t>(playback::SecondValueCount(n, p, values), kBlockCapacity);
  try {
    for (std::int64_t i = 0; i < count; ++i) {
      const std::int16_t v = app.LoadedData.at(static_cast<std::size_t>(n * p + i));
      app.BlockSamples[0][static_cast<std::size_t>(i)] = v;
      app.BlockSamples[1][static_cast<std::size_t>(i)] = v;
    }
  } catch (const std::exception&) {
    const int answer = boxes.Show(
        "例外エラーが発生しました。このまま続行すると致命的な症状に発展する可能性があります。"
        "処理を中止しますか？",
        Caption(), ui::MB_YESNO | ui::MB_ICONSTOP);
    if (answer == ui::IDYES) {
      app.LoadedDataBytes = 0;
      Memo1.Add("例外エラーが発生したため処理を中止しました。新規作成を行い初期化して下さい。");
      return;
    }
    Memo1.Add("例外エラーが発生しました。処理が正常に完了しなかった可能性があります。");
  }

  TForm2& right = *app.Form2;
  RebuildPictures(*this, right);

  const bool stereo = RadioGroup2.ItemIndex() != 0;
  for (int k = 0; k < 10; ++k) {
    if (stereo) {
      RenderSegmentStereo(k);
    } else {
      RenderSegmentMono(k);
    }
  }
  Image1.AssignPicture(editor.SegmentThumbnails[0]->Picture());
  if (stereo) right.Image1.AssignPicture(right.editor.SegmentThumbnails[0]->Picture());
  DrawGeneratedView(app, 0, stereo);

  app.CurrentBlock = static_cast<std::int32_t>(p);
  ScrollBox1.Repaint();
  right.ScrollBox1.Repaint();
  editor.SetTimeLabels();
  right.editor.SetTimeLabels();
  Memo1.Add("完了！\r\n");
}

void TForm1::RenderSegmentMono(int k) {
  RenderSegment(*this, app, k, 1, 0);
}

void TForm1::RenderSegmentStereo(int k) {
  RenderSegment(*this, app, k, 2, 0);
  RenderSegment(*app.Form2, app, k, 2, 1);
}
