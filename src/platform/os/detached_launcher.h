// Starts the sound tools the popup menu names. The names are those of the tools on the system the
// program was designed for; each maps to the first of a few Linux desktop tools found on the PATH.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/os/os_services.h"

namespace os {

class DetachedLauncher : public ProgramLauncher {
 public:
  // Searches the PATH of the environment.
  DetachedLauncher();
  // Searches `searchPath`, a colon-separated list of directories.
  explicit DetachedLauncher(std::string searchPath);

  // The command line for a program name ("sndvol.exe", "sndvol32.exe", "mmsys.cpl", in any
  // case), or nothing when the name is unknown or none of its tools is installed.
  std::optional<std::vector<std::string>> Resolve(const std::string& program) const;

  // Starts the tool in its own session and reaps the intermediate process at once, so it
  // neither dies with us nor lingers as a zombie. A missing tool is ignored.
  void Start(const std::string& program) override;

 private:
  std::optional<std::string> FindOnPath(const std::string& executable) const;
  std::string searchPath_;
};

}  // namespace os
