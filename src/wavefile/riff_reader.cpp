#include "wavefile/riff_reader.h"

#include <array>

namespace wavefile {

namespace {
constexpr FourCC kRiffId = MakeFourCC("RIFF");
constexpr std::uint64_t kHeaderBytes = 8;

std::uint32_t LittleEndian32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
}  // namespace

RiffResult RiffReader::ReadHeader(std::uint64_t at, FourCC& id, std::uint32_t& size) {
  std::array<unsigned char, kHeaderBytes> header{};
  const std::int64_t got = source_.ReadAt(at, header.data(), header.size());
  if (got < 0) return kRiffReadFailed;
  if (static_cast<std::uint64_t>(got) < kHeaderBytes) return kRiffChunkNotFound;
  id = LittleEndian32(header.data());
  size = LittleEndian32(header.data() + 4);
  return kRiffOk;
}

RiffResult RiffReader::Descend(RiffChunk& chunk, const RiffChunk* parent, unsigned flags) {
  if ((flags & kFindRiff) != 0) {
    // Every step moves on by at least 8 bytes, so the walk ends at the end of the file.
    std::uint64_t at = 0;
    for (;;) {
      FourCC id = 0;
      std::uint32_t size = 0;
      if (const RiffResult r = ReadHeader(at, id, size); r != kRiffOk) return r;
      if (id == kRiffId) {
        std::array<unsigned char, 4> form{};
        const std::int64_t got = source_.ReadAt(at + kHeaderBytes, form.data(), form.size());
        if (got < 0) return kRiffReadFailed;
        if (got < 4) return kRiffChunkNotFound;
        chunk.ckid = id;
        chunk.cksize = size;
        chunk.fccType = LittleEndian32(form.data());
        chunk.dataOffset = at + kHeaderBytes;
        position_ = chunk.dataOffset + 4;
        return kRiffOk;
      }
      at += kHeaderBytes + size + (size & 1u);
    }
  }
  if ((flags & kFindChunk) != 0) {
    const std::uint64_t end = parent != nullptr ? parent->DataEnd() : source_.Size();
    std::uint64_t at = position_;
    while (at + kHeaderBytes <= end) {
      FourCC id = 0;
      std::uint32_t size = 0;
      if (const RiffResult r = ReadHeader(at, id, size); r != kRiffOk) return r;
      if (id == chunk.ckid) {
        chunk.cksize = size;
        chunk.fccType = 0;
        chunk.dataOffset = at + kHeaderBytes;
        position_ = chunk.dataOffset;
        return kRiffOk;
      }
      at += kHeaderBytes + size + (size & 1u);
    }
    return kRiffChunkNotFound;
  }
  return kRiffChunkNotFound;
}

RiffResult RiffReader::Ascend(const RiffChunk& chunk) {
  position_ = chunk.PaddedEnd();
  return kRiffOk;
}

std::int64_t RiffReader::Read(void* buffer, std::uint64_t count) {
  const std::int64_t got = source_.ReadAt(position_, buffer, count);
  if (got > 0) position_ += static_cast<std::uint64_t>(got);
  return got;
}

std::uint64_t RiffReader::Remaining() const {
  const std::uint64_t size = source_.Size();
  return position_ < size ? size - position_ : 0;
}

}  // namespace wavefile
