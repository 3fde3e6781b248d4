// Which values of the loaded data one second covers.
#pragma once

#include <algorithm>
#include <cstdint>

namespace playback {

// Second p of data holding `total` values, n values a second, starts at value n * p. The number
// of its values that the data holds: n, fewer for a last partial second, 0 past the end.
constexpr std::int64_t SecondValueCount(std::int64_t n, std::int64_t p, std::int64_t total) {
  const std::int64_t start = n * p;
  if (n <= 0 || p < 0 || start >= total) return 0;
  return std::min(n, total - start);
}

}  // namespace playback
