// Chromaticity shares around the equal-energy white point: reflection through
// it and the hue number 1..31 that runs once around it.
#include "colour/legacy/legacy_model.h"
#include "colour/extended.h"

namespace colour::legacy {

using detail::ext;

shares complement_shares(double x, double y) {
  // s -> (2 - 3s)/3; the third share is formed again from the two reflected ones.
  const double xr = static_cast<double>((ext{2} - ext{3} * x) / ext{3});
  const double yr = static_cast<double>((ext{2} - ext{3} * y) / ext{3});
  const double zr = static_cast<double>((ext{1} - xr) - yr);
  return {xr, yr, zr};
}

double hue_number(const shares& s) {
  // "a <= b" is taken as "not a > b", so shares that are no number satisfy
  // every case and give a hue number that is no number. On ties the later
  // case wins: y = z < x gives 1, not 31.
  const auto not_greater = [](double a, double b) { return !(a > b); };
  double H = detail::nan;
  if (not_greater(s.x, s.y) && not_greater(s.x, s.z)) {
    const double h = static_cast<double>((ext{s.y} - s.z) / (ext{1} - ext{3} * s.x));
    H = static_cast<double>(ext{16} - ext{5} * h);
  }
  if (not_greater(s.y, s.x) && not_greater(s.y, s.z)) {
    const double h = static_cast<double>((ext{s.z} - s.x) / (ext{1} - ext{3} * s.y));
    H = static_cast<double>(ext{26} - ext{5} * h);
  }
  if (not_greater(s.z, s.y) && not_greater(s.z, s.x)) {
    const double h = static_cast<double>((ext{s.x} - s.y) / (ext{1} - ext{3} * s.z));
    H = static_cast<double>(ext{6} - ext{5} * h);
  }
  return H;
}

}  // namespace colour::legacy
