#include "wavefile/byte_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

namespace wavefile {

std::int64_t MemoryByteSource::ReadAt(std::uint64_t offset, void* buffer, std::uint64_t count) {
  if (offset >= size_) return 0;
  const std::uint64_t n = std::min<std::uint64_t>(count, size_ - offset);
  if (n == 0) return 0;  // the buffer of an empty read may be null
  std::memcpy(buffer, data_ + offset, static_cast<std::size_t>(n));
  return static_cast<std::int64_t>(n);
}

FileByteSource::~FileByteSource() {
  Close();
}

bool FileByteSource::Open(const std::string& path) {
  Close();
  // Non-blocking so that opening a FIFO cannot wait for a writer; the type check follows.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  size_ = static_cast<std::uint64_t>(st.st_size);
  return true;
}

void FileByteSource::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  size_ = 0;
}

std::int64_t FileByteSource::ReadAt(std::uint64_t offset, void* buffer, std::uint64_t count) {
  if (fd_ < 0) return -1;
  constexpr std::uint64_t kMaxOffset =
      static_cast<std::uint64_t>(std::numeric_limits<off_t>::max());
  if (offset > kMaxOffset) return 0;
  // One call moves at most about 2 GiB on Linux; loop until done or the end of the file.
  constexpr std::uint64_t kMaxChunk = std::uint64_t{1} << 30;
  auto* out = static_cast<unsigned char*>(buffer);
  std::uint64_t done = 0;
  while (done < count) {
    const std::size_t want = static_cast<std::size_t>(std::min(count - done, kMaxChunk));
    const ssize_t got = ::pread(fd_, out + done, want, static_cast<off_t>(offset + done));
    if (got < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (got == 0) break;
    done += static_cast<std::uint64_t>(got);
  }
  return static_cast<std::int64_t>(done);
}

}  // namespace wavefile
