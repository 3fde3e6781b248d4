// Plays a known block through the real playback path (the main window's Play and Stop over the
// PortAudio device, completions crossing from the sound thread to this one) and then checks what
// the file-backed ALSA device captured: after the leading silence, the block repeated sample for
// sample, with no gap and no stray silence.
//
//   play_block --channels 1|2 --rate HZ --seconds S --capture FILE [--change-every S]
//   play_block --channels 1 --rate 44100 --expect-open-failure
//
// With --change-every the block is replaced by a new one every S seconds while it plays, the way
// Generate replaces it; the capture must then be whole blocks, each of them one of the versions
// in the order they were made.
//
// Prints one summary line with the underruns, the CPU the process used while looping and its
// resident memory at the start and the end of the loop.
#include <sys/resource.h>

#include <algorithm>
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
#include "platform/os/resident_memory.h"

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
  double changeEvery = 0;  // 0: the block never changes
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
    } else if (arg == "--change-every" && hasValue) {
      o.changeEvery = std::atof(argv[++i]);
    } else if (arg == "--expect-open-failure") {
      o.expectOpenFailure = true;
    } else {
      return std::nullopt;
    }
  }
  if (o.channels < 1 || o.channels > 2 || o.rate < 1 || o.rate > kMaxSampleRate || o.seconds < 1 ||
      o.changeEvery < 0 || (!o.expectOpenFailure && o.capture.empty())) {
    return std::nullopt;
  }
  return o;
}

// A block without any zero sample and without a period inside it, so that the start of the
// loop in the capture is unmistakable and any gap, repeat or dropped sample shows.
// Each version has its own seed, so no two versions share a stretch of samples.
BlockCopy KnownBlock(std::uint32_t version) {
  BlockCopy block{};
  std::uint32_t x = 2463534242u + 7919u * version;
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

// Whether `count` captured values from `at` equal the start of `block`.
bool Matches(const std::vector<std::int16_t>& capture, std::size_t at, std::size_t count,
             const BlockCopy& block) {
  return std::equal(capture.begin() + static_cast<std::ptrdiff_t>(at),
                    capture.begin() + static_cast<std::ptrdiff_t>(at + count), block.begin());
}

// The capture must be silence, then whole blocks from their first sample to the end of the
// capture (the last one cut off by Stop), each block one of the `versions` made and never an
// older one than the block before it, at least `repetitions` whole blocks in all. Versions are
// made again from their seeds here; keeping them all would be the loop's memory growing.
bool CheckCapture(const std::vector<std::int16_t>& capture, std::uint32_t versions,
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
  std::uint32_t version = 0;
  BlockCopy current = KnownBlock(0);
  std::uint32_t heard = 1;
  for (std::size_t at = start; at < capture.size(); at += blockValues) {
    const std::size_t count = std::min(blockValues, capture.size() - at);
    std::uint32_t next = version;
    BlockCopy candidate = current;
    while (next < versions && !Matches(capture, at, count, candidate)) {
      if (++next < versions) candidate = KnownBlock(next);
    }
    if (next == versions) {
      // Say where the current version first goes wrong, and whether a gap of silence is there.
      std::size_t j = 0;
      while (j < count && capture[at + j] == current[j]) ++j;
      std::size_t zeros = 0;
      while (at + j + zeros < capture.size() && capture[at + j + zeros] == 0) ++zeros;
      summary = "mismatch in repetition " + std::to_string((at - start) / blockValues) +
                " at value " + std::to_string(j) + ": got " + std::to_string(capture[at + j]) +
                ", expected " + std::to_string(current[j]) + " or a later version" +
                (zeros > 0 ? " (a gap of " + std::to_string(zeros) + " silent values)" : "");
      return false;
    }
    if (next != version) ++heard;
    version = next;
    current = candidate;
  }
  const std::size_t looped = capture.size() - start;
  char text[240];
  std::snprintf(text, sizeof text,
                "%.3f s of leading silence, then %.3f s sample-exact (%zu whole repetitions, "
                "%u of %u versions heard)",
                static_cast<double>(start) / static_cast<double>(blockValues),
                static_cast<double>(looped) / static_cast<double>(blockValues),
                looped / blockValues, heard, versions);
  summary = text;
  if (looped / blockValues < repetitions) {
    summary += ", fewer than " + std::to_string(repetitions);
    return false;
  }
  // A version made just before Stop may not have reached the speaker; every earlier one must.
  if (heard + 1 < versions) {
    summary += ", versions went unheard";
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = Parse(argc, argv);
  if (!options) {
    std::cerr << "usage: play_block --channels 1|2 --rate HZ --seconds S --capture FILE"
                 " [--change-every S]\n"
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
  std::uint32_t versions = 1;
  app.BlockSamples = {KnownBlock(0), KnownBlock(0)};
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
  const auto changeEvery = std::chrono::duration<double>(o.changeEvery);
  auto nextChange = looping + std::chrono::duration_cast<Clock::duration>(changeEvery);
  unsigned completions = 0;
  long residentFirst = 0;
  long residentMost = 0;
  while (Clock::now() - started < wanted || completions < needed) {
    if (o.changeEvery > 0 && Clock::now() >= nextChange) {
      const BlockCopy next = KnownBlock(versions++);
      app.BlockSamples = {next, next};
      nextChange += std::chrono::duration_cast<Clock::duration>(changeEvery);
    }
    if (Clock::now() > deadline) {
      std::cerr << "only " << completions << " completions in " << o.seconds + 60 << " s\n";
      return 1;
    }
    for (unsigned n = poster.Take(std::chrono::milliseconds(200)); n > 0; --n) {
      queue.Post({&form1, ui::MM_WOM_DONE, 0, 0});
      ++completions;
    }
    queue.DispatchAll();
    // Memory is measured from the first completion on, once the loop is set up.
    if (completions > 0) {
      const long resident = os::ResidentMemoryKiB();
      if (residentFirst == 0) residentFirst = resident;
      residentMost = std::max(residentMost, resident);
    }
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
      CheckCapture(ReadCapture(o.capture), versions, blockValues, o.channels, needed, summary);
  // Flat: the loop may settle its allocations, but must not grow with its length.
  constexpr long kResidentGrowthAllowedKiB = 2048;
  const bool flat = residentMost - residentFirst <= kResidentGrowthAllowedKiB;
  std::printf(
      "%s %d Hz: %s; %u completions in %.2f s; underruns %llu; cpu %.2f %% of one core; "
      "resident %ld KiB at the first completion, at most %ld KiB%s\n",
      o.channels == 1 ? "mono" : "stereo", o.rate, summary.c_str(), completions, wall,
      static_cast<unsigned long long>(device.UnderrunCount()), 100.0 * cpu / wall, residentFirst,
      residentMost, flat ? "" : " (grew)");
  if (!boxes.shown.empty() || poster.Others() != 0) {
    std::cerr << "unexpected boxes or messages\n";
    return 1;
  }
  return exact && flat && device.UnderrunCount() == 0 ? 0 : 1;
}
