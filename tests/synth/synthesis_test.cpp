// Block synthesis: pictures to samples, segment placement in both intervals, the first-tenth
// repetition, stereo interleaving, progress texts and the write-back into a loaded file.
#include "synth/synthesis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "synth/synth_fixture.h"

namespace {

using namespace synth_test;

void FillBlock(TestWorld& w, std::int16_t value) {
  for (BlockCopy& copy : w.app.BlockSamples) copy.fill(value);
}

TEST(Synthesis, EveryScannedRowGivesTheTruncatedScaleAndFullScaleIs32767) {
  TestWorld w;
  // Column 30 + r carries ink in row 20 + r only: one column for every scanned row.
  for (int r = 0; r < 200; ++r) Ink(w.form1, 0, 30 + r, 20 + r);
  Generate(w);
  for (int r = 0; r < 200; ++r) {
    for (int k = 0; k < 10; ++k) {
      ASSERT_EQ(Block(w)[static_cast<std::size_t>(r * 10 + k)], ExpectedSample(20 + r))
          << "row " << 20 + r << " frame " << k;
    }
  }
  const struct {
    int row;
    std::int16_t sample;
  } table[] = {{20, 32767}, {21, 32440},  {95, 8192},   {119, 327},   {120, 0},
               {121, -327}, {145, -8192}, {150, -9830}, {219, -32440}};
  for (const auto& t : table) {
    EXPECT_EQ(Block(w)[static_cast<std::size_t>((t.row - 20) * 10)], t.sample) << t.row;
  }
  // The conversion itself, also where the clamps act (beyond the scanned rows).
  EXPECT_EQ(RowAmplitude(100), 32767);
  EXPECT_EQ(RowAmplitude(-100), -32768);  // only +full scale is held back
  EXPECT_EQ(RowAmplitude(150), 32767);
  EXPECT_EQ(RowAmplitude(-150), -32768);
}

TEST(Synthesis, TheLowestInkOfTheScannedAreaDecides) {
  TestWorld w;
  Ink(w.form1, 0, 40, 50);
  Ink(w.form1, 0, 40, 150);  // lower: decides
  for (int y = 0; y < 20; ++y) Ink(w.form1, 0, 41, y);
  for (int y = 220; y < 240; ++y) Ink(w.form1, 0, 41, y);
  Ink(w.form1, 0, 42, 19);
  Ink(w.form1, 0, 42, 100);
  Ink(w.form1, 0, 42, 220);
  for (int x = 0; x < 30; ++x) {
    for (int y = 20; y < 220; ++y) Ink(w.form1, 0, x, y);
  }
  Generate(w);
  for (std::size_t i = 0; i < kBlockCapacity; ++i) {
    std::int16_t expected = 0;
    if (i >= 100 && i < 110) expected = -9830;
    if (i >= 120 && i < 130) expected = ExpectedSample(100);
    ASSERT_EQ(Block(w)[i], expected) << "index " << i;
  }
}

TEST(Synthesis, HundredMsecPlacesTenFramesPerColumnAndLetsTheNextSegmentOverwrite) {
  TestWorld w;
  // Segment i is ink in row 20 + i inside the zone; its columns past the marker use row 200.
  for (int i = 0; i < 10; ++i) {
    for (int x = 30; x < 510; ++x) Ink(w.form1, i, x, x < 471 ? 20 + i : 200);
  }
  Generate(w);
  for (int f = 0; f < kBlockCapacity; ++f) {
    std::int16_t expected = 0;
    if (f < 44100) expected = ExpectedSample(20 + f / 4410);
    if (f >= 44100 && f < 44490) expected = ExpectedSample(200);  // past the block
    ASSERT_EQ(Block(w)[static_cast<std::size_t>(f)], expected) << "frame " << f;
  }
}

TEST(Synthesis, TenMsecRepeatsTheFirstTenthTenTimes) {
  TestWorld w;
  w.form1.RadioGroup1.SetItemIndex(0);
  for (int i = 0; i < 10; ++i) {
    for (int x = 30; x < 510; ++x) Ink(w.form1, i, x, 20 + (x * 7 + i * 13) % 200);
  }
  Generate(w);
  const BlockCopy& b = Block(w);
  for (int i = 0; i < 10; ++i) {
    for (int x = 30; x < 471; ++x) {
      ASSERT_EQ(b[static_cast<std::size_t>(441 * i + x - 30)],
                ExpectedSample(20 + (x * 7 + i * 13) % 200))
          << "segment " << i << " column " << x;
    }
  }
  for (int f = 4410; f < 44100; ++f) {
    ASSERT_EQ(b[static_cast<std::size_t>(f)], b[static_cast<std::size_t>(f % 4410)]) << f;
  }
  for (int f = 44100; f < kBlockCapacity; ++f) ASSERT_EQ(b[static_cast<std::size_t>(f)], 0) << f;
}

TEST(Synthesis, TenMsecAt11025LeavesTheFramesNoCopyReaches) {
  TestWorld w;
  w.form1.RadioGroup1.SetItemIndex(0);
  w.app.SampleRate = 11025;
  for (int i = 0; i < 10; ++i) {
    for (int x = 30; x < 510; ++x) Ink(w.form1, i, x, 20 + (x + i) % 199);
  }
  FillBlock(w, 1234);
  Generate(w);
  const BlockCopy& b = Block(w);
  EXPECT_EQ(b[0], ExpectedSample(20 + 30 % 199));
  // Segment 9 starts at frame 992; frame 1101 is its column 139.
  EXPECT_EQ(b[1101], ExpectedSample(20 + (139 + 9) % 199));
  for (int l = 1; l <= 9; ++l) {
    for (int t = 0; t < 1102; ++t) {
      ASSERT_EQ(b[static_cast<std::size_t>(l * 11025 / 10 + t)], b[static_cast<std::size_t>(t)])
          << "copy " << l << " sample " << t;
    }
  }
  for (std::size_t f : {2204u, 4409u, 6614u, 8819u, 11024u}) EXPECT_EQ(b[f], 1234) << f;
  for (std::size_t f = 11025; f < kBlockCapacity; ++f) ASSERT_EQ(b[f], 1234) << f;
}

TEST(Synthesis, StereoAt48000FillsEveryIndex) {
  TestWorld w;
  w.form1.RadioGroup2.SetItemIndex(1);
  w.app.SampleRate = 48000;
  for (int i = 0; i < 10; ++i) {
    for (int x = 30; x < 510; ++x) {
      Ink(w.form1, i, x, 20 + (x + i) % 200);
      Ink(w.form2, i, x, 219 - (x + 2 * i) % 200);
    }
  }
  FillBlock(w, 1234);
  Generate(w);
  const BlockCopy& b = Block(w);
  for (int f = 0; f < 48000; ++f) {
    const int i = f / 4800;
    const int x = 30 + (f % 4800) / 10;
    ASSERT_EQ(b[static_cast<std::size_t>(2 * f)], ExpectedSample(20 + (x + i) % 200)) << f;
    ASSERT_EQ(b[static_cast<std::size_t>(2 * f + 1)], ExpectedSample(219 - (x + 2 * i) % 200)) << f;
  }
}

TEST(Synthesis, StereoWithABlankRightWindowIsTheMonoBlockInterleaved) {
  for (const int interval : {1, 0}) {
    TestWorld w;
    w.form1.RadioGroup1.SetItemIndex(interval);
    for (int i = 0; i < 10; ++i) {
      for (int x = 30; x < 510; x += 1 + (x + i) % 3) Ink(w.form1, i, x, 20 + (x * 31 + i) % 200);
    }
    Generate(w);
    const BlockCopy mono = Block(w);
    w.form1.RadioGroup2.SetItemIndex(1);
    Generate(w);
    const BlockCopy& b = Block(w);
    for (std::size_t k = 0; k < 48000; ++k) {
      ASSERT_EQ(b[2 * k], mono[k]) << "interval " << interval << " frame " << k;
      ASSERT_EQ(b[2 * k + 1], 0) << "interval " << interval << " frame " << k;
    }
  }
}

TEST(Synthesis, ProgressTextsFollowTheSegmentsAndTheRepetition) {
  std::vector<std::string> percents;
  for (int p = 10; p <= 100; p += 10) percents.push_back(std::to_string(p) + "% 完了...");
  std::vector<std::string> halves;
  for (int p = 5; p <= 100; p += 5) halves.push_back(std::to_string(p) + "% 完了...");
  const auto with = [](std::vector<std::string> v, std::initializer_list<std::string> tail) {
    v.insert(v.end(), tail);
    return v;
  };
  // The control reports a text only when it changes: the nine repetition steps show as one.
  const struct {
    int interval;
    int channels;
    std::vector<std::string> main, right;
  } cases[] = {
      {0, 0, with(percents, {"最適化処理中...", ""}), {}},
      {1, 0, with(percents, {""}), {}},
      {0, 1, with(halves, {"最適化処理中...", ""}), with(halves, {""})},
      {1, 1, with(halves, {""}), with(halves, {""})},
  };
  for (const auto& c : cases) {
    TestWorld w;
    w.form1.RadioGroup1.SetItemIndex(c.interval);
    w.form1.RadioGroup2.SetItemIndex(c.channels);
    // Each bar's panel 0 as it changes, starting from what it showed before.
    std::vector<std::string> main{"イメージ1"}, right{"イメージ1"};
    const auto record = [](ui::StatusBar& bar, std::vector<std::string>& seen) {
      bar.SetPanelText(0, seen.back());
      bar.OnChanged = [&bar, &seen] {
        if (seen.back() != bar.PanelText(0)) seen.push_back(bar.PanelText(0));
      };
    };
    record(w.form1.StatusBar1, main);
    record(w.form2.StatusBar1, right);
    w.form1.Button2.Click();
    main.erase(main.begin());
    right.erase(right.begin());
    EXPECT_EQ(main, c.main) << c.interval << " " << c.channels;
    EXPECT_EQ(right, c.right) << c.interval << " " << c.channels;
  }
}

struct LoadedFile {
  int channels;
  std::size_t samples;
  std::int32_t block;
  std::size_t firstWritten;
  std::size_t written;
};

TEST(Synthesis, WriteBackReplacesOnlyTheLoadedSecondInsideTheFileData) {
  const LoadedFile cases[] = {
      {1, 44100 * 2 + 1000, 2, 88200, 1000},  // the partial last second
      {1, 44100 * 2 + 1000, 0, 0, 44100},
      {1, 44100 * 2, 2, 0, 0},  // a second that starts at the end
      {2, 88200 + 333, 1, 88200, 333},
  };
  for (const LoadedFile& c : cases) {
    TestWorld w;
    if (c.channels == 2) w.form1.RadioGroup2.SetItemIndex(1);
    w.app.LoadedFormat.nChannels = static_cast<std::uint16_t>(c.channels);
    w.app.LoadedFormat.nSamplesPerSec = 44100;
    w.app.LoadedFormat.wBitsPerSample = 16;
    w.app.LoadedData.assign(c.samples, 7);
    w.app.LoadedDataBytes = static_cast<std::uint32_t>(c.samples * 2);
    w.app.CurrentBlock = c.block;
    for (int i = 0; i < 10; ++i) {
      for (int x = 30; x < 510; ++x) {
        Ink(w.form1, i, x, 20 + x % 200);
        Ink(w.form2, i, x, 30 + x % 190);
      }
    }
    const std::size_t lines = w.form1.Memo1.Lines().size();
    Generate(w);
    ASSERT_EQ(w.app.LoadedData.size(), c.samples);
    for (std::size_t k = 0; k < c.samples; ++k) {
      const bool inside = k >= c.firstWritten && k < c.firstWritten + c.written;
      ASSERT_EQ(w.app.LoadedData[k], inside ? Block(w)[k - c.firstWritten] : 7)
          << "block " << c.block << " sample " << k;
    }
    EXPECT_EQ(w.form1.Memo1.Lines().size(), lines);
    EXPECT_EQ(w.form1.StatusBar1.PanelText(0), "");
  }
}

TEST(Synthesis, WriteBackStopsAtTheEndOfTheHeldDataAndSaysSo) {
  TestWorld w;
  w.app.LoadedFormat.nChannels = 1;
  w.app.LoadedData.assign(1000, 7);
  w.app.LoadedDataBytes = 44100 * 2;  // says more than is held
  for (int x = 30; x < 510; ++x) Ink(w.form1, 0, x, 20);
  Generate(w);
  ASSERT_EQ(w.app.LoadedData.size(), 1000u);
  for (std::size_t k = 0; k < 1000; ++k) ASSERT_EQ(w.app.LoadedData[k], 32767) << k;
  EXPECT_EQ(w.form1.Memo1.Lines().back(),
            "例外エラーが発生しました。処理が正常に完了しなかった可能性があります。");
  EXPECT_EQ(Block(w)[4409], 32767) << "the block itself is complete";
  EXPECT_EQ(w.form1.StatusBar1.PanelText(0), "");
  EXPECT_EQ(w.form1.StatusBar1.PanelText(1), "OK");
}

}  // namespace
