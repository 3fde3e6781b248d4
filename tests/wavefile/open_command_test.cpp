// "開く...": a good file switches to file editing; a refused file says why and replaces nothing.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

#include "support/test_world.h"
#include "support/wav_files.h"

namespace {

const char* const kReadError = "WAVEファイル読み込みでエラーが発生しました。";
const char* const kNot16 = "16bitフォーマット以外のファイルは非対応です。";
const char* const kTooFast =
    "サンプリング周波数が 48000Hz を超えるフォーマットのファイルは非対応です。";
const char* const kZeroRate = "サンプリング周波数が 0Hz のファイルは非対応です。";
const char* const kChannels = "モノラル・ステレオ以外のファイルは非対応です。";
const char* const kNoMemory = "メモリが不足しているためファイルを読み込めません。";

std::vector<std::string> MemoAfterStart(const TestWorld& w) {
  const auto& lines = w.form1.Memo1.Lines();
  return std::vector<std::string>(lines.begin() + 2, lines.end());
}

void Open(TestWorld& w, const std::string& path) {
  w.dialogs.AnswerOpen(path);
  w.form1.K4.Click();
}

// What a refused Open must leave as it was.
struct LoadedSnapshot {
  explicit LoadedSnapshot(const TestWorld& w)
      : format(w.app.LoadedFormat),
        data(w.app.LoadedData),
        bytes(w.app.LoadedDataBytes),
        frameBytes(w.app.LoadedFrameBytes),
        rate(w.app.SampleRate),
        channelIndex(w.form1.RadioGroup2.ItemIndex()),
        trackMax(w.form1.TrackBar1.Max()),
        panel2(w.form1.StatusBar1.PanelText(2)) {}
  void ExpectSame(const TestWorld& w) const {
    const audio::WaveFormatEx& f = w.app.LoadedFormat;
    EXPECT_EQ(f.wFormatTag, format.wFormatTag);
    EXPECT_EQ(f.nChannels, format.nChannels);
    EXPECT_EQ(f.nSamplesPerSec, format.nSamplesPerSec);
    EXPECT_EQ(f.nAvgBytesPerSec, format.nAvgBytesPerSec);
    EXPECT_EQ(f.wBitsPerSample, format.wBitsPerSample);
    EXPECT_EQ(w.app.LoadedData, data);
    EXPECT_EQ(w.app.LoadedDataBytes, bytes);
    EXPECT_EQ(w.app.LoadedFrameBytes, frameBytes);
    EXPECT_EQ(w.app.SampleRate, rate);
    EXPECT_EQ(w.form1.RadioGroup2.ItemIndex(), channelIndex);
    EXPECT_EQ(w.form1.TrackBar1.Max(), trackMax);
    EXPECT_EQ(w.form1.StatusBar1.PanelText(2), panel2);
  }
  audio::WaveFormatEx format;
  std::vector<std::int16_t> data;
  std::uint32_t bytes, frameBytes;
  std::int32_t rate;
  int channelIndex, trackMax;
  std::string panel2;
};

// An earlier file, as far as the state goes: mono at 8000 Hz.
void PretendLoaded(TestWorld& w) {
  SetLoadedFile(w.app, 1, 8000, PatternSamples(800, 3));
}

RiffChunkSpec FmtOfSize(std::size_t size) {
  RiffChunkSpec c = FmtChunk(1, 2, 44100, 16);
  c.data.resize(size);
  return c;
}

Bytes Truncated(Bytes b, std::size_t size) {
  b.resize(size);
  return b;
}

TEST(OpenCommand, CancelChangesNothingAndTheDialogAsksForWavFiles) {
  TestWorld w;
  w.dialogs.AnswerOpen(std::nullopt);
  w.form1.K4.Click();
  ASSERT_EQ(w.dialogs.openOptions.size(), 1u);
  EXPECT_EQ(w.dialogs.openOptions[0].filter.description, "Wave files (*.wav)");
  EXPECT_EQ(w.dialogs.openOptions[0].filter.pattern, "*.wav");
  EXPECT_EQ(w.dialogs.openOptions[0].defaultExtension, "wav");
  EXPECT_EQ(w.dialogs.openOptions[0].initialName, "");
  EXPECT_TRUE(MemoAfterStart(w).empty());
  EXPECT_EQ(w.app.LoadedFileName, "");
}

TEST(OpenCommand, AFileThatCannotBeOpenedIsReportedWithItsPathLogged) {
  TestWorld w;
  TempDir dir;
  PretendLoaded(w);
  const LoadedSnapshot before(w);
  for (const std::string& path : {dir.File("nothing.wav"), dir.path().string()}) {
    w.dialogs.AnswerBox(ui::IDOK);
    Open(w, path);
    EXPECT_EQ(w.app.LoadedFileName, path);
    EXPECT_EQ(w.dialogs.shown.back().text, "Error Opening File.");
    EXPECT_EQ(w.dialogs.shown.back().title, "エラー");
    EXPECT_EQ(w.dialogs.shown.back().flags, ui::MB_OK);
  }
  EXPECT_EQ(MemoAfterStart(w),
            (std::vector<std::string>{dir.File("nothing.wav"), "", dir.path().string(), ""}));
  before.ExpectSame(w);
}

struct Refusal {
  const char* what;
  Bytes file;
  std::string text;  // a refusal's text, or empty for a chunk error with code 1
};

TEST(OpenCommand, MalformedAndUnsupportedFilesAreRefusedAndReplaceNothing) {
  const std::vector<std::int16_t> s = PatternSamples(64);
  const RiffChunkSpec fmt = FmtChunk(1, 2, 44100, 16);
  RiffChunkSpec hugeFmt = fmt;
  hugeFmt.declaredSize = 0xFFFFFFF0u;
  const Refusal cases[] = {
      {"empty file", {}, ""},
      {"no RIFF chunk", {'J', 'U', 'N', 'K', 2, 0, 0, 0, 1, 2}, ""},
      {"truncated header", {'R', 'I', 'F', 'F', 200, 0}, ""},
      {"no fmt chunk", RiffBytes({DataChunk(s)}), ""},
      {"data before fmt", RiffBytes({DataChunk(s), fmt}), ""},
      {"no data chunk", RiffBytes({fmt}), ""},
      {"file ends inside fmt", Truncated(RiffBytes({fmt, DataChunk(s)}), 28), ""},
      {"fmt size near 4 GiB", RiffBytes({hugeFmt, DataChunk(s)}), ""},
      {"data outside the RIFF size", RiffBytes({fmt, DataChunk(s)}, "WAVE", 28), ""},
      {"fmt of 14 bytes", RiffBytes({FmtOfSize(14), DataChunk(s)}), kNot16},
      {"8 bits", RiffBytes({FmtChunk(1, 1, 8000, 8), DataChunk(s)}), kNot16},
      {"24 bits", RiffBytes({FmtChunk(1, 2, 44100, 24), DataChunk(s)}), kNot16},
      {"48001 Hz", Wave16(1, 48001, s), kTooFast},
      {"96000 Hz", Wave16(2, 96000, s), kTooFast},
      {"0 Hz", Wave16(1, 0, s), kZeroRate},
      {"0 channels", Wave16(0, 8000, s), kChannels},
      {"3 channels", Wave16(3, 8000, s), kChannels},
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.what);
    TestWorld w;
    TempDir dir;
    PretendLoaded(w);
    const LoadedSnapshot before(w);
    const std::string path = dir.Write("bad.wav", c.file);
    w.dialogs.AnswerBox(ui::IDOK);
    Open(w, path);

    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    if (c.text.empty()) {
      EXPECT_EQ(w.dialogs.shown[0].text, "エラーコード: 1");
      EXPECT_EQ(w.dialogs.shown[0].title, "MMIO エラー");
      EXPECT_EQ(MemoAfterStart(w), (std::vector<std::string>{path, "", kReadError}));
    } else {
      EXPECT_EQ(w.dialogs.shown[0].text, c.text);
      EXPECT_EQ(w.dialogs.shown[0].title, "Sonoquill");
      EXPECT_EQ(w.dialogs.shown[0].flags, 48u);
      EXPECT_EQ(MemoAfterStart(w), (std::vector<std::string>{path, "", c.text, ""}));
    }
    before.ExpectSame(w);
    EXPECT_TRUE(w.form1.RadioGroup1.Enabled());
  }
}

TEST(OpenCommandDeathTest, AChunkTooLargeForMemoryIsRefusedAndTheEarlierFileStays) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
#endif
  TempDir dir;
  // 1 GiB of data in a sparse file: cheap on disk, too much for the limit below.
  const std::string path = dir.File("big.wav");
  {
    Bytes header = RiffBytes({FmtChunk(1, 2, 48000, 16)}, "WAVE", 0xFFFFFFFFu);
    header.insert(header.end(), {'d', 'a', 't', 'a', 0, 0, 0, 0x40});
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header.data()),
              static_cast<std::streamsize>(header.size()));
  }
  std::filesystem::resize_file(path, std::filesystem::file_size(path) + (std::uintmax_t{1} << 30));
  auto openUnderALimit = [&] {
    TestWorld w;
    PretendLoaded(w);
    const LoadedSnapshot before(w);
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const auto used = static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
    const rlimit limit{used + (rlim_t{256} << 20), RLIM_INFINITY};
    ASSERT_EQ(::setrlimit(RLIMIT_AS, &limit), 0);
    w.dialogs.AnswerBox(ui::IDOK);
    Open(w, path);
    EXPECT_EQ(MemoAfterStart(w), (std::vector<std::string>{path, "", kNoMemory, ""}));
    EXPECT_EQ(w.dialogs.shown.at(0).flags, 48u);
    before.ExpectSame(w);
  };
  EXPECT_EXIT(
      {
        openUnderALimit();
        std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(OpenCommand, AStereoFileSwitchesToFileEditingAndLoadsSecondZero) {
  TestWorld w;
  TempDir dir;
  const std::vector<std::int16_t> s = PatternSamples(441000 / 2, 11);
  const std::string path = dir.Write("ステレオ.wav", Wave16(2, 44100, s));
  Open(w, path);

  EXPECT_EQ(w.app.LoadedFileName, path);
  EXPECT_EQ(MemoAfterStart(w),
            (std::vector<std::string>{path, "", "441000 bytes of wave data loaded from file.",
                                      "データ処理中...", "完了！", ""}));
  EXPECT_EQ(w.app.LoadedDataBytes, 441000u);
  EXPECT_EQ(w.app.LoadedData, s);
  EXPECT_EQ(w.app.LoadedFrameBytes, 4u);
  EXPECT_EQ(w.app.SampleRate, 44100);
  EXPECT_EQ(w.form1.RadioGroup2.ItemIndex(), 1);
  EXPECT_EQ(w.form1.RadioGroup1.ItemIndex(), 1);
  EXPECT_FALSE(w.form1.RadioGroup1.Enabled());
  EXPECT_FALSE(w.form1.RadioGroup2.Enabled());
  EXPECT_EQ(w.form1.StatusBar1.PanelText(2), "16bit 44100Hz ステレオ");
  EXPECT_EQ(w.form1.TrackBar1.Max(), 2);
  EXPECT_EQ(w.form1.TrackBar1.Position(), 0);
  EXPECT_EQ(w.form1.Label3.Caption(), "再生位置 0秒");
  EXPECT_EQ(w.app.CurrentBlock, 0);
  for (std::size_t i = 0; i < 88200; ++i) {
    ASSERT_EQ(w.app.BlockSamples[0][i], s[i]) << i;
    ASSERT_EQ(w.app.BlockSamples[1][i], s[i]) << i;
  }
  EXPECT_NE(w.form1.editor.SegmentThumbnails[0]->Picture(),
            w.form1.editor.SegmentThumbnails[9]->Picture())
      << "the pictures show the samples";
  EXPECT_NE(w.form2.editor.SegmentThumbnails[0]->Picture(),
            w.form1.editor.SegmentThumbnails[0]->Picture())
      << "the right channel has its own pictures";
}

TEST(OpenCommand, ASecondOpenReplacesTheFirstAndAByteRateOfZeroStillGivesTheSeconds) {
  TestWorld w;
  TempDir dir;
  Open(w, dir.Write("a.wav", Wave16(2, 44100, PatternSamples(441000 / 2))));
  const std::vector<std::int16_t> mono = PatternSamples(3 * 48000 + 100, 5);
  const Bytes b = RiffBytes({FmtChunk(7, 1, 48000, 16, 0u), DataChunk(mono)});
  Open(w, dir.Write("b.wav", b));
  EXPECT_EQ(w.app.LoadedData, mono);
  EXPECT_EQ(w.app.LoadedDataBytes, mono.size() * 2);
  EXPECT_EQ(w.app.LoadedFrameBytes, 2u);
  EXPECT_EQ(w.app.SampleRate, 48000);
  EXPECT_EQ(w.form1.RadioGroup2.ItemIndex(), 0);
  EXPECT_EQ(w.form1.StatusBar1.PanelText(2), "16bit 48000Hz モノラル");
  EXPECT_EQ(w.form1.TrackBar1.Max(), 3) << "48000 Hz x 2 bytes stands in for the byte rate";
}

TEST(OpenCommand, AnOpenedFileIsSavedWithItsDataAloneAndTheSaveNameIsItsOwn) {
  TestWorld w;
  TempDir dir;
  const std::vector<std::int16_t> s = PatternSamples(2 * 22050 + 2, 9);
  const Bytes list = {'I', 'N', 'F', 'O', 'I', 'C', 'M', 'T', 3, 0, 0, 0, 'h', 'i', '!', 0};
  Open(w, dir.Write("in.wav",
                    RiffBytes({FmtChunk(1, 2, 22050, 16), {"LIST", list, {}}, DataChunk(s)})));
  w.dialogs.AnswerSave({true, dir.File("out.wav")});
  w.form1.K5.Click();
  EXPECT_EQ(w.dialogs.saveOptions.at(0).initialName, "NoName");
  const Bytes out = ReadBytes(dir.File("out.wav"));
  ASSERT_EQ(out.size(), 44 + s.size() * 2) << "the LIST chunk is not written";
  EXPECT_EQ(ReadLE32(out, 24), 22050u);
  EXPECT_EQ(Bytes(out.begin() + 44, out.end()), SamplesLE(s));
}

}  // namespace

TEST(OpenCommand, ARepaintedSecondIsWrittenBackAndSavedWithTheRestUnchanged) {
  TestWorld w;
  TempDir dir;
  // 2.5 s of stereo at 44100 Hz.
  const std::vector<std::int16_t> s = PatternSamples(220500, 12);
  Open(w, dir.Write("edit.wav", Wave16(2, 44100, s)));
  w.form1.TrackBar1.SetPosition(1);
  w.form1.Button5.Click();
  ASSERT_EQ(w.app.CurrentBlock, 1);

  // Every left picture becomes a flat line well above the middle.
  w.form1.editor.DrawBlankSegment();
  gdi::Canvas& canvas = w.form1.Image1.Canvas();
  canvas.pen = {gdi::kBlack, 1, gdi::PenStyle::Solid};
  canvas.MoveTo(30, 60);
  canvas.LineTo(510, 60);
  for (auto& thumbnail : w.form1.editor.SegmentThumbnails) {
    thumbnail->AssignPicture(w.form1.Image1.Picture());
  }
  w.form1.Button2.Click();

  const std::vector<std::int16_t>& edited = w.app.LoadedData;
  ASSERT_EQ(edited.size(), s.size());
  for (std::size_t i = 0; i < 88200; ++i) ASSERT_EQ(edited[i], s[i]) << "second 0, " << i;
  for (std::size_t i = 176400; i < s.size(); ++i) ASSERT_EQ(edited[i], s[i]) << "second 2, " << i;
  const std::int16_t flat = edited[88200];
  EXPECT_GT(flat, 0) << "the line lies above the middle";
  for (std::size_t i = 88200; i < 176400; i += 2) ASSERT_EQ(edited[i], flat) << i;
  for (std::size_t i = 88201; i < 176400; i += 2) {
    ASSERT_EQ(edited[i], w.app.BlockSamples[0][i - 88200]) << "the right channel as synthesized";
  }

  w.dialogs.AnswerSave({true, dir.File("edited.wav")});
  w.form1.K5.Click();
  EXPECT_EQ(DataSamples(ReadBytes(dir.File("edited.wav"))), edited);
}
