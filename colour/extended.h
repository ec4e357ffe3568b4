// Shared by the colour model's sources: every formula runs on long double
// (x87, 64-bit significand) and only its named result is rounded to double.
#pragma once

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

}  // namespace colour::detail
