// The compensative wavelength of a spectral colour and the ordering of the
// resulting pair.
#include <cmath>

#include "colour/legacy_model.h"
#include "colour/extended.h"
#include "colour/legacy_bounds.h"

namespace colour::legacy {

using detail::ext;

namespace {

// The locus at 700 nm, which stands in for the fits at and above the red end.
constexpr shares red_end_shares{0.7347, 0.2653, 0.0};

bool in_green_range(double w) { return green_range_lo <= w && w <= green_range_hi; }

}  // namespace

std::optional<wavelength_pair> compensative_wavelength(double lc, double l) {
  shares s{};
  if (lc > red_end || l > red_end) {
    // Beyond the red end the locus point itself is used, not its complement.
    s = red_end_shares;
  } else {
    double x = 0;
    double z = 0;
    if (lc == red_end || l == red_end) {
      x = red_end_shares.x;
      z = red_end_shares.z;
    } else if (in_green_range(lc) || in_green_range(l)) {
      return std::nullopt;
    } else {
      const shares locus = locus_chromaticity(lc);
      x = locus.x;
      z = locus.z;
    }
    const double y = static_cast<double>((ext{1} - x) - z);
    s = complement_shares(x, y);
  }
  const double H = hue_number(s);
  // Written so that a hue number that is no number fails as well.
  if (!(spectral_hue_lo <= H && H <= spectral_hue_hi)) return std::nullopt;
  const double c = floor_to_thousandth(wavelength_of_hue(H));
  if (std::isnan(c)) return std::nullopt;
  if (c > lc) return wavelength_pair{lc, c};
  return wavelength_pair{c, lc};
}

}  // namespace colour::legacy
