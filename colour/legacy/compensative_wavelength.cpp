// The compensative wavelength of a spectral colour and the ordering of the
// resulting pair, for a group of entries: one loop over the group per step.
#include <array>
#include <cassert>
#include <cmath>

#include "colour/legacy/legacy_model.h"
#include "colour/extended.h"
#include "colour/legacy/legacy_bounds.h"

namespace colour::legacy {

using detail::ext;

namespace {

// The locus at 700 nm, which stands in for the fits at and above the red end.
constexpr shares red_end_shares{0.7347, 0.2653, 0.0};

bool in_green_range(double w) { return green_range_lo <= w && w <= green_range_hi; }

// Which colour's hue gives the partner.
enum class source : unsigned char {
  red_end,             // beyond the red end: the red end's locus point itself
  red_end_complement,  // at the red end: its complement
  none,                // the green range: no partner
  locus_complement,    // the complement of lc's locus point
};


template <std::size_t Lanes>
void compensative_lanes(std::span<const double> lc, std::span<const double> l,
                              std::span<std::optional<wavelength_pair>> out) {
  const std::size_t n = out.size();
  assert(n <= Lanes && lc.size() == n && l.size() == n);
  std::array<source, Lanes> from;
  std::array<double, Lanes> x;
  std::array<double, Lanes> z;
  // Locus: the point whose complement is looked up.
  for (std::size_t i = 0; i < n; ++i) {
    if (lc[i] > red_end || l[i] > red_end) {
      from[i] = source::red_end;
    } else if (lc[i] == red_end || l[i] == red_end) {
      from[i] = source::red_end_complement;
      x[i] = red_end_shares.x;
      z[i] = red_end_shares.z;
    } else if (in_green_range(lc[i]) || in_green_range(l[i])) {
      from[i] = source::none;
    } else {
      from[i] = source::locus_complement;
      const shares locus = locus_chromaticity(lc[i]);
      x[i] = locus.x;
      z[i] = locus.z;
    }
  }
  // Complement: reflection through the white point.
  std::array<shares, Lanes> s;
  for (std::size_t i = 0; i < n; ++i) {
    if (from[i] == source::red_end) {
      s[i] = red_end_shares;
    } else if (from[i] != source::none) {
      const double y = static_cast<double>((ext{1} - x[i]) - z[i]);
      s[i] = complement_shares(x[i], y);
    }
  }
  // Hue number.
  std::array<double, Lanes> H;
  for (std::size_t i = 0; i < n; ++i) H[i] = from[i] == source::none ? detail::nan : hue_number(s[i]);
  // Hue -> wavelength, for spectral hues only (written so that NaN fails).
  std::array<double, Lanes> w;
  for (std::size_t i = 0; i < n; ++i) {
    w[i] = spectral_hue_lo <= H[i] && H[i] <= spectral_hue_hi ? wavelength_of_hue(H[i]) : detail::nan;
  }
  // Floor to 0.001 nm and order the pair.
  for (std::size_t i = 0; i < n; ++i) {
    const double c = floor_to_thousandth(w[i]);
    if (std::isnan(c)) {
      out[i] = std::nullopt;
    } else {
      out[i] = c > lc[i] ? wavelength_pair{lc[i], c} : wavelength_pair{c, lc[i]};
    }
  }
}

}  // namespace

void compensative_wavelengths(std::span<const double> lc, std::span<const double> l,
                              std::span<std::optional<wavelength_pair>> out) {
  assert(out.size() <= max_lanes);
  // One lane (a single pass) gets its own straight-line copy.
  if (out.size() == 1) {
    compensative_lanes<1>(lc, l, out);
  } else {
    compensative_lanes<max_lanes>(lc, l, out);
  }
}

std::optional<wavelength_pair> compensative_wavelength(double lc, double l) {
  std::optional<wavelength_pair> pair;
  compensative_wavelengths(std::span(&lc, 1), std::span(&l, 1), std::span(&pair, 1));
  return pair;
}

}  // namespace colour::legacy
