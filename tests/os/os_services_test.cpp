// The Linux stand-ins for the system services: the instance lock, the sound-tool launcher, the
// cross-thread poster and the session-end signal.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <thread>

#include "platform/os/cross_thread_poster.h"
#include "platform/os/detached_launcher.h"
#include "platform/os/flock_instance_lock.h"
#include "platform/os/session_end_signal.h"

namespace {

namespace fs = std::filesystem;

struct TempDir {
  explicit TempDir(const std::string& name) : path(fs::path(SONOQUILL_TEST_TMP) / name) {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempDir() { fs::remove_all(path); }
  fs::path path;
};

// Sets or unsets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

void WriteScript(const fs::path& path, const std::string& body) {
  std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
  fs::permissions(path, fs::perms::owner_all);
}

bool WaitForFile(const fs::path& path) {
  for (int i = 0; i < 500; ++i) {
    if (fs::exists(path) && fs::file_size(path) > 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

bool HasNoChildren() {
  return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

TEST(FlockInstanceLock, TheLockFileIsPerUserInTheRuntimeDirectoryOrElseTheTemporaryOne) {
  TempDir runtime("runtime");
  TempDir temp("temp");
  const std::string uid = std::to_string(::getuid());
  struct Case {
    std::optional<std::string> runtimeDir;
    fs::path expected;
  };
  const Case cases[] = {
      {runtime.path.string(), runtime.path / "Sonoquill.lock"},
      {std::nullopt, temp.path / ("Sonoquill-" + uid + ".lock")},
      {"", temp.path / ("Sonoquill-" + uid + ".lock")},
      {(runtime.path / "missing").string(), temp.path / ("Sonoquill-" + uid + ".lock")},
  };
  ScopedEnv tmpdir("TMPDIR", temp.path.string());
  for (const Case& c : cases) {
    ScopedEnv xdg("XDG_RUNTIME_DIR", c.runtimeDir);
    os::FlockInstanceLock lock;
    EXPECT_EQ(fs::path(lock.Path()), c.expected) << c.runtimeDir.value_or("(unset)");
    EXPECT_TRUE(lock.TryAcquire());
    EXPECT_TRUE(fs::exists(c.expected));
  }
}

TEST(FlockInstanceLock, ASecondHolderIsRefusedUntilTheFirstReleasesEvenIfItStartedAProgram) {
  TempDir runtime("runtime-two");
  TempDir tools("tools-lock");
  ScopedEnv xdg("XDG_RUNTIME_DIR", runtime.path.string());
  const fs::path started = tools.path / "started";
  // The tool outlives the lock holder's release: it must not have inherited the lock.
  WriteScript(tools.path / "pavucontrol", "echo up > '" + started.string() + "'; sleep 3");

  os::FlockInstanceLock first;
  os::FlockInstanceLock second;
  ASSERT_TRUE(first.TryAcquire());
  EXPECT_FALSE(second.TryAcquire());
  os::DetachedLauncher(tools.path.string()).Start("sndvol.exe");
  ASSERT_TRUE(WaitForFile(started));
  first.Release();
  EXPECT_TRUE(second.TryAcquire());
  EXPECT_FALSE(first.TryAcquire());
  second.Release();
  EXPECT_TRUE(first.TryAcquire());
}

TEST(DetachedLauncher, EachSystemToolNameMapsToTheFirstInstalledDesktopTool) {
  TempDir tools("tools-resolve");
  const std::string dir = tools.path.string();
  os::DetachedLauncher launcher("/nonexistent:" + dir);
  EXPECT_EQ(launcher.Resolve("sndvol.exe"), std::nullopt) << "nothing installed";

  std::ofstream(tools.path / "pavucontrol-qt") << "not executable";
  EXPECT_EQ(launcher.Resolve("sndvol.exe"), std::nullopt);

  WriteScript(tools.path / "pavucontrol", "true");
  using Command = std::vector<std::string>;
  EXPECT_EQ(launcher.Resolve("sndvol.exe"), (Command{dir + "/pavucontrol"}));
  EXPECT_EQ(launcher.Resolve("SndVol32.exe"), (Command{dir + "/pavucontrol"}));
  EXPECT_EQ(launcher.Resolve("mmsys.cpl"), (Command{dir + "/pavucontrol", "--tab=3"}));
  WriteScript(tools.path / "gnome-control-center", "true");
  EXPECT_EQ(launcher.Resolve("mmsys.cpl"), (Command{dir + "/gnome-control-center", "sound"}));
  EXPECT_EQ(launcher.Resolve("notepad.exe"), std::nullopt);
  EXPECT_EQ(os::DetachedLauncher("").Resolve("sndvol.exe"), std::nullopt);
}

TEST(DetachedLauncher, AToolRunsInItsOwnSessionLeavesNoZombieAndAMissingOneIsIgnored) {
  TempDir tools("tools-start");
  const fs::path report = tools.path / "report";
  // Writes its parent and its session: fields 4 and 6 of /proc/self/stat.
  WriteScript(tools.path / "pavucontrol",
              "read -r line < /proc/$$/stat; set -- $line; echo \"$4 $6 $*\" > '" +
                  report.string() + ".tmp'; mv '" + report.string() + ".tmp' '" + report.string() +
                  "'");
  os::DetachedLauncher launcher(tools.path.string());
  launcher.Start("sndvol32.exe");
  EXPECT_TRUE(HasNoChildren()) << "the intermediate process is reaped, the tool is not ours";
  ASSERT_TRUE(WaitForFile(report));
  std::istringstream fields{
      std::string(std::istreambuf_iterator<char>(std::ifstream(report).rdbuf()), {})};
  long parent = 0, session = 0;
  fields >> parent >> session;
  EXPECT_NE(parent, static_cast<long>(::getpid()));
  EXPECT_NE(session, static_cast<long>(::getsid(0)));

  os::DetachedLauncher nothing("");
  nothing.Start("sndvol.exe");
  nothing.Start("mmsys.cpl");
  nothing.Start("unknown.exe");
  EXPECT_TRUE(HasNoChildren());
}

// Counts what its dispatch receives, by message.
class CountingForm : public ui::Form {
 public:
  CountingForm() : ui::Form("F", "F", 10, 10) {}
  long WndProc(const ui::Message& m) override {
    ++counts[m.msg];
    return 0;
  }
  std::map<unsigned, int> counts;
};

bool Readable(int fd) {
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, 0) == 1;
}

TEST(CrossThreadPoster, EveryPostFromAnyThreadBecomesOneMessageForTheTarget) {
  ui::MessageQueue queue;
  os::CrossThreadPoster poster(queue, {ui::MM_WOM_DONE, ui::WM_QUERYENDSESSION});
  CountingForm form;
  EXPECT_FALSE(Readable(poster.WakeFd()));

  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 1000; ++i) poster.Post(ui::MM_WOM_DONE);
    });
  }
  for (std::thread& t : threads) t.join();
  poster.Post(ui::WM_QUERYENDSESSION);
  poster.Post(ui::WM_SYSCOMMAND);  // not one it carries: dropped
  errno = EDOM;
  poster.Post(ui::MM_WOM_DONE);
  EXPECT_EQ(errno, EDOM) << "a post leaves errno alone, as a signal handler must";
  EXPECT_TRUE(Readable(poster.WakeFd()));

  poster.Drain();  // no target yet: the posts wait
  EXPECT_TRUE(queue.Empty());
  poster.SetTarget(&form);
  poster.Drain();
  EXPECT_FALSE(Readable(poster.WakeFd()));
  EXPECT_EQ(queue.Size(), 4002u);
  queue.DispatchAll();
  EXPECT_EQ(form.counts,
            (std::map<unsigned, int>{{ui::MM_WOM_DONE, 4001}, {ui::WM_QUERYENDSESSION, 1}}));

  poster.Drain();  // nothing new
  EXPECT_TRUE(queue.Empty());
}

TEST(SessionEndSignal, SigtermBecomesTheSessionEndMessageInsteadOfEndingTheProcess) {
  ui::MessageQueue queue;
  os::CrossThreadPoster poster(queue, {ui::WM_QUERYENDSESSION});
  CountingForm form;
  poster.SetTarget(&form);
  os::InstallSessionEndSignal(poster);
  ASSERT_EQ(::kill(::getpid(), SIGTERM), 0);
  ASSERT_EQ(::kill(::getpid(), SIGTERM), 0);
  os::RemoveSessionEndSignal();
  poster.Drain();
  queue.DispatchAll();
  EXPECT_EQ(form.counts, (std::map<unsigned, int>{{ui::WM_QUERYENDSESSION, 2}}));
}

}  // namespace
