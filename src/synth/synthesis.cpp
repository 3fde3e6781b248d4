#include "synth/synthesis.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "editor/right_form.h"

namespace {

constexpr char kOptimisingText[] = "最適化処理中...";
constexpr char kWriteBackFaultText[] =
    "例外エラーが発生しました。処理が正常に完了しなかった可能性があります。";

// Where one channel's samples go in a copy of the block.
struct ChannelLayout {
  int stride;  // samples per frame: 1 mono, 2 stereo
  int offset;  // 0 left (or mono), 1 right
};

std::string ProgressText(int percent) {
  return std::to_string(percent) + "% 完了...";
}

int SamplesPerColumn(const AppState& app) {
  return app.Form1->RadioGroup1.ItemIndex() == 1 ? 10 : 1;
}

// Writes one window's ten pictures into both copies at the channel's indexes; `afterSegment`
// reports progress once segment i is in both copies.
template <typename Progress>
void SynthesizeChannel(AppState& app, EditorForm& form, ChannelLayout layout,
                       Progress afterSegment) {
  const int width = form.Image1.Width();
  const int height = form.Image1.Height();
  const int left = app.CanvasLeftMargin;
  const int top = app.CanvasTopMargin;
  const int centre = height / 2;
  const int lastRow = height - top - 1;
  const int perColumn = SamplesPerColumn(app);

  // The scanned rows' samples, indexed by row.
  std::vector<std::int16_t> rowValue(static_cast<std::size_t>(std::max(height, 0)), 0);
  for (int y = std::max(top, 0); y <= lastRow; ++y) {
    rowValue[static_cast<std::size_t>(y)] = RowAmplitude(centre - y);
  }

  BlockCopy& copy0 = app.BlockSamples[0];
  BlockCopy& copy1 = app.BlockSamples[1];
  for (int i = 0; i < kSegmentCount; ++i) {
    const ui::Image* thumb = form.editor.SegmentThumbnails[static_cast<std::size_t>(i)].get();
    if (thumb != nullptr) {
      const gdi::Picture& picture = thumb->Picture();
      const gdi::Color* pixels = picture.Data();
      const int stride = picture.Width();
      const int columnEnd = std::min(width, picture.Width());
      const int bottom = std::min(lastRow, picture.Height() - 1);
      const std::int64_t segmentOffset = static_cast<std::int64_t>(perColumn) *
                                         ((static_cast<std::int64_t>(i) * app.SampleRate) / 100);
      for (int x = std::max(left, 0); x < columnEnd; ++x) {
        // The lowest ink pixel decides: scanning up from the bottom, the first one found.
        std::int16_t value = 0;
        for (int y = bottom; y >= std::max(top, 0); --y) {
          if (pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride) +
                     static_cast<std::size_t>(x)] == gdi::kBlack) {
            value = rowValue[static_cast<std::size_t>(y)];
            break;
          }
        }
        const std::int64_t firstFrame =
            static_cast<std::int64_t>(x - left) * perColumn + segmentOffset;
        for (int k = 0; k < perColumn; ++k) {
          const std::int64_t index = (firstFrame + k) * layout.stride + layout.offset;
          if (index < 0 || index >= kBlockCapacity) break;
          copy0[static_cast<std::size_t>(index)] = value;
          copy1[static_cast<std::size_t>(index)] = value;
        }
      }
    }
    afterSegment(i);
  }
}

// In the "10 msec" interval the ten segments fill only the first tenth of the second; it is
// repeated nine times so the 100 msec pattern fills the block.
void ReplicateFirstTenth(AppState& app, int channels) {
  if (SamplesPerColumn(app) != 1) return;
  const std::size_t length =
      static_cast<std::size_t>(channels) * static_cast<std::size_t>(app.SampleRate / 10);
  const BlockCopy& source = app.BlockSamples[0];
  for (int l = 1; l <= 9; ++l) {
    const std::size_t destination =
        static_cast<std::size_t>(channels) * static_cast<std::size_t>((l * app.SampleRate) / 10);
    const std::size_t count =
        std::min(length, source.size() - std::min(destination, source.size()));
    for (BlockCopy& copy : app.BlockSamples) {
      std::copy_n(source.begin(), count, copy.begin() + static_cast<std::ptrdiff_t>(destination));
    }
    app.Form1->StatusBar1.SetPanelText(0, kOptimisingText);
  }
}

// With a file loaded, the block replaces the second it was loaded from; only samples that lie
// inside the file data are written.
void WriteBackBlock(AppState& app) {
  if (app.LoadedDataBytes == 0) return;
  const std::int64_t perSecond =
      static_cast<std::int64_t>(app.LoadedFormat.nChannels) * app.SampleRate;
  const std::int64_t start = perSecond * app.CurrentBlock;
  const std::int64_t declared = app.LoadedDataBytes / 2;
  if (perSecond <= 0 || start < 0 || start >= declared) return;
  const std::int64_t count =
      std::min({perSecond, declared - start, static_cast<std::int64_t>(kBlockCapacity)});
  // The data may hold fewer samples than its size says; the store stops at its end.
  const std::int64_t held = static_cast<std::int64_t>(app.LoadedData.size());
  const std::int64_t stored = std::clamp<std::int64_t>(held - start, 0, count);
  std::copy_n(app.BlockSamples[0].begin(), stored,
              app.LoadedData.begin() + static_cast<std::ptrdiff_t>(start));
  if (stored < count) app.Form1->Memo1.Add(kWriteBackFaultText);
}

}  // namespace

std::int16_t RowAmplitude(int rowsAboveCentre) {
  const double v = std::trunc(static_cast<double>(rowsAboveCentre) * 327.68);
  float a = static_cast<float>(v) / 32768.0f;
  if (a > 1.0f) a = 1.0f;
  if (a < -1.0f) a = -1.0f;
  float m = a * 32768.0f;
  if (m == 32768.0f) m = 32767.0f;
  return static_cast<std::int16_t>(m);
}

void SynthesizeMono(AppState& app) {
  ui::StatusBar& status = app.Form1->StatusBar1;
  SynthesizeChannel(app, *app.Form1, {1, 0},
                    [&](int i) { status.SetPanelText(0, ProgressText(10 * i + 10)); });
  ReplicateFirstTenth(app, 1);
  WriteBackBlock(app);
  status.SetPanelText(0, "");
}

void SynthesizeStereo(AppState& app) {
  const auto showBoth = [&](int percent) {
    app.Form1->StatusBar1.SetPanelText(0, ProgressText(percent));
    if (app.Form2 != nullptr) app.Form2->StatusBar1.SetPanelText(0, ProgressText(percent));
  };
  SynthesizeChannel(app, *app.Form1, {2, 0}, [&](int i) { showBoth(5 * i + 5); });
  if (app.Form2 != nullptr) {
    SynthesizeChannel(app, *app.Form2, {2, 1}, [&](int i) { showBoth(5 * i + 55); });
  }
  ReplicateFirstTenth(app, 2);
  WriteBackBlock(app);
  app.Form1->StatusBar1.SetPanelText(0, "");
  if (app.Form2 != nullptr) app.Form2->StatusBar1.SetPanelText(0, "");
}
