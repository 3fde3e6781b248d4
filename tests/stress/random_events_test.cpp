// Random-event test over the real forms: a seeded stream of what a user can do (mouse work on
// both canvases, thumbnails and floating images, every button, group, track-bar position and menu
// item, dialog answers, sound-device completions, Opens of valid and broken files, Saves), with
// the program's invariants checked after every event. A failure prints the seed and the shortest
// event list found that still fails.
//
// SONOQUILL_RANDOM_EVENTS sets the number of events (default 100000), SONOQUILL_RANDOM_SEED the
// first seed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>

#include "support/test_world.h"
#include "support/wav_files.h"

namespace {

namespace fs = std::filesystem;

enum class Kind {
  CanvasDown,
  CanvasMove,
  CanvasUp,
  FloatingDown,
  FloatingMove,
  FloatingUp,
  Thumbnail,
  Button,
  Group,
  Track,
  MenuItem,
  Popup,
  Device,
  VersionItem,
  FormMove,
  ShowHide,
  kCount
};

struct Event {
  Kind kind;
  int window;  // 0 main, 1 right channel
  int a, b, c;
  int answer;  // for any box or dialog the event brings up
};

std::string Describe(const Event& e) {
  static const char* kNames[] = {"CanvasDown",   "CanvasMove",  "CanvasUp",  "FloatingDown",
                                 "FloatingMove", "FloatingUp",  "Thumbnail", "Button",
                                 "Group",        "Track",       "MenuItem",  "Popup",
                                 "Device",       "VersionItem", "FormMove",  "ShowHide"};
  std::ostringstream s;
  s << kNames[static_cast<int>(e.kind)] << "(w" << e.window << ", " << e.a << ", " << e.b << ", "
    << e.c << ", answer " << e.answer << ")";
  return s.str();
}

// Files an Open may pick: valid ones at several rates and channel counts, and broken ones.
std::vector<std::string> MakeFiles(const TempDir& dir) {
  auto tone = [](std::size_t n, int step) {
    std::vector<std::int16_t> v(n);
    for (std::size_t i = 0; i < n; ++i) {
      v[i] = static_cast<std::int16_t>(
          static_cast<int>((i * static_cast<std::size_t>(step)) % 65536) - 32768);
    }
    return v;
  };
  const std::vector<std::int16_t> stereo = tone(44100 * 2 * 5 / 2, 37);  // 2.5 s
  const std::vector<std::int16_t> mono = tone(8000 * 3, 101);
  const Bytes mono8000 = Wave16(1, 8000, mono);
  RiffChunkSpec truncatedData = DataChunk(stereo);
  truncatedData.declaredSize = 4000000;
  const std::pair<std::string, Bytes> files[] = {
      {"stereo44100.wav", Wave16(2, 44100, stereo)},
      {"mono8000.wav", mono8000},
      {"mono22050.wav", Wave16(1, 22050, tone(22050 + 300, 7))},
      {"stereo48000.wav", Wave16(2, 48000, tone(48000 * 2, 3))},
      {"zeroavg.wav", RiffBytes({FmtChunk(1, 1, 8000, 16, 0), DataChunk(mono)})},
      {"truncated.wav", RiffBytes({FmtChunk(1, 2, 44100, 16), truncatedData})},
      {"8bit.wav", RiffBytes({FmtChunk(1, 1, 8000, 8), DataChunk(mono)})},
      {"48001.wav", Wave16(1, 48001, mono)},
      {"0hz.wav", Wave16(1, 0, mono)},
      {"3ch.wav", Wave16(3, 8000, mono)},
      {"datafirst.wav", RiffBytes({DataChunk(mono), FmtChunk(1, 1, 8000, 16)})},
      {"notriff.wav", Bytes{'J', 'U', 'N', 'K', 4, 0, 0, 0, 'a', 'b', 'c', 'd'}},
      {"short.wav", Bytes(mono8000.begin(), mono8000.begin() + 30)},
  };
  std::vector<std::string> paths;
  for (const auto& [name, bytes] : files) paths.push_back(dir.Write(name, bytes));
  paths.push_back(dir.File("missing.wav"));
  return paths;
}

class RandomRun {
 public:
  RandomRun(const std::vector<std::string>& files, const fs::path& saveDir)
      : files_(files), saveDir_(saveDir) {
    w_.dialogs.AnswerAnyBox = [this](const ShownBox& box) {
      if ((box.flags & ui::kButtonMask) == ui::MB_YESNO) {
        return answer_ % 2 == 0 ? ui::IDYES : ui::IDNO;
      }
      return ui::IDOK;
    };
    w_.dialogs.AnswerAnyOpen = [this]() -> std::optional<std::string> {
      const std::size_t pick = static_cast<std::size_t>(answer_) % (files_.size() + 1);
      if (pick == files_.size()) return std::nullopt;
      return files_[pick];
    };
    w_.dialogs.AnswerAnySave = [this](const ui::FileDialogOptions& o) {
      switch (answer_ % 4) {
        case 0:
          return ui::SaveDialogResult{false, o.initialName};
        case 1:
          return ui::SaveDialogResult{true, saveDir_.string()};  // a folder: refused
        default:
          return ui::SaveDialogResult{true, (saveDir_ / "out.wav").string()};
      }
    };
  }

  // Runs one event; returns what broke, or nothing.
  std::string Apply(const Event& e) {
    answer_ = e.answer;
    EditorForm& f = e.window == 0 ? static_cast<EditorForm&>(w_.form1) : w_.form2;
    TForm1& m = w_.form1;
    const auto button = static_cast<ui::MouseButton>(e.c % 3);
    switch (e.kind) {
      case Kind::CanvasDown:
        f.Image1.MouseDown(button, e.a, e.b);
        break;
      case Kind::CanvasMove:
        f.Image1.MouseMove(e.a, e.b);
        break;
      case Kind::CanvasUp:
        f.Image1.MouseUp(button, e.a, e.b);
        break;
      case Kind::FloatingDown:
        f.Image3.MouseDown(button, e.a % 60 - 10, e.b % 60 - 10);
        break;
      case Kind::FloatingMove:
        f.Image3.MouseMove(e.a % 200 - 100, e.b % 200 - 100);
        break;
      case Kind::FloatingUp:
        f.Image3.MouseUp(button, e.a % 60, e.b % 60);
        break;
      case Kind::Thumbnail: {
        const auto& children = f.ScrollBox1.Children();
        if (!children.empty()) children[static_cast<std::size_t>(e.a) % children.size()]->Click();
        break;
      }
      case Kind::Button: {
        ui::Button* buttons[] = {&f.Button1, &m.Button2, &m.Button3, &m.Button4, &m.Button5};
        buttons[e.a % 5]->Click();
        break;
      }
      case Kind::Group: {
        // Settings locked by an opened file cannot be clicked by a user.
        ui::RadioGroup* groups[] = {&m.RadioGroup1, &m.RadioGroup2, &f.RadioGroup3, &f.RadioGroup4};
        ui::RadioGroup& g = *groups[e.a % 4];
        if (g.Enabled()) g.SetItemIndex(e.b % static_cast<int>(g.Items().size()));
        break;
      }
      case Kind::Track:
        m.TrackBar1.SetPosition(e.a % (m.TrackBar1.Max() + 1));
        break;
      case Kind::MenuItem: {
        const auto& items = f.PopupMenu1.Items();
        ui::MenuItem& item = *items[static_cast<std::size_t>(e.a) % items.size()];
        // The sound-tool items would start programs; their choice is tested elsewhere.
        if (&item != &m.K1 && &item != &m.K2) item.Click();
        break;
      }
      case Kind::Popup:
        f.PopupMenu1.Popup();
        break;
      case Kind::Device:
        w_.Play(static_cast<std::uint32_t>(e.a) * 97u % 100000u);
        break;
      case Kind::VersionItem:
        w_.queue.Post({&m, ui::WM_SYSCOMMAND, 100, 0});
        w_.Dispatch();
        break;
      case Kind::FormMove:
        f.FormMouseMove(e.a, e.b);
        f.Image2MouseMove(e.a % 465, e.b % 100);
        break;
      case Kind::ShowHide:
        if (e.a % 2 == 0) {
          w_.form2.Close();
        } else {
          m.Rch1.Click();
        }
        break;
      case Kind::kCount:
        break;
    }
    w_.Dispatch();
    w_.dialogs.shown.clear();
    return CheckInvariants();
  }

 private:
  std::string CheckInvariants() {
    const AppState& app = w_.app;
    if (app.BlockSamples[0] != app.BlockSamples[1]) return "the two block copies differ";
    if (w_.form1.Button3.Enabled() == w_.device.IsOpen()) {
      return "再生 is enabled exactly when the device is open";
    }
    if (app.SampleRate < 1 || app.SampleRate > kMaxSampleRate) {
      return "SampleRate " + std::to_string(app.SampleRate);
    }
    if (app.SelectedSegment < 0 || app.SelectedSegment > 9 || app.SelectedSegmentR < 0 ||
        app.SelectedSegmentR > 9) {
      return "selection out of range";
    }
    if (app.LoadedDataBytes != 0) {
      const audio::WaveFormatEx& f = app.LoadedFormat;
      if (f.wBitsPerSample != 16 || f.nChannels < 1 || f.nChannels > 2 || f.nSamplesPerSec < 1 ||
          f.nSamplesPerSec > 48000) {
        return "LoadedFormat does not describe a loadable file";
      }
      if (static_cast<std::uint64_t>(app.LoadedData.size()) * 2 < app.LoadedDataBytes) {
        return "LoadedDataBytes exceeds LoadedData";
      }
      if (w_.form1.RadioGroup2.ItemIndex() != f.nChannels - 1) {
        return "the channel setting does not match the loaded file";
      }
      if (app.LoadedFrameBytes != f.nChannels * 2u) return "LoadedFrameBytes";
    }
    if (!w_.form1.editor.SegmentThumbnails[0] || !w_.form2.editor.SegmentThumbnails[0]) {
      return "a window lost its thumbnails";
    }
    return {};
  }

  TestWorld w_;
  const std::vector<std::string>& files_;
  fs::path saveDir_;
  int answer_ = 0;
};

std::vector<Event> Generate(std::uint32_t seed, std::size_t count) {
  std::mt19937 rng(seed);
  // Mouse work is most of what a user does; file commands are rarer.
  const int weights[] = {10, 30, 10, 3, 8, 3, 4, 6, 4, 2, 3, 1, 6, 1, 2, 1};
  std::discrete_distribution<int> kind(std::begin(weights), std::end(weights));
  std::uniform_int_distribution<int> coord(-40, 560);
  std::uniform_int_distribution<int> any(0, 1 << 20);
  std::vector<Event> events;
  events.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    Event e{static_cast<Kind>(kind(rng)),
            any(rng) % 4 == 0 ? 1 : 0,
            coord(rng) + 40,
            coord(rng) % 300,
            any(rng),
            any(rng)};
    if (e.kind == Kind::CanvasDown || e.kind == Kind::CanvasMove || e.kind == Kind::CanvasUp) {
      e.a = coord(rng);
    }
    events.push_back(e);
  }
  return events;
}

struct Failure {
  std::size_t index;
  std::string what;
};

std::optional<Failure> RunEvents(const std::vector<Event>& events,
                                 const std::vector<std::string>& files, const fs::path& saveDir) {
  RandomRun run(files, saveDir);
  for (std::size_t i = 0; i < events.size(); ++i) {
    std::string broken = run.Apply(events[i]);
    if (!broken.empty()) return Failure{i, broken};
  }
  return std::nullopt;
}

// Removes chunks of events while the run still fails, down to single events.
std::vector<Event> Shrink(std::vector<Event> events, const std::vector<std::string>& files,
                          const fs::path& saveDir) {
  for (std::size_t chunk = events.size() / 2; chunk >= 1; chunk /= 2) {
    for (std::size_t start = 0; start + chunk <= events.size();) {
      std::vector<Event> candidate(events.begin(), events.begin() + static_cast<long>(start));
      candidate.insert(candidate.end(), events.begin() + static_cast<long>(start + chunk),
                       events.end());
      if (auto failure = RunEvents(candidate, files, saveDir)) {
        candidate.resize(failure->index + 1);
        events = std::move(candidate);
      } else {
        start += chunk;
      }
    }
    if (chunk == 1) break;
  }
  return events;
}

std::size_t EnvCount(const char* name, std::size_t fallback) {
  const char* v = std::getenv(name);
  return v != nullptr ? static_cast<std::size_t>(std::strtoull(v, nullptr, 10)) : fallback;
}

TEST(RandomEvents, InvariantsHoldAfterEveryEvent) {
  const std::size_t total = EnvCount("SONOQUILL_RANDOM_EVENTS", 100000);
  const auto firstSeed = static_cast<std::uint32_t>(EnvCount("SONOQUILL_RANDOM_SEED", 1));
  // Many shorter runs from a fresh start reach more states than one long one.
  constexpr std::size_t kPerRun = 2000;
  TempDir in;
  TempDir out;
  const auto files = MakeFiles(in);
  std::size_t done = 0;
  for (std::uint32_t seed = firstSeed; done < total; ++seed) {
    const std::size_t count = std::min(kPerRun, total - done);
    std::vector<Event> events = Generate(seed, count);
    if (auto failure = RunEvents(events, files, out.path())) {
      events.resize(failure->index + 1);
      const auto shortest = Shrink(events, files, out.path());
      std::ostringstream list;
      for (const Event& e : shortest) list << "  " << Describe(e) << "\n";
      ADD_FAILURE() << "seed " << seed << ": " << failure->what << " after event " << failure->index
                    << "\nshortest failing list (" << shortest.size() << " events):\n"
                    << list.str();
      break;
    }
    done += count;
  }
  std::printf("random events run: %zu\n", done);
}

}  // namespace
