// Plays a known block through the real playback path (the main window's Play and Stop over the
// PortAudio device, completions crossing from the sound thread to this one) and then checks what
// the file-backed ALSA device captured: after the leading silence, the block repeated sample for
// sample, with no gap and no stray silence.
//
//   play_block --channels 1|2 --rate HZ --seconds S --capture FILE
//   play_block --channels 1 --rate 44100 --expect-open-failure
//
// Prints one summary line with the underruns and the CPU the process used while looping.
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "desktop/portaudio_wave_out.h"
#include "editor/right_form.h"

namespace {

using Clock = std::chrono::steady_clock;

// Completions from the sound thread: a count and a wake-up, no lock on the posting side.
class WakingPoster : public ui::MessagePoster {
 public:
  void Post(unsigned msg) override {
    if (msg == ui::MM_WOM_DONE) {
      posted_.fetch_add(1, std::memory_order_release);
    } else {
      others_.fetch_add(1, std::memory_order_relaxed);
    }
    wake_.notify_one();
  }
  // Waits up to `timeout` for a completion and returns how many arrived since the last call.
  unsigned Take(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, timeout,
                   [&] { return posted_.load(std::memory_order_acquire) != taken_; });
    const unsigned now = posted_.load(std::memory_order_acquire);
    const unsigned fresh = now - taken_;
    taken_ = now;
    return fresh;
  }
  unsigned Others() const { return others_.load(std::memory_order_relaxed); }

 private:
  std::atomic<unsigned> posted_{0};
  std::atomic<unsigned> others_{0};
  unsigned taken_ = 0;
  std::mutex mutex_;
  std::condition_variable wake_;
};

// A box nobody expected: shown on stderr and remembered, answered with OK.
class LoggedBoxes : public ui::MessageBoxService, public ui::FileDialogService {
 public:
  int Show(const std::string& text, const std::string& title, unsigned) override {
    std::cerr << "message box \"" << title << "\": " << text << "\n";
    shown.push_back(text);
    return ui::IDOK;
  }
  std::optional<std::string> AskOpen(const ui::FileDialogOptions&) override { return {}; }
  ui::SaveDialogResult AskSave(const ui::FileDialogOptions& o) override {
    return {false, o.initialName};
  }
  std::vector<std::string> shown;
};

struct NoVersion : os::VersionQuery {
  std::optional<os::OsVersion> Query() override { return std::nullopt; }
};
struct NoLauncher : os::ProgramLauncher {
  void Start(const std::string&) override {}
};

struct Options {
  int channels = 1;
  std::int32_t rate = 44100;
  double seconds = 3;
  std::string capture;
  bool expectOpenFailure = false;
};

std::optional<Options> Parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--channels" && hasValue) {
      o.channels = std::atoi(argv[++i]);
    } else if (arg == "--rate" && hasValue) {
      o.rate = std::atoi(argv[++i]);
    } else if (arg == "--seconds" && hasValue) {
      o.seconds = std::atof(argv[++i]);
    } else if (arg == "--capture" && hasValue) {
      o.capture = argv[++i];
    } else if (arg == "--expect-open-failure") {
      o.expectOpenFailure = true;
    } else {
      return std::nullopt;
    }
  }
  if (o.channels < 1 || o.channels > 2 || o.rate < 1 || o.rate > kMaxSampleRate || o.seconds < 1 ||
      (!o.expectOpenFailure && o.capture.empty())) {
    return std::nullopt;
  }
  return o;
}

// A block without any zero sample and without a period inside it, so that the start of the
// loop in the capture is unmistakable and any gap, repeat or dropped sample shows.
BlockCopy KnownBlock() {
  BlockCopy block{};
  std::uint32_t x = 2463534242u;
  for (std::int16_t& v : block) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    v = static_cast<std::int16_t>(static_cast<int>(x % 24001) - 12000);
    if (v == 0) v = 1;
  }
  return block;
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::vector<std::int16_t> ReadCapture(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::int16_t> samples(bytes.size() / 2);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const auto lo = static_cast<unsigned char>(bytes[2 * i]);
    const auto hi = static_cast<unsigned char>(bytes[2 * i + 1]);
    samples[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | hi << 8));
  }
  return samples;
}

// The capture must be silence, then the block over and over from its first sample to the end of
// the capture, at least `repetitions` whole times.
bool CheckCapture(const std::vector<std::int16_t>& capture, const BlockCopy& block,
                  std::size_t blockValues, int channels, std::size_t repetitions,
                  std::string& summary) {
  std::size_t start = 0;
  while (start < capture.size() && capture[start] == 0) ++start;
  if (start == capture.size()) {
    summary = "the capture is silent (" + std::to_string(capture.size()) + " samples)";
    return false;
  }
  const std::size_t frameValues = static_cast<std::size_t>(channels);
  if (start % frameValues != 0) {
    summary = "the first sound starts inside a frame, at sample " + std::to_string(start);
    return false;
  }
  for (std::size_t j = 0; start + j < capture.size(); ++j) {
    const std::int16_t expected = block[j % blockValues];
    if (capture[start + j] != expected) {
      std::size_t zeros = 0;
      while (start + j + zeros < capture.size() && capture[start + j + zeros] == 0) ++zeros;
      summary = "mismatch in repetition " + std::to_string(j / blockValues) + " at value " +
                std::to_string(j % blockValues) + ": got " + std::to_string(capture[start + j]) +
                ", expected " + std::to_string(expected) +
                (zeros > 0 ? " (a gap of " + std::to_string(zeros) + " silent values)" : "");
      return false;
    }
  }
  const std::size_t looped = capture.size() - start;
  char text[200];
  std::snprintf(text, sizeof text,
                "%.3f s of leading silence, then %.3f s sample-exact (%zu whole repetitions)",
                static_cast<double>(start) / static_cast<double>(blockValues),
                static_cast<double>(looped) / static_cast<double>(blockValues),
                looped / blockValues);
  summary = text;
  if (looped / blockValues < repetitions) {
    summary += ", fewer than " + std::to_string(repetitions);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = Parse(argc, argv);
  if (!options) {
    std::cerr << "usage: play_block --channels 1|2 --rate HZ --seconds S --capture FILE\n"
                 "       play_block --channels 1|2 --rate HZ --expect-open-failure\n";
    return 2;
  }
  const Options& o = *options;

  PortAudioWaveOut device;
  LoggedBoxes boxes;
  NoVersion version;
  NoLauncher launcher;
  ui::MessageQueue queue;
  WakingPoster poster;
  Services services{boxes, boxes, device, version, launcher, queue, poster};
  AppState app;
  TForm1 form1(app, services);
  form1.FormCreate();
  TForm2 form2(app, boxes);
  form2.FormCreate();

  form1.RadioGroup2.SetItemIndex(o.channels - 1);
  app.SampleRate = o.rate;
  const BlockCopy block = KnownBlock();
  app.BlockSamples = {block, block};
  const std::size_t blockValues = static_cast<std::size_t>(o.channels) * o.rate;

  const Clock::time_point started = Clock::now();
  form1.Button3.Click();
  // The steady loop is measured, not the sound system's start-up.
  const double cpuBefore = CpuSeconds();
  const Clock::time_point looping = Clock::now();

  if (o.expectOpenFailure) {
    const bool reported = boxes.shown.size() == 1 && !boxes.shown[0].empty() &&
                          form1.Button3.Enabled() &&
                          form1.Memo1.Lines().back() == "再生処理でエラーが発生しました。";
    std::cout << "open failure " << (reported ? "reported" : "NOT reported") << ": "
              << (boxes.shown.empty() ? "no box" : boxes.shown[0]) << "\n";
    return reported ? 0 : 1;
  }
  if (form1.Button3.Enabled() || form1.Memo1.Lines().back() != "Playback Started...") {
    std::cerr << "playback did not start\n";
    return 1;
  }

  // The message loop: completions are handed to the main window as they arrive.
  const auto wanted = std::chrono::duration<double>(o.seconds);
  const auto deadline =
      started + std::chrono::duration_cast<Clock::duration>(wanted) + std::chrono::seconds(60);
  const auto needed = static_cast<unsigned>(o.seconds);
  unsigned completions = 0;
  while (Clock::now() - started < wanted || completions < needed) {
    if (Clock::now() > deadline) {
      std::cerr << "only " << completions << " completions in " << o.seconds + 60 << " s\n";
      return 1;
    }
    for (unsigned n = poster.Take(std::chrono::milliseconds(200)); n > 0; --n) {
      queue.Post({&form1, ui::MM_WOM_DONE, 0, 0});
      ++completions;
    }
    queue.DispatchAll();
  }
  const double wall = std::chrono::duration<double>(Clock::now() - looping).count();
  const double cpu = CpuSeconds() - cpuBefore;

  form1.Button4.Click();
  // Each buffer was either finished and not yet handled, or returned by the reset: two
  // completions still to come, and they must queue nothing on the closed device.
  const unsigned late = poster.Take(std::chrono::milliseconds(0));
  for (unsigned n = late; n > 0; --n) queue.Post({&form1, ui::MM_WOM_DONE, 0, 0});
  queue.DispatchAll();
  if (!form1.Button3.Enabled() || form1.Memo1.Lines().back() != "Playback Finished.") {
    std::cerr << "playback did not stop\n";
    return 1;
  }
  for (const audio::WaveHdr& header : form1.playback.PlaybackHeaders) {
    if (late != 2 || (header.dwFlags & audio::WHDR_INQUEUE) != 0 ||
        (header.dwFlags & audio::WHDR_DONE) == 0) {
      std::cerr << "after Stop: " << late << " completions, header flags " << header.dwFlags
                << "\n";
      return 1;
    }
  }
  device.Shutdown();

  std::string summary;
  const bool exact =
      CheckCapture(ReadCapture(o.capture), block, blockValues, o.channels, needed, summary);
  std::printf("%s %d Hz: %s; %u completions in %.2f s; underruns %llu; cpu %.2f %% of one core\n",
              o.channels == 1 ? "mono" : "stereo", o.rate, summary.c_str(), completions, wall,
              static_cast<unsigned long long>(device.UnderrunCount()), 100.0 * cpu / wall);
  if (!boxes.shown.empty() || poster.Others() != 0) {
    std::cerr << "unexpected boxes or messages\n";
    return 1;
  }
  return exact && device.UnderrunCount() == 0 ? 0 : 1;
}
