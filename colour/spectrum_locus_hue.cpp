#include "colour/spectrum_locus_hue.h"

#include <charconv>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

#include "colour/extended.h"

namespace colour {
namespace {

using detail::ext;

ext node_value(const std::vector<quintic>& q, std::size_t i) {
  return i < q.size() ? q[i].a[0] : q[i - 1](1);
}

// Newton steps stop once a step moves t by less than this (1e-14 of 5 nm is
// 5e-14 nm); a bracket narrower than it ends the search as well.
constexpr ext t_tolerance = 1e-14L;
constexpr int max_steps = 200;  // bisection alone needs about 50

std::string shortest_nm(double w) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, w).ptr;
  return std::string(text, end);
}

}  // namespace

spectrum_locus_hue::spectrum_locus_hue(const std::vector<quintic>& x, const std::vector<quintic>& y,
                                       const std::vector<quintic>& z, double start, double step,
                                       std::size_t blue, std::size_t red, chromaticity white)
    : start_(start), step_(step), blue_(blue), red_(red), white_(white) {
  const ext xw = white.x;
  const ext yw = white.y;
  p_.resize(red);
  q_.resize(red);
  for (std::size_t i = blue; i < red; ++i) {
    for (std::size_t k = 0; k < 6; ++k) {
      const ext s = (x[i].a[k] + y[i].a[k]) + z[i].a[k];
      p_[i].a[k] = x[i].a[k] - xw * s;
      q_[i].a[k] = y[i].a[k] - yw * s;
    }
  }
  const auto point = [&](std::size_t i) {
    const ext X = node_value(x, i), Y = node_value(y, i), Z = node_value(z, i);
    const ext S = (X + Y) + Z;
    return chromaticity{static_cast<double>(X / S), static_cast<double>(Y / S)};
  };
  blue_point_ = point(blue);
  red_point_ = point(red);
  ext rx = ((ext{blue_point_.x} + red_point_.x) / 2) - xw;
  ext ry = ((ext{blue_point_.y} + red_point_.y) / 2) - yw;
  const ext r = std::hypot(rx, ry);
  reference_cos_ = rx / r;
  reference_sin_ = ry / r;

  node_angles_.reserve(red - blue + 1);
  for (std::size_t i = blue; i <= red; ++i) {
    const chromaticity c = point(i);
    node_angles_.push_back(hue_angle(ext{c.x} - xw, ext{c.y} - yw));
  }
  for (std::size_t j = 1; j < node_angles_.size(); ++j) {
    if (!(node_angles_[j] < node_angles_[j - 1])) {
      const auto nm = [&](std::size_t i) {
        return shortest_nm(start + static_cast<double>(i) * step);
      };
      throw std::domain_error("the hue angle of the spectrum locus does not fall from " +
                              nm(blue + j - 1) + " nm to " + nm(blue + j) +
                              " nm: the data describe no spectrum locus around the white point");
    }
  }
  blue_angle_ = node_angles_.front();
  red_angle_ = node_angles_.back();
}

long double spectrum_locus_hue::hue_angle(long double dx, long double dy) const {
  if (!(std::isfinite(dx) && std::isfinite(dy)) || (dx == 0 && dy == 0)) return detail::nan;
  const ext across = reference_cos_ * dy - reference_sin_ * dx;
  const ext along = reference_cos_ * dx + reference_sin_ * dy;
  const ext a = std::atan2(across, along);
  return a < 0 ? a + 2 * std::numbers::pi_v<ext> : a;
}

long double spectrum_locus_hue::g(std::size_t i, long double dx, long double dy,
                                  long double t) const {
  return dy * p_[i](t) - dx * q_[i](t);
}

long double spectrum_locus_hue::g_slope(std::size_t i, long double dx, long double dy,
                                        long double t) const {
  return dy * p_[i].slope(t) - dx * q_[i].slope(t);
}

double spectrum_locus_hue::wavelength_toward(long double dx, long double dy) const {
  const ext a = hue_angle(dx, dy);
  if (!spectral(a)) return detail::nan;  // NaN fails too
  // The interval whose node angles bracket a (they fall).
  std::size_t lo = 0, hi = node_angles_.size() - 1;
  while (hi - lo > 1) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (node_angles_[mid] >= a) lo = mid; else hi = mid;
  }
  const std::size_t i = blue_ + lo;
  const ext span = node_angles_[lo] - node_angles_[lo + 1];
  ext t = (node_angles_[lo] - a) / span;

  // Bracketed Newton: [t_lo, t_hi] holds a sign change of g throughout.
  ext t_lo = 0, t_hi = 1;
  const ext g_lo = g(i, dx, dy, 0);
  const ext g_hi = g(i, dx, dy, 1);
  if (g_lo == 0) {
    t = 0;
  } else if (g_hi == 0) {
    t = 1;
  } else if ((g_lo < 0) == (g_hi < 0)) {
    // Only rounding at a node can get here: the nearer end is the answer.
    t = std::fabs(g_lo) <= std::fabs(g_hi) ? 0 : 1;
  } else {
    const bool rising = g_lo < 0;
    for (int n = 0; n < max_steps; ++n) {
      const ext value = g(i, dx, dy, t);
      if (value == 0) break;
      if ((value < 0) == rising) t_lo = t; else t_hi = t;
      const ext slope = g_slope(i, dx, dy, t);
      ext next = t - value / slope;
      if (!(t_lo < next && next < t_hi)) next = (t_lo + t_hi) / 2;  // Newton left the bracket
      const ext moved = std::fabs(next - t);
      t = next;
      if (moved < t_tolerance || t_hi - t_lo < t_tolerance) break;
    }
  }
  const ext node = ext{start_} + static_cast<ext>(i) * step_;
  return static_cast<double>(node + t * step_);
}

chromaticity spectrum_locus_hue::purple_line_point(long double dx, long double dy) const {
  const ext ex = ext{red_point_.x} - blue_point_.x;
  const ext ey = ext{red_point_.y} - blue_point_.y;
  const ext bx = ext{blue_point_.x} - white_.x;
  const ext by = ext{blue_point_.y} - white_.y;
  // W + s d = B + u e: s = (b x e) / (d x e).
  const ext s = (bx * ey - by * ex) / (dx * ey - dy * ex);
  return {static_cast<double>(white_.x + s * dx), static_cast<double>(white_.y + s * dy)};
}

}  // namespace colour
