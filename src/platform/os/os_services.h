// Operating-system services the application frame asks for: which system it runs on and
// starting another program.
#pragma once

#include <optional>
#include <string>

namespace os {

constexpr unsigned VER_PLATFORM_WIN32_NT = 2;

struct OsVersion {
  unsigned major = 0;
  unsigned minor = 0;
  unsigned platformId = 0;
};

class VersionQuery {
 public:
  virtual ~VersionQuery() = default;
  // Nothing when the version cannot be read.
  virtual std::optional<OsVersion> Query() = 0;
};

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // Starts the program the system knows by this name, detached; failures are ignored.
  virtual void Start(const std::string& program) = 0;
};

}  // namespace os
