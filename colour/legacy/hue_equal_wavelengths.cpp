// The hue-equal wavelengths of a colour: the spectral wavelength of its hue
// (negative for a purple, found through its complement) and a partner; for a
// group of colours, one loop over the group per step.
#include <array>
#include <cassert>
#include <cmath>

#include "colour/legacy/legacy_model.h"
#include "colour/extended.h"
#include "colour/legacy/legacy_bounds.h"

namespace colour::legacy {

using detail::ext;

namespace {

template <std::size_t Lanes>
void hue_equal_lanes(std::span<const double> x, std::span<const double> y,
                           std::span<hue_equal_pair> out) {
  const std::size_t n = out.size();
  assert(n <= Lanes && x.size() == n && y.size() == n);
  // Hue number of the colour.
  std::array<shares, Lanes> s;
  std::array<double, Lanes> H;
  std::array<int, Lanes> sign;
  for (std::size_t i = 0; i < n; ++i) {
    s[i] = {x[i], y[i], static_cast<double>((ext{1} - x[i]) - y[i])};
    H[i] = hue_number(s[i]);
    sign[i] = +1;
  }
  // A purple (or a hue number that is no number) has no wavelength of its
  // own; its complement's wavelength is taken, marked by the minus sign.
  for (std::size_t i = 0; i < n; ++i) {
    if (!(hue_equal_hue_lo <= H[i] && H[i] <= spectral_hue_hi)) {
      s[i] = complement_shares(s[i].x, s[i].y);
      sign[i] = -1;
      H[i] = hue_number(s[i]);
    }
  }
  // Hue -> wavelength.
  std::array<double, Lanes> w;
  for (std::size_t i = 0; i < n; ++i) w[i] = wavelength_of_hue(H[i]);
  // Floor: it acts on the positive wavelength; the sign comes afterwards.
  std::array<double, Lanes> l1;
  for (std::size_t i = 0; i < n; ++i) {
    // A hue with no wavelength: the NaN passes, its sign untouched (an x87
    // product keeps the NaN operand as it is).
    l1[i] = std::isnan(w[i]) ? detail::quieted_nan(w[i])
                             : static_cast<double>((detail::floor_of_thousand_times(w[i]) * sign[i]) / ext{1000});
  }
  // The partner's hue: that of the reflected colour, except strictly between
  // the compensative wavelengths of the spectrum's ends, which have none.
  std::array<bool, Lanes> partnered;
  std::array<double, Lanes> H2;
  for (std::size_t i = 0; i < n; ++i) {
    partnered[i] = !(green_partner_lo < l1[i] && l1[i] < green_partner_hi);
    if (partnered[i]) {
      s[i].y = static_cast<double>((ext{1} - s[i].x) - s[i].z);
      H2[i] = hue_number(complement_shares(s[i].x, s[i].y));
    }
  }
  // Partner hue -> wavelength, floored.
  for (std::size_t i = 0; i < n; ++i) {
    if (partnered[i]) w[i] = wavelength_of_hue(H2[i]);
  }
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = {l1[i], partnered[i] ? floor_to_thousandth(w[i]) : -l1[i]};
  }
}

}  // namespace

void hue_equal_wavelengths(std::span<const double> x, std::span<const double> y,
                           std::span<hue_equal_pair> out) {
  assert(out.size() <= max_lanes);
  // One lane (a single pass) gets its own straight-line copy.
  if (out.size() == 1) {
    hue_equal_lanes<1>(x, y, out);
  } else {
    hue_equal_lanes<max_lanes>(x, y, out);
  }
}

hue_equal_pair hue_equal_wavelengths(double x, double y) {
  hue_equal_pair pair;
  hue_equal_wavelengths(std::span(&x, 1), std::span(&y, 1), std::span(&pair, 1));
  return pair;
}

}  // namespace colour::legacy
