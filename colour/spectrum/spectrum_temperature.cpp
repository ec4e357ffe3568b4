#include "colour/spectrum/spectrum_temperature.h"

#include <cmath>
#include <vector>

#include "colour/extended.h"
#include "colour/spectrum/spectrum_colour.h"

namespace colour {
namespace {

using detail::ext;
using detail::nan;

// The coarse search: temperatures evenly spaced in log T.
constexpr int coarse_points = 240;
constexpr int bisection_steps = 100;
// The search runs a little beyond the range, so that a light at its very
// end (a 1,000 K radiator sampled on another grid) is still found.
constexpr long double search_margin = 1.01L;
constexpr double range_tolerance = 0.01;  // K

struct locus_point {
  ext u, v;    // CIE 1960
  ext du, dv;  // d/dT
};

// Planck's radiator at the observer's nodes, and its derivative in T, as
// spectra; their integrals against x̄, ȳ, z̄ give (u, v) and its slope.
locus_point planck_point(ext kelvin, const cie_model& m) {
  const std::size_t nodes = m.observer_function(0).size() + 1;
  sample_spectrum radiance{"", {}, {}};
  sample_spectrum slope{"", {}, {}};
  for (std::size_t i = 0; i < nodes; ++i) {
    const ext nm = ext{m.grid_start()} + static_cast<ext>(i) * m.grid_step();
    const ext x = ext{planck_c2} / (nm * ext{1e-9L} * kelvin);
    const ext b = planck_radiance(nm, kelvin);
    radiance.wavelengths.push_back(static_cast<double>(nm));
    radiance.values.push_back(static_cast<double>(b));
    slope.wavelengths.push_back(static_cast<double>(nm));
    slope.values.push_back(static_cast<double>(b * (x / kelvin) / (-std::expm1(-x))));
  }
  const auto s = integrate_against(spectrum_function(radiance), m, false);
  const auto d = integrate_against(spectrum_function(slope), m, false);
  const ext den = (s[0] + 15 * s[1]) + 3 * s[2];
  const ext dden = (d[0] + 15 * d[1]) + 3 * d[2];
  return {4 * s[0] / den, 6 * s[1] / den, 4 * (d[0] * den - s[0] * dden) / (den * den),
          6 * (d[1] * den - s[1] * dden) / (den * den)};
}

}  // namespace

long double planck_radiance(long double nm, long double kelvin) {
  const ext metres = nm * ext{1e-9L};
  // Relative to 560 nm's λ^-5, so that the numbers stay near 1.
  const ext relative = ext{560} / nm;
  const ext r2 = relative * relative;
  return (r2 * r2 * relative) / std::expm1(ext{planck_c2} / (metres * kelvin));
}

chromaticity planck_uv(double kelvin, const cie_model& cie1931) {
  const locus_point p = planck_point(kelvin, cie1931);
  return {static_cast<double>(p.u), static_cast<double>(p.v)};
}

colour_temperature correlated_colour_temperature(const tristimulus& t, const cie_model& cie1931) {
  const chromaticity uv = uv_1960(t);
  if (!std::isfinite(uv.x) || !std::isfinite(uv.y)) return {nan, nan};
  const ext log_lo = std::log(lowest_cct / search_margin);
  const ext log_hi = std::log(highest_cct * search_margin);
  const auto temperature = [&](int i) {
    return std::exp(log_lo + (log_hi - log_lo) * static_cast<ext>(i) / coarse_points);
  };
  int best = 0;
  ext best_distance = 0;
  for (int i = 0; i <= coarse_points; ++i) {
    const locus_point p = planck_point(temperature(i), cie1931);
    const ext d = std::hypot(uv.x - p.u, uv.y - p.v);
    if (i == 0 || d < best_distance) best = i, best_distance = d;
  }
  // Where (light - locus) . slope changes sign from + to -: the nearest point.
  const auto toward = [&](ext kelvin) {
    const locus_point p = planck_point(kelvin, cie1931);
    return (uv.x - p.u) * p.du + (uv.y - p.v) * p.dv;
  };
  ext lo = temperature(std::max(best - 1, 0));
  ext hi = temperature(std::min(best + 1, coarse_points));
  if (!(toward(lo) > 0) || !(toward(hi) < 0)) return {nan, nan};  // nearest at an end of the range
  for (int n = 0; n < bisection_steps; ++n) {
    const ext mid = (lo + hi) / 2;
    if (mid == lo || mid == hi) break;
    (toward(mid) > 0 ? lo : hi) = mid;
  }
  const ext kelvin = (lo + hi) / 2;
  if (!(lowest_cct - range_tolerance <= kelvin && kelvin <= highest_cct + range_tolerance)) {
    return {nan, nan};
  }
  const locus_point p = planck_point(kelvin, cie1931);
  // The normal to the locus that points to larger v: above is positive.
  ext nu = -p.dv, nv = p.du;
  if (nv < 0) nu = -nu, nv = -nv;
  const ext duv = ((uv.x - p.u) * nu + (uv.y - p.v) * nv) / std::hypot(nu, nv);
  return {static_cast<double>(kelvin), static_cast<double>(duv)};
}

}  // namespace colour
