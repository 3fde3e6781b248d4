#include "platform/os/flock_instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace os {
namespace {

bool IsDirectory(const char* path) {
  struct stat st {};
  return path != nullptr && path[0] != '\0' && ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

std::string LockPathFor(const std::string& name) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (IsDirectory(runtime)) return std::string(runtime) + "/" + name + ".lock";
  std::error_code ec;
  std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
  if (ec) dir = "/tmp";
  // The temporary directory is shared by every user: the uid keeps users apart.
  return (dir / (name + "-" + std::to_string(::getuid()) + ".lock")).string();
}

}  // namespace

FlockInstanceLock::FlockInstanceLock(const std::string& name) : path_(LockPathFor(name)) {}

FlockInstanceLock::~FlockInstanceLock() {
  Release();
}

bool FlockInstanceLock::TryAcquire() {
  if (fd_ >= 0) return true;
  // O_NOFOLLOW: in a shared temporary directory someone else could plant a symbolic link.
  // O_CLOEXEC: programs we start must not inherit the lock and outlive us holding it.
  const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) {
    std::cerr << "Sonoquill: cannot open the instance lock " << path_ << ": "
              << std::strerror(errno) << "; starting without the single-instance guard\n";
    return true;
  }
  int rc;
  do {
    rc = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc == 0) {
    fd_ = fd;
    return true;
  }
  const int err = errno;
  ::close(fd);
  if (err == EWOULDBLOCK) return false;
  std::cerr << "Sonoquill: cannot lock " << path_ << ": " << std::strerror(err)
            << "; starting without the single-instance guard\n";
  return true;
}

void FlockInstanceLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);  // closing the only descriptor drops the lock; the file stays for the next run
  fd_ = -1;
}

}  // namespace os
