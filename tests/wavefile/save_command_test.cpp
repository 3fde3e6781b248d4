// "保存...": what is written in drawing and file-editing mode, the name the dialog starts from,
// and saves that fail without losing the file that was there.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "support/test_world.h"
#include "support/wav_files.h"
#include "wavefile/save_routines.h"

namespace {

const std::vector<std::string> kProgressLines = {"ファイル出力中...", "触るな危険！！"};
const std::vector<std::string> kFailureLines = {
    "ファイル保存処理で例外エラーが発生しました。",
    "ファイル出力が正常に完了しなかった可能性があります。"};

std::vector<std::string> SuccessLines(const std::string& path) {
  return {kProgressLines[0], kProgressLines[1], "完了！", "出力ファイル：" + path};
}

std::vector<std::string> FailureLines(const std::string& path) {
  return {kProgressLines[0], kProgressLines[1], kFailureLines[0],
          kFailureLines[1],  "完了！",          "出力ファイル：" + path};
}

void FillBlock(AppState& app, const std::vector<std::int16_t>& values) {
  for (auto& copy : app.BlockSamples) std::copy(values.begin(), values.end(), copy.begin());
}

struct Saved {
  std::string path;
  std::vector<std::string> log;  // the memo lines the command added
};

Saved Save(TestWorld& w, const std::string& path) {
  const std::size_t before = w.form1.Memo1.Lines().size();
  w.dialogs.AnswerSave({true, path});
  w.form1.K5.Click();
  const auto& lines = w.form1.Memo1.Lines();
  return {path, std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(before),
                                         lines.end())};
}

TEST(SaveCommand, DrawingModeWritesTheBlockThreeTimesInTheChannelSetting) {
  for (const int channels : {1, 2}) {
    SCOPED_TRACE(channels);
    TestWorld w;
    TempDir dir;
    const std::vector<std::int16_t> block =
        PatternSamples(static_cast<std::size_t>(kBlockCapacity));
    // The channel setting clears the block, so it comes first.
    if (channels == 2) w.form1.RadioGroup2.SetItemIndex(1);
    FillBlock(w.app, block);
    const Saved saved = Save(w, dir.File("drawn.wav"));
    const std::string& path = saved.path;

    EXPECT_EQ(saved.log, SuccessLines(path));
    const Bytes f = ReadBytes(path);
    ASSERT_EQ(f.size(), channels == 1 ? 264644u : 529244u);
    EXPECT_EQ(ReadLE32(f, 4), channels == 1 ? 264636u : 529236u);
    EXPECT_EQ(ReadLE16(f, 22), channels);
    EXPECT_EQ(ReadLE32(f, 24), 44100u);
    const std::vector<std::int16_t> s = DataSamples(f);
    const std::size_t perSecond = 44100u * static_cast<std::size_t>(channels);
    ASSERT_EQ(s.size(), 3 * perSecond);
    for (std::size_t i = 0; i < perSecond; ++i) {
      ASSERT_EQ(s[i], block[i]) << i;
      ASSERT_EQ(s[i + perSecond], block[i]) << i;
      ASSERT_EQ(s[i + 2 * perSecond], block[i]) << i;
    }
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"drawn.wav"});
  }
}

TEST(SaveCommand, BeforeAnyGenerateTheFileIsThreeSecondsOfSilence) {
  TestWorld w;
  TempDir dir;
  const Bytes f = ReadBytes(Save(w, dir.File("quiet.wav")).path);
  ASSERT_EQ(f.size(), 264644u);
  const std::vector<std::int16_t> s = DataSamples(f);
  EXPECT_TRUE(std::all_of(s.begin(), s.end(), [](std::int16_t v) { return v == 0; }));
}

TEST(SaveCommand, FileEditingModeWritesTheLoadedDataByteForByte) {
  TestWorld w;
  TempDir dir;
  const std::vector<std::int16_t> data = PatternSamples(441000 / 2, 7);
  SetLoadedFile(w.app, 2, 44100, data, 441000);
  const Saved saved = Save(w, dir.File("edited.wav"));
  const std::string& path = saved.path;
  EXPECT_EQ(saved.log, SuccessLines(path));
  const Bytes f = ReadBytes(path);
  ASSERT_EQ(f.size(), 44u + 441000u);
  EXPECT_EQ(ReadLE16(f, 22), 2u);
  EXPECT_EQ(ReadLE32(f, 24), 44100u);
  EXPECT_EQ(ReadLE16(f, 32), 4u);
  EXPECT_EQ(ReadLE32(f, 40), 441000u);
  EXPECT_EQ(Bytes(f.begin() + 44, f.end()), SamplesLE(data));
}

TEST(SaveCommand, AnIncompleteLastFrameIsNotWritten) {
  TestWorld w;
  TempDir dir;
  // 14 bytes of stereo: three whole frames and half of a fourth.
  SetLoadedFile(w.app, 2, 8000, {1, -2, 3, -4, 5, -6, 7}, 14);
  const Bytes f = ReadBytes(Save(w, dir.File("cut.wav")).path);
  EXPECT_EQ(ReadLE32(f, 40), 12u);
  EXPECT_EQ(DataSamples(f), (std::vector<std::int16_t>{1, -2, 3, -4, 5, -6}));
}

TEST(SaveCommand, LoadedSampleNeverReachesPastTheLoadedBytes) {
  AppState app;
  SetLoadedFile(app, 2, 8000, {10, 20, 30, 40, 50, 60}, 10);
  EXPECT_EQ(LoadedSample(app, 0, 1), 20);
  EXPECT_EQ(LoadedSample(app, 2, 0), 50);
  EXPECT_EQ(LoadedSample(app, 2, 1), 0) << "byte 10 and on were not loaded";
  EXPECT_EQ(LoadedSample(app, 1000000, 0), 0);
  EXPECT_EQ(LoadedSample(app, -1, 0), 0);
  app.LoadedFormat.nChannels = 3;
  EXPECT_EQ(LoadedSample(app, 0, 0), 0);
  app.LoadedFormat.nChannels = 1;
  app.LoadedFormat.wBitsPerSample = 24;
  EXPECT_EQ(LoadedSample(app, 0, 0), 0);
}

TEST(SaveCommand, AZeroFrameSizeFailsInsteadOfDividingByZero) {
  TestWorld w;
  TempDir dir;
  SetLoadedFile(w.app, 1, 8000, {1, 2}, 4);
  w.app.LoadedFrameBytes = 0;
  EXPECT_EQ(Save(w, dir.File("zero.wav")).log, FailureLines(dir.File("zero.wav")));
  EXPECT_TRUE(dir.Entries().empty());
}

TEST(SaveCommand, TheDialogStartsFromNoNameThenFromTheLastChosenName) {
  TestWorld w;
  TempDir dir;
  const std::string first = Save(w, dir.File("音声ファイル.wav")).path;
  ASSERT_EQ(w.dialogs.saveOptions.size(), 1u);
  const ui::FileDialogOptions& o = w.dialogs.saveOptions[0];
  EXPECT_EQ(o.initialName, "NoName");
  EXPECT_EQ(o.filter.description, "Wave files (*.wav)");
  EXPECT_EQ(o.filter.pattern, "*.wav");
  EXPECT_EQ(o.defaultExtension, "wav");
  EXPECT_EQ(ReadBytes(first).size(), 264644u) << "a Japanese name works";

  // A refused Open does not touch the name either.
  w.dialogs.AnswerOpen(dir.Write("bad.wav", Bytes{'R', 'I'}));
  w.dialogs.AnswerBox(ui::IDOK);
  w.form1.K4.Click();

  const std::size_t lines = w.form1.Memo1.Lines().size();
  w.dialogs.AnswerSave({false, "typed but cancelled"});
  w.form1.K5.Click();
  EXPECT_EQ(w.dialogs.saveOptions[1].initialName, first);
  EXPECT_EQ(w.app.SaveFileName, "typed but cancelled") << "the name field is kept on cancel";
  EXPECT_EQ(w.form1.Memo1.Lines().size(), lines) << "a cancel writes nothing";
  Save(w, dir.File("second.wav"));
  EXPECT_EQ(w.dialogs.saveOptions[2].initialName, "typed but cancelled");
}

TEST(SaveCommand, ATargetThatCannotBeWrittenFailsAndLeavesNothing) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "folder");
  const std::string targets[] = {
      dir.File("folder"),
      dir.File("missing/out.wav"),
      "",
  };
  for (const std::string& target : targets) {
    SCOPED_TRACE(target);
    TestWorld w;
    EXPECT_EQ(Save(w, target).log, FailureLines(target));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"folder"});
    EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "folder"));
  }
}

TEST(SaveCommand, AFullDeviceIsReportedAsAFailure) {
  TestWorld w;
  EXPECT_EQ(Save(w, "/dev/full").log, FailureLines("/dev/full"));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full")) << "the device stays a device";
}

// Runs `body` in a child process (so that limits and mounts end with it) and expects exit 0.
template <typename Body>
void InChild(Body body) {
  EXPECT_EXIT(
      {
        body();
        std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "");
}

// A write that fails in the middle of the file: an existing target keeps its old content and
// the temporary file is removed.
void ExpectFailedWriteKeepsTarget(TempDir& dir) {
  const Bytes old = Wave16(1, 8000, PatternSamples(100));
  const std::string path = dir.Write("keep.wav", old);
  TestWorld w;
  w.form1.RadioGroup2.SetItemIndex(1);
  FillBlock(w.app, PatternSamples(static_cast<std::size_t>(kBlockCapacity)));
  EXPECT_EQ(Save(w, path).log, FailureLines(path));
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"keep.wav"});
}

TEST(SaveCommandDeathTest, AWriteErrorMidwayKeepsTheOldFile) {
  TempDir dir;
  InChild([&] {
    // Files may not grow past 64 KiB: the stereo file of 529244 bytes fails midway.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64 * 1024, RLIM_INFINITY};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    ExpectFailedWriteKeepsTarget(dir);
  });
}

// A private mount namespace, so that a small disk mounted in it disappears with the process.
bool EnterPrivateMounts() {
  return ::unshare(CLONE_NEWNS) == 0 &&
         ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

bool CanMountPrivately() {
  const pid_t pid = ::fork();
  if (pid == 0) std::_Exit(EnterPrivateMounts() ? 0 : 1);
  int status = 0;
  return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

TEST(SaveCommandDeathTest, AFullDiskKeepsTheOldFile) {
  if (!CanMountPrivately()) GTEST_SKIP() << "no right to mount a small disk here";
  TempDir dir;
  InChild([&] {
    ASSERT_TRUE(EnterPrivateMounts());
    ASSERT_EQ(::mount("tmpfs", dir.path().c_str(), "tmpfs", 0, "size=256k"), 0);
    ExpectFailedWriteKeepsTarget(dir);
  });
}

}  // namespace
