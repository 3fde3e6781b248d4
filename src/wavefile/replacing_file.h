// An output file that appears under its name only when it is complete: the bytes go to a
// temporary file beside the target, which is synced and renamed over the target at the end. A
// failure at any point leaves the target as it was and removes the temporary file. Every error
// is thrown as std::system_error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wavefile {

class ReplacingFile {
 public:
  ReplacingFile() = default;
  ~ReplacingFile() { Abandon(); }
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Starts a file that will replace `path` (UTF-8). A target that exists and is not a regular
  // file (a device, a FIFO) is written directly: there is nothing there to keep.
  void Create(const std::string& path);
  void Append(const void* bytes, std::size_t count);
  // Appends two bytes; the common case of the sample writer.
  void AppendPair(unsigned char lo, unsigned char hi) {
    if (used_ + 2 > buffer_.size()) Flush();
    buffer_[used_] = lo;
    buffer_[used_ + 1] = hi;
    used_ += 2;
  }
  // Writes what is buffered, syncs, closes and puts the file in place. Throws when the file
  // holds other than `expectedBytes` (the writer's header would then lie about it).
  void Finish(std::uint64_t expectedBytes);
  // Drops an unfinished file; never throws.
  void Abandon() noexcept;

  bool IsOpen() const { return fd_ >= 0; }
  std::uint64_t BytesWritten() const { return written_ + used_; }

 private:
  void Flush();
  void WriteAll(const unsigned char* bytes, std::size_t count);

  int fd_ = -1;
  bool direct_ = false;
  std::string target_;
  std::string temp_;
  std::vector<unsigned char> buffer_;
  std::size_t used_ = 0;
  std::uint64_t written_ = 0;
  std::uint64_t syncedUpTo_ = 0;
};

}  // namespace wavefile
