// What is printed about a pigment besides its tristimulus values: the colour
// moment and the chromaticity coordinates.
#include <cmath>
#include <limits>

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
  const ext sum = (ext{t.X} + t.Y) + t.Z;
  // A sum beyond the largest double (three values near 1e308) would be
  // stored as infinity and give (0, 0), one below the smallest normal double
  // would lose digits. The quotients do not depend on the scale, so the sum
  // is taken to 1 by a power of two first: exact in the long double, and the
  // same roundings as for the triple at that scale. Ordinary sums, zero (0/0:
  // NaN, no chromaticity), infinities and NaN take the plain path. A negative
  // sum gives the quotients as they come: coordinates of an unreal colour.
  const ext size = std::fabs(sum);
  if (std::isfinite(size) && size != 0 &&
      (size > std::numeric_limits<double>::max() || size < std::numeric_limits<double>::min())) {
    const int scale = -std::ilogb(sum);
    const double S = static_cast<double>(std::scalbn(sum, scale));
    return {static_cast<double>(std::scalbn(ext{t.X}, scale) / S),
            static_cast<double>(std::scalbn(ext{t.Y}, scale) / S)};
  }
  const double S = static_cast<double>(sum);
  return {static_cast<double>(ext{t.X} / S), static_cast<double>(ext{t.Y} / S)};
}

}  // namespace colour
