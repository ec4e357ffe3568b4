// What is printed about a pigment besides its tristimulus values: the colour
// moment and the chromaticity coordinates.
#include <cmath>

#include "colour/colour_model.h"
#include "colour/extended.h"

namespace colour {

using detail::ext;

double colour_moment(const tristimulus& t) {
  const double s = static_cast<double>((ext{t.Y} - t.X) * (ext{t.Y} - t.X) +
                                       (ext{t.Y} - t.Z) * (ext{t.Y} - t.Z));
  const double r = static_cast<double>(std::sqrt(ext{s}));
  // 100 r is exact in the 64-bit significand, so rounding it (ties to even,
  // the default mode) counts hundredths exactly. The count stays a long
  // double: no integer range to overflow, infinities and NaN pass through.
  // rint, not nearbyint: the inexact flag is of no interest and saving the
  // floating-point environment around every call would double a pass's cost.
  const ext hundredths = std::rint(ext{100} * r);
  return static_cast<double>(hundredths / ext{100});
}

chromaticity chromaticity_xy(const tristimulus& t) {
  // A triple summing to 0 gives 0/0, NaN, which flows on.
  const double S = static_cast<double>((ext{t.X} + t.Y) + t.Z);
  return {static_cast<double>(ext{t.X} / S), static_cast<double>(ext{t.Y} / S)};
}

}  // namespace colour
