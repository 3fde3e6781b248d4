// Where a sample lands in a segment picture when a loaded second is drawn.
#pragma once

#include <cstdint>
#include <vector>

namespace playback {

// 1 / 327.68 at 64-bit-mantissa precision: just below 100 / 32768, so that -32768 lands on row
// 219, inside the band that synthesis reads back, and not on 220.
constexpr long double kRowsPerUnit = 1.0L / 327.68;

// The row of sample s on a picture whose middle row is mid: mid - s * K, each step rounded to
// long double, truncated toward zero. Positive samples lie above the middle.
constexpr int SampleRow(int mid, int s) {
  const long double scaled = static_cast<long double>(s) * kRowsPerUnit;
  const long double row = static_cast<long double>(mid) - scaled;
  return static_cast<int>(row);
}

// SampleRow for every sample at one middle row, worked out once: the long double arithmetic
// costs more than drawing the line it places.
class SampleRowTable {
 public:
  explicit SampleRowTable(int mid) : mid_(mid), rows_(65536) {
    for (int s = -32768; s <= 32767; ++s) {
      rows_[static_cast<std::size_t>(s + 32768)] = static_cast<std::int16_t>(SampleRow(mid, s));
    }
  }
  int Mid() const { return mid_; }
  int operator()(std::int16_t s) const { return rows_[static_cast<std::size_t>(s + 32768)]; }

 private:
  int mid_;
  std::vector<std::int16_t> rows_;  // rows of a picture fit in 16 bits
};

}  // namespace playback
