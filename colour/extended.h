// Shared by the colour model's sources: every formula runs on long double
// (x87, 64-bit significand) and only its named result is rounded to double.
#pragma once

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace colour::detail {

using ext = long double;

inline constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// x87 arithmetic on a NaN loaded from a double costs a microcode assist of
// several hundred cycles on current Intel cores (about 150 ns a
// multiplication, 500 ns a floorl, measured), where a number takes a few:
// in a sweep that was 40 % of the time, spent on the wavelengths of hues
// that have none. An x87 result with one NaN operand is that NaN, quieted,
// so where the input is a formula's only possible NaN, the quieted input is
// the result, bit for bit, with no x87 operation. SSE's addition quiets a
// signalling NaN the same way and needs no assist.
inline double quieted_nan(double nan_value) { return nan_value + 0.0; }

// floor(1000 v) for a double v that is no NaN (a NaN would cost the assist
// above: callers pass it by first), exactly as std::floor(1000 v) in the
// 64-bit significand. For 0 < v < 2^52 by integer arithmetic: v = m * 2^e
// with a whole m < 2^53 and e < 0, so 1000 v = 1000 m * 2^e exactly,
// 1000 m < 2^63, and the floor is a right shift. floorl, for the rest,
// switches the rounding mode there and back, which holds up the lanes of a
// pass group.
//   floor_of_thousand_times(489.99690594) = 489996
inline ext floor_of_thousand_times(double v) {
  const auto bits = std::bit_cast<std::uint64_t>(v);
  const auto biased_exponent = static_cast<int>(bits >> 52);  // the sign bit makes it >= 2048
  if (biased_exponent == 0 || biased_exponent >= 1075) return std::floor(ext{1000} * v);
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int shift = 1075 - biased_exponent;
  return shift >= 64 ? ext{0} : static_cast<ext>(static_cast<std::int64_t>((1000 * m) >> shift));
}

// The whole part of 0 <= v < 2^53, as std::size_t(v) gives it, without the
// x87's own conversion: that switches the rounding mode there and back,
// which holds up every x87 result behind it (the lanes of a group stop
// overlapping). v rounded to the nearest double is at least the whole part
// (a whole number is a double, and rounding keeps order) and may be the
// next whole number up: then one back.
//   whole_part(4.9999999999999999999L) = 4, whole_part(5.0L) = 5
inline std::size_t whole_part(ext v) {
  auto whole = static_cast<std::size_t>(static_cast<double>(v));
  if (static_cast<ext>(whole) > v) --whole;
  return whole;
}

}  // namespace colour::detail
