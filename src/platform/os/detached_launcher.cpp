#include "platform/os/detached_launcher.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace os {
namespace {

using CommandLine = std::vector<std::string>;

// Candidates in order of preference: the desktop's own tool first where it has one.
const std::vector<CommandLine> kVolumeMixers = {
    {"pavucontrol"},
    {"pavucontrol-qt"},
    {"pwvucontrol"},
};
const std::vector<CommandLine> kSoundSettings = {
    {"gnome-control-center", "sound"},
    {"systemsettings", "kcm_pulseaudio"},
    {"pavucontrol", "--tab=3"},  // the output devices
    {"pavucontrol-qt", "--tab=3"},
};

const std::vector<CommandLine>* CandidatesFor(std::string program) {
  std::transform(program.begin(), program.end(), program.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (program == "sndvol.exe" || program == "sndvol32.exe") return &kVolumeMixers;
  if (program == "mmsys.cpl") return &kSoundSettings;
  return nullptr;
}

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

DetachedLauncher::DetachedLauncher() {
  const char* path = std::getenv("PATH");
  searchPath_ = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
}

DetachedLauncher::DetachedLauncher(std::string searchPath) : searchPath_(std::move(searchPath)) {}

std::optional<std::string> DetachedLauncher::FindOnPath(const std::string& executable) const {
  std::size_t start = 0;
  while (start <= searchPath_.size()) {
    std::size_t end = searchPath_.find(':', start);
    if (end == std::string::npos) end = searchPath_.size();
    const std::string dir = searchPath_.substr(start, end - start);
    // An empty entry means the current directory; a sound tool is never looked for there.
    if (!dir.empty()) {
      const std::string candidate = dir + "/" + executable;
      if (IsExecutableFile(candidate)) return candidate;
    }
    start = end + 1;
  }
  return std::nullopt;
}

std::optional<std::vector<std::string>> DetachedLauncher::Resolve(
    const std::string& program) const {
  const std::vector<CommandLine>* candidates = CandidatesFor(program);
  if (candidates == nullptr) return std::nullopt;
  for (const CommandLine& command : *candidates) {
    if (auto path = FindOnPath(command.front())) {
      CommandLine resolved = command;
      resolved.front() = *path;
      return resolved;
    }
  }
  return std::nullopt;
}

void DetachedLauncher::Start(const std::string& program) {
  const auto command = Resolve(program);
  if (!command) return;

  // Everything the children need is prepared here: between fork and exec only
  // async-signal-safe calls are allowed, since other threads may hold locks.
  std::vector<char*> argv;
  for (const std::string& arg : *command) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  sigset_t noSignals;
  sigemptyset(&noSignals);
  const int devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);

  const pid_t child = ::fork();
  if (child < 0) {
    if (devNull >= 0) ::close(devNull);
    return;
  }
  if (child == 0) {
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild == 0) {
      ::sigprocmask(SIG_SETMASK, &noSignals, nullptr);
      if (devNull >= 0) ::dup2(devNull, STDIN_FILENO);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    ::_exit(0);
  }
  if (devNull >= 0) ::close(devNull);
  while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace os
