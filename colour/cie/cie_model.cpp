#include "colour/cie/cie_model.h"

#include <algorithm>
#include <cmath>

#include "colour/extended.h"
#include "colour/wavelength_floor.h"
#include "colour/pass_steps.h"

namespace colour {
namespace {

using detail::ext;
using detail::nan;

// How far beyond the locus (in excitation purity) a chromaticity may lie and
// still count as on it: far above the rounding of a locus point's purity
// (about 1e-15), far below any measured colour's distance from it.
constexpr double outside_tolerance = 1e-9;

std::vector<double> weighted(const std::vector<double>& f, const std::vector<double>& s) {
  std::vector<double> out(f.size());
  for (std::size_t i = 0; i < f.size(); ++i) out[i] = static_cast<double>(ext{s[i]} * f[i]);
  return out;
}

std::vector<long double> node_integrals(const std::vector<quintic>& q, double step) {
  std::vector<long double> out(q.size() + 1, 0);
  for (std::size_t i = 0; i < q.size(); ++i) out[i + 1] = out[i] + step * q[i].integral(1);
  return out;
}

// base + t (c0 + t (c1 + ... + t c5))
double integral_at(const std::array<long double, 7>& c, ext t) {
  ext v = c[6];
  for (std::size_t k = 6; k-- > 1;) v = v * t + c[k];
  return static_cast<double>(c[0] + t * v);
}

}  // namespace

cie_model::cie_model(std::string name, std::string description, const spectral_table& cmf,
                     const std::vector<double>& illuminant)
    : name_(std::move(name)), description_(std::move(description)) {
  if (cmf.sets.size() < 3) {
    throw model_data_error("colour-matching functions need three sets (x̄, ȳ, z̄), the file has " +
                           std::to_string(cmf.sets.size()));
  }
  if (cmf.bands < 6) throw model_data_error("colour-matching functions need at least 6 bands");
  if (illuminant.size() != cmf.bands) {
    throw model_data_error("the illuminant has " + std::to_string(illuminant.size()) +
                           " values for " + std::to_string(cmf.bands) + " bands");
  }
  start_ = cmf.start_nm;
  step_ = cmf.step_nm();
  nodes_ = cmf.bands;
  bounds_.data_lo = start_;  // the locus below needs the data's range
  bounds_.data_hi = cmf.end_nm;
  x_ = sprague_quintics(cmf.sets[0]);
  y_ = sprague_quintics(cmf.sets[1]);
  z_ = sprague_quintics(cmf.sets[2]);
  const std::vector<quintic> sx = sprague_quintics(weighted(cmf.sets[0], illuminant));
  const std::vector<quintic> sy = sprague_quintics(weighted(cmf.sets[1], illuminant));
  const std::vector<quintic> sz = sprague_quintics(weighted(cmf.sets[2], illuminant));
  const std::vector<long double> cum_x = node_integrals(sx, step_);
  const std::vector<long double> cum_y = node_integrals(sy, step_);
  const std::vector<long double> cum_z = node_integrals(sz, step_);
  if (!(cum_y.back() > 0) || !std::isfinite(cum_y.back())) {
    throw model_data_error("the illuminant weighted by ȳ gives no light: no white to measure by");
  }
  // CIE normalisation: the white has Y = 100.
  const ext scale = ext{100} / cum_y.back();
  full_ = {static_cast<double>(scale * cum_x.back()), 100, static_cast<double>(scale * cum_z.back())};
  white_ = chromaticity_xy(full_);
  relative_ = {ext{100} / full_.X, ext{100} / full_.Y, ext{100} / full_.Z};
  integrals_.resize(sx.size());
  const auto terms = [&](const quintic& q, ext base, std::array<long double, 7>& c) {
    c[0] = scale * base;
    for (std::size_t k = 0; k < 6; ++k) c[k + 1] = scale * step_ * q.a[k] / static_cast<ext>(k + 1);
  };
  for (std::size_t i = 0; i < sx.size(); ++i) {
    terms(sx[i], cum_x[i], integrals_[i].X);
    terms(sy[i], cum_y[i], integrals_[i].Y);
    terms(sz[i], cum_z[i], integrals_[i].Z);
  }
  weighted_ = {sx, sy, sz};
  scale_ = scale;
  set_white(white_);
}

cie_model::cie_model(const cie_model& base, chromaticity white)
    : name_(base.name_),
      description_(base.description_),
      start_(base.start_),
      step_(base.step_),
      nodes_(base.nodes_),
      x_(base.x_),
      y_(base.y_),
      z_(base.z_),
      weighted_(base.weighted_),
      scale_(base.scale_),
      integrals_(base.integrals_),
      full_(base.full_),
      relative_(base.relative_),
      bounds_(base.bounds_) {
  set_white(white);
}

// The hues around the white: the locus cut, its ends and the green range.
void cie_model::set_white(chromaticity white) {
  white_ = white;
  try {
    hue_ = std::make_unique<locus_hue_inverse>(x_, y_, z_, start_, step_, white_);
  } catch (const std::domain_error& e) {
    throw model_data_error(e.what());
  }
  const double blue_end = hue_->blue_end();
  const double red_end = hue_->red_end();
  bounds_ = {blue_end, red_end, complementary_wavelength(red_end),
             complementary_wavelength(blue_end), bounds_.data_lo, bounds_.data_hi};
}

std::optional<cie_model::position> cie_model::position_of(double w) const {
  if (!(bounds_.data_lo <= w && w <= bounds_.data_hi)) return std::nullopt;
  const ext m = (ext{w} - start_) / step_;
  // m >= 0 (w is at or above the data's start): its floor is its whole part.
  const std::size_t node = std::min(detail::whole_part(m), nodes_ - 2);
  return position{node, m - static_cast<ext>(node)};
}

chromaticity cie_model::locus_chromaticity(double w) const {
  const auto p = position_of(w);
  if (!p) return {nan, nan};
  const ext X = x_[p->interval](p->t);
  const ext Y = y_[p->interval](p->t);
  const ext Z = z_[p->interval](p->t);
  const ext S = (X + Y) + Z;
  return {static_cast<double>(X / S), static_cast<double>(Y / S)};
}

tristimulus cie_model::cumulative_tristimulus(double lambda) const {
  if (std::isnan(lambda)) return {nan, nan, nan};
  if (lambda <= start_) return {0, 0, 0};
  if (lambda >= bounds_.data_hi) return full_;
  const position p = *position_of(lambda);
  const band_integral& b = integrals_[p.interval];
  return {integral_at(b.X, p.t), integral_at(b.Y, p.t), integral_at(b.Z, p.t)};
}

double cie_model::colour_moment(const tristimulus& t) const {
  const tristimulus relative{static_cast<double>(relative_[0] * t.X),
                             static_cast<double>(relative_[1] * t.Y),
                             static_cast<double>(relative_[2] * t.Z)};
  return colour::colour_moment(relative);
}

double cie_model::complementary_wavelength(double w) const {
  const chromaticity p = locus_chromaticity(w);
  return hue_->wavelength_toward(ext{white_.x} - p.x, ext{white_.y} - p.y);
}

double cie_model::dominant_wavelength(double x, double y) const {
  return hue_->wavelength_toward(ext{x} - white_.x, ext{y} - white_.y);
}

std::optional<wavelength_pair> cie_model::compensative_wavelength(double lc, double l) const {
  const auto in_green_range = [&](double w) {
    return bounds_.green_lo <= w && w <= bounds_.green_hi;
  };
  if (in_green_range(lc) || in_green_range(l)) return std::nullopt;
  const double c = complementary_wavelength(lc);
  if (std::isnan(c)) return std::nullopt;
  const double floored = floor_to_thousandth(c);
  if (floored > lc) return wavelength_pair{lc, floored};
  return wavelength_pair{floored, lc};
}

// each(i, dx, dy, ways) for every chromaticity (x[i], y[i]) = white + (dx,
// dy), with the wavelengths both ways from the white, a block at a time: the
// hue inverse interleaves the Newton steps of a block's directions.
template <typename Each>
void cie_model::hues_both_ways(std::span<const double> x, std::span<const double> y,
                               Each each) const {
  constexpr std::size_t block = 16;
  std::array<ext, block> dx;
  std::array<ext, block> dy;
  std::array<locus_hue_inverse::both_ways, block> ways;
  for (std::size_t first = 0; first < x.size(); first += block) {
    const std::size_t n = std::min(block, x.size() - first);
    for (std::size_t i = 0; i < n; ++i) {
      dx[i] = ext{x[first + i]} - white_.x;
      dy[i] = ext{y[first + i]} - white_.y;
    }
    hue_->wavelengths_both_ways(std::span(dx).first(n), std::span(dy).first(n),
                                std::span(ways).first(n));
    for (std::size_t i = 0; i < n; ++i) each(first + i, dx[i], dy[i], ways[i]);
  }
}

hue_equal_pair cie_model::hue_equal_wavelengths(double x, double y) const {
  hue_equal_pair out;
  hue_equal_wavelengths(std::span(&x, 1), std::span(&y, 1), std::span(&out, 1));
  return out;
}

void cie_model::hue_equal_wavelengths(std::span<const double> x, std::span<const double> y,
                                      std::span<hue_equal_pair> out) const {
  hues_both_ways(x, y, [&](std::size_t i, long double, long double,
                           const locus_hue_inverse::both_ways& ways) {
    out[i] = hue_equal_of(ways.toward, ways.away);
  });
}

// l1, l2 from the wavelengths toward a colour (w) and away from it (wc).
hue_equal_pair cie_model::hue_equal_of(double w, double wc) {
  if (!std::isnan(w)) {
    const double l1 = floor_to_thousandth(w);
    // A dominant wavelength in the green range has a purple complement:
    // l2 = -l1 says so, as the built-in model prints it.
    return {l1, std::isnan(wc) ? -l1 : floor_to_thousandth(wc)};
  }
  // A purple: the complementary wavelength with a minus sign; no second one.
  if (std::isnan(wc)) return {nan, nan};
  return {-floor_to_thousandth(wc), nan};
}

std::optional<dominant_hue> cie_model::dominant(double x, double y) const {
  std::optional<dominant_hue> out;
  dominants(std::span(&x, 1), std::span(&y, 1), std::span(&out, 1));
  return out;
}

void cie_model::dominants(std::span<const double> x, std::span<const double> y,
                          std::span<std::optional<dominant_hue>> out) const {
  hues_both_ways(x, y, [&](std::size_t i, long double dx, long double dy,
                           const locus_hue_inverse::both_ways& ways) {
    out[i] = dominant_of(y[i], dx, dy, ways.toward, ways.away);
  });
}

// The construction from the white through (x, y) = white + (dx, dy), given
// the wavelengths toward the colour (w) and away from it (wc).
std::optional<dominant_hue> cie_model::dominant_of(double y, long double dx, long double dy,
                                                   double w, double wc) const {
  const double complementary = std::isnan(wc) ? nan : floor_to_thousandth(wc);
  chromaticity d{};  // the boundary point in the colour's direction
  double dominant_wl = nan;
  if (!std::isnan(w)) {
    d = locus_chromaticity(w);
    dominant_wl = floor_to_thousandth(w);
  } else if (!std::isnan(wc)) {
    d = hue_->purple_line_point(dx, dy);
    dominant_wl = -complementary;
  } else {
    // The white itself (inside), or no number (nowhere).
    return dominant_hue{nan, nan, nan, nan, dx == 0 && dy == 0};
  }
  // The coordinate with the larger difference gives the more precise ratio.
  const double excitation = static_cast<double>(
      std::fabs(dy) >= std::fabs(dx) ? dy / (ext{d.y} - white_.y) : dx / (ext{d.x} - white_.x));
  // The region inside the locus is star-shaped around the white (each hue
  // has one boundary point), so a colour beyond its boundary point lies
  // outside. A point of the locus itself may come out a rounding error
  // above 1: that is still the locus.
  if (!(excitation <= 1 + outside_tolerance) || !(y > 0)) {
    return dominant_hue{dominant_wl, complementary, nan, nan, false};
  }
  const double e = std::min(excitation, 1.0);
  const double colorimetric =
      std::clamp(static_cast<double>(ext{e} * d.y / y), 0.0, 1.0);
  return dominant_hue{dominant_wl, complementary, e, colorimetric, true};
}

pass_result cie_model::pass(double lc, double l) const { return detail::pass_of(*this, lc, l); }

void cie_model::passes(std::span<const double> lc, std::span<const double> l,
                       std::span<pass_result> out) const {
  detail::passes_of(*this, lc, l, out);
}

}  // namespace colour
