#pragma once
// Real numbers to whole numbers the way the report's positions and flags are
// read: to the nearest integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -0.5 -> 0), whatever the floating-point rounding mode.
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace qw {

inline double RoundHalfEven(double x) {
  const double down = std::floor(x);
  const double diff = x - down;
  if (diff < 0.5) return down;
  if (diff > 0.5) return down + 1.0;
  return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

// The rounded value as a 32-bit integer; nothing when it does not fit (or x
// is not a number).
inline std::optional<std::int32_t> RoundToInt32(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  const double r = RoundHalfEven(x);
  if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(r);
}

}  // namespace qw
