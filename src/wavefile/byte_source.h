// Where the RIFF reader takes its bytes from: an opened file, or memory (the fuzz target).
// Reads are positional, so a reader can jump between chunks without a shared file offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace wavefile {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Total length in bytes.
  virtual std::uint64_t Size() const = 0;
  // Copies up to `count` bytes from `offset`; returns the number copied (0 at or past the end),
  // or -1 on an I/O error.
  virtual std::int64_t ReadAt(std::uint64_t offset, void* buffer, std::uint64_t count) = 0;
};

class MemoryByteSource : public ByteSource {
 public:
  MemoryByteSource(const void* data, std::size_t size)
      : data_(static_cast<const unsigned char*>(data)), size_(size) {}
  std::uint64_t Size() const override { return size_; }
  std::int64_t ReadAt(std::uint64_t offset, void* buffer, std::uint64_t count) override;

 private:
  const unsigned char* data_;
  std::size_t size_;
};

// A regular file opened for reading. Anything else (a folder, a FIFO, a device) is refused at
// open, so a read never blocks and never runs forever.
class FileByteSource : public ByteSource {
 public:
  FileByteSource() = default;
  ~FileByteSource() override;
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;

  // `path` is UTF-8, passed to the system unchanged.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

  std::uint64_t Size() const override { return size_; }
  std::int64_t ReadAt(std::uint64_t offset, void* buffer, std::uint64_t count) override;

 private:
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

}  // namespace wavefile
