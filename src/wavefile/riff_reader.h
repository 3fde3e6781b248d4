// Walking the chunks of a RIFF file: find the outer "RIFF" chunk, find a sub-chunk by its
// identifier, step out of a chunk to its padded end, read the bytes of a chunk.
#pragma once

#include <cstdint>

#include "wavefile/byte_source.h"

namespace wavefile {

using FourCC = std::uint32_t;

// The identifier of a four-character code as it is stored: the first character in the low byte.
// Shorter texts are padded with blanks ("fmt" gives "fmt ").
constexpr FourCC MakeFourCC(const char* text) {
  FourCC code = 0;
  bool ended = false;
  for (int i = 0; i < 4; ++i) {
    if (text[i] == '\0') ended = true;
    const auto c = static_cast<unsigned char>(ended ? ' ' : text[i]);
    code |= static_cast<FourCC>(c) << (8 * i);
  }
  return code;
}

// Results of a descent or ascent: 0 is success, anything else says why it failed.
using RiffResult = std::uint32_t;
constexpr RiffResult kRiffOk = 0;
constexpr RiffResult kRiffChunkNotFound = 1;
constexpr RiffResult kRiffReadFailed = 2;

// Search modes of a descent.
constexpr unsigned kFindRiff = 0x20;   // the first "RIFF" chunk from the start of the file
constexpr unsigned kFindChunk = 0x10;  // the chunk whose identifier is in `ckid`

struct RiffChunk {
  FourCC ckid = 0;
  std::uint32_t cksize = 0;  // data bytes, not counting the 8 header bytes or a pad byte
  FourCC fccType = 0;        // the form type, for a "RIFF" chunk
  std::uint64_t dataOffset = 0;
  // Where the chunk and its pad byte end.
  std::uint64_t PaddedEnd() const { return dataOffset + cksize + (cksize & 1u); }
  std::uint64_t DataEnd() const { return dataOffset + cksize; }
};

class RiffReader {
 public:
  explicit RiffReader(ByteSource& source) : source_(source) {}

  // kFindRiff: from the start of the file, skips any other chunk by its size padded to even;
  // leaves the position after the form type. kFindChunk: from the current position onward and
  // within `parent`, the first chunk whose identifier is chunk.ckid; leaves the position at the
  // start of its data. Fills `chunk` on success.
  RiffResult Descend(RiffChunk& chunk, const RiffChunk* parent, unsigned flags);
  // Moves to the padded end of `chunk`.
  RiffResult Ascend(const RiffChunk& chunk);
  // Reads up to `count` bytes at the position and moves past them; the number read, or -1.
  std::int64_t Read(void* buffer, std::uint64_t count);

  std::uint64_t Position() const { return position_; }
  // Bytes that lie between the position and the end of the file.
  std::uint64_t Remaining() const;

 private:
  // Reads the 8-byte header at `at`; false when the file ends first.
  RiffResult ReadHeader(std::uint64_t at, FourCC& id, std::uint32_t& size);

  ByteSource& source_;
  std::uint64_t position_ = 0;
};

}  // namespace wavefile
