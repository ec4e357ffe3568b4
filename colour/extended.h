// Shared by the colour model's sources: every formula runs on long double
// (x87, 64-bit significand) and only its named result is rounded to double.
#pragma once

#include <limits>

namespace colour::detail {

using ext = long double;

inline constexpr double nan = std::numeric_limits<double>::quiet_NaN();

}  // namespace colour::detail
