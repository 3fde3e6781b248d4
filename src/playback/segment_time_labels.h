// The time labels under a canvas: where the selected segment starts and ends, in msec.
#pragma once

#include <string>

namespace playback {

// intervalIndex is the interval setting: 1 ("100 msec") makes a segment 100 msec, else 10.
inline std::string SegmentStartLabel(int segment, int intervalIndex) {
  const int f = intervalIndex == 1 ? 10 : 1;
  return std::to_string(segment * f * 10) + " msec";
}

inline std::string SegmentEndLabel(int segment, int intervalIndex) {
  const int f = intervalIndex == 1 ? 10 : 1;
  return std::to_string((segment * 10 + 10) * f) + " msec";
}

}  // namespace playback
