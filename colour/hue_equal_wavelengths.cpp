// The hue-equal wavelengths of a colour: the spectral wavelength of its hue
// (negative for a purple, found through its complement) and a partner.
#include <cmath>

#include "colour/legacy_model.h"
#include "colour/extended.h"
#include "colour/legacy_bounds.h"

namespace colour::legacy {

using detail::ext;

hue_equal_pair hue_equal_wavelengths(double x, double y) {
  shares s{x, y, static_cast<double>((ext{1} - x) - y)};
  int sign = +1;
  double H = hue_number(s);
  // A purple (or a hue number that is no number) has no wavelength of its
  // own; its complement's wavelength is taken, marked by the minus sign.
  if (!(hue_equal_hue_lo <= H && H <= spectral_hue_hi)) {
    s = complement_shares(s.x, s.y);
    sign = -1;
    H = hue_number(s);
  }
  const double w1 = wavelength_of_hue(H);
  // The floor acts on the positive wavelength; the sign comes afterwards.
  const double l1 = static_cast<double>((std::floor(ext{1000} * w1) * sign) / ext{1000});
  if (green_partner_lo < l1 && l1 < green_partner_hi) return {l1, -l1};

  s.y = static_cast<double>((ext{1} - s.x) - s.z);
  const shares reflected = complement_shares(s.x, s.y);
  const double H2 = hue_number(reflected);
  return {l1, floor_to_thousandth(wavelength_of_hue(H2))};
}

}  // namespace colour::legacy
