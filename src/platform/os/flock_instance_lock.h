// The single-instance guard on Linux: an exclusive, non-blocking flock on a per-user lock file.
// The kernel drops the lock when the process ends, so a crashed run never blocks the next one.
#pragma once

#include <string>

#include "platform/os/instance_lock.h"

namespace os {

class FlockInstanceLock : public InstanceLock {
 public:
  // The lock file is "<name>.lock" in $XDG_RUNTIME_DIR (already private to the user), or
  // "<name>-<uid>.lock" in the temporary directory when that is unset or not a directory.
  explicit FlockInstanceLock(const std::string& name = "Sonoquill");
  ~FlockInstanceLock() override;
  FlockInstanceLock(const FlockInstanceLock&) = delete;
  FlockInstanceLock& operator=(const FlockInstanceLock&) = delete;

  // A lock file that cannot be opened at all does not stop the program: it starts without the
  // guard and says so on stderr, since refusing would claim another instance that does not exist.
  bool TryAcquire() override;
  void Release() override;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace os
