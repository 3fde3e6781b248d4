#include "wavefile/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <system_error>

namespace wavefile {

namespace {

constexpr std::size_t kBufferBytes = std::size_t{1} << 20;
// Large appends go straight to the file in pieces of this size; after each piece the kernel is
// asked to start writing it out, so the final sync has little left to wait for.
constexpr std::size_t kDirectPiece = std::size_t{8} << 20;

[[noreturn]] void ThrowErrno(const std::string& what) {
  throw std::system_error(errno, std::generic_category(), what);
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A symbolic link is followed, so that the file it names is replaced and the link stays.
std::string ResolveTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return path;
  return resolved;
}

}  // namespace

void ReplacingFile::Create(const std::string& path) {
  Abandon();
  if (path.empty()) {
    errno = ENOENT;
    ThrowErrno("cannot create a file without a name");
  }
  target_ = ResolveTarget(path);
  written_ = 0;
  syncedUpTo_ = 0;
  used_ = 0;
  buffer_.resize(kBufferBytes);

  struct stat st {};
  const bool exists = ::stat(target_.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) {
    errno = EISDIR;
    ThrowErrno("cannot write " + path);
  }
  if (exists && !S_ISREG(st.st_mode)) {
    // Non-blocking open: a FIFO without a reader fails at once instead of waiting.
    fd_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) ThrowErrno("cannot open " + path);
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
    direct_ = true;
    return;
  }

  direct_ = false;
  const std::string stem = DirectoryOf(target_) + "/." + BaseNameOf(target_) + ".";
  std::random_device entropy;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "%08x.tmp", static_cast<unsigned>(entropy()));
    std::string candidate = stem + suffix;
    fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
      temp_ = std::move(candidate);
      // An existing file keeps its permissions.
      if (exists) ::fchmod(fd_, st.st_mode & 07777);
      return;
    }
    if (errno != EEXIST) ThrowErrno("cannot create a file beside " + path);
  }
  ThrowErrno("cannot create a file beside " + path);
}

void ReplacingFile::WriteAll(const unsigned char* bytes, std::size_t count) {
  while (count > 0) {
    const ssize_t n = ::write(fd_, bytes, count);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowErrno("cannot write " + target_);
    }
    if (n == 0) {
      errno = EIO;
      ThrowErrno("cannot write " + target_);
    }
    bytes += n;
    count -= static_cast<std::size_t>(n);
    written_ += static_cast<std::uint64_t>(n);
  }
  if (!direct_ && written_ - syncedUpTo_ >= kDirectPiece) {
    // Only a hint: errors show up at the final sync.
    ::sync_file_range(fd_, static_cast<off_t>(syncedUpTo_),
                      static_cast<off_t>(written_ - syncedUpTo_), SYNC_FILE_RANGE_WRITE);
    syncedUpTo_ = written_;
  }
}

void ReplacingFile::Flush() {
  if (fd_ < 0) {
    errno = EBADF;
    ThrowErrno("no file is open for writing");
  }
  const std::size_t n = used_;
  used_ = 0;
  WriteAll(buffer_.data(), n);
}

void ReplacingFile::Append(const void* bytes, std::size_t count) {
  if (count == 0) return;
  const auto* p = static_cast<const unsigned char*>(bytes);
  if (used_ + count <= buffer_.size()) {
    std::memcpy(buffer_.data() + used_, p, count);
    used_ += count;
    return;
  }
  Flush();
  if (count < buffer_.size()) {
    std::memcpy(buffer_.data(), p, count);
    used_ = count;
    return;
  }
  while (count > 0) {
    const std::size_t piece = std::min(count, kDirectPiece);
    WriteAll(p, piece);
    p += piece;
    count -= piece;
  }
}

void ReplacingFile::Finish(std::uint64_t expectedBytes) {
  try {
    Flush();
    if (written_ != expectedBytes) {
      errno = EIO;
      ThrowErrno("the file holds " + std::to_string(written_) + " bytes, not " +
                 std::to_string(expectedBytes));
    }
    if (!direct_ && ::fsync(fd_) != 0) ThrowErrno("cannot sync " + target_);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) ThrowErrno("cannot close " + target_);
    if (!direct_) {
      if (::rename(temp_.c_str(), target_.c_str()) != 0) ThrowErrno("cannot replace " + target_);
      temp_.clear();
      // Makes the new name itself durable; the file is in place whatever this says.
      const int dir = ::open(DirectoryOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
      }
    }
  } catch (...) {
    Abandon();
    throw;
  }
  buffer_ = {};
}

void ReplacingFile::Abandon() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
  // Later appends find no buffer and fail at once.
  buffer_ = {};
  used_ = 0;
}

}  // namespace wavefile
