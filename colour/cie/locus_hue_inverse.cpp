#include "colour/cie/locus_hue_inverse.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

#include "colour/extended.h"

namespace colour {
namespace {

using detail::ext;

// Newton steps stop once a step moves t by less than this (1e-14 of 5 nm is
// 5e-14 nm); a bracket narrower than it ends the search as well.
constexpr ext t_tolerance = 1e-14L;
constexpr int max_steps = 200;  // bisection alone needs about 50
// Steps per interval in the search for the locus ends (a turn of the hue
// narrower than a step could hide between two of them; the data have none).
constexpr std::size_t scan_points = 64;
// Every observer's hue falls steeply here: the search for the ends starts
// from this wavelength's interval.
constexpr double middle_wavelength = 540;

// Points per interval in the table of hue angles that starts the search.
constexpr std::size_t fine_points = 8;
// From a start out of that table Newton's error squares with every step: once
// a step moves t by less than this, what is left is of the order of its
// square times the curvature, far below 1e-14.
constexpr ext settled_step = 1e-7L;
constexpr int quick_steps = 4;
// Directions whose Newton steps run interleaved (each both ways: twice as
// many solves). Four ran the dominant wavelengths of a colour list fastest.
constexpr std::size_t directions_at_once = 4;

struct value_and_slope {
  ext value;
  ext slope;
};

value_and_slope evaluate(const quintic& f, ext t) {
  ext v = f.a[5];
  ext d = 0;
  for (int k = 4; k >= 0; --k) {
    d = d * t + v;
    v = v * t + f.a[static_cast<std::size_t>(k)];
  }
  return {v, d};
}

std::string shortest_nm(double w) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, w).ptr;
  return std::string(text, end);
}

}  // namespace

locus_hue_inverse::locus_hue_inverse(const std::vector<quintic>& x, const std::vector<quintic>& y,
                                       const std::vector<quintic>& z, double start, double step,
                                       chromaticity white)
    : start_(start), step_(step), white_(white) {
  const ext xw = white.x;
  const ext yw = white.y;
  const std::size_t intervals = x.size();
  p_.resize(intervals);
  q_.resize(intervals);
  for (std::size_t i = 0; i < intervals; ++i) {
    for (std::size_t k = 0; k < 6; ++k) {
      const ext s = (x[i].a[k] + y[i].a[k]) + z[i].a[k];
      p_[i].a[k] = x[i].a[k] - xw * s;
      q_[i].a[k] = y[i].a[k] - yw * s;
    }
  }
  // The interval around 540 nm, where every observer's hue falls steeply.
  const ext middle = std::floor((ext{middle_wavelength} - start) / step);
  find_ends(static_cast<std::size_t>(
      std::clamp<ext>(middle, 0, static_cast<ext>(intervals - 1))));

  const auto point = [&](place e) {
    const ext X = x[e.interval](e.t), Y = y[e.interval](e.t), Z = z[e.interval](e.t);
    const ext S = (X + Y) + Z;
    return chromaticity{static_cast<double>(X / S), static_cast<double>(Y / S)};
  };
  blue_point_ = point(blue_);
  red_point_ = point(red_);
  ext rx = ((ext{blue_point_.x} + red_point_.x) / 2) - xw;
  ext ry = ((ext{blue_point_.y} + red_point_.y) / 2) - yw;
  const ext r = std::hypot(rx, ry);
  reference_cos_ = rx / r;
  reference_sin_ = ry / r;
  blue_angle_ = hue_angle(ext{blue_point_.x} - xw, ext{blue_point_.y} - yw);
  red_angle_ = hue_angle(ext{red_point_.x} - xw, ext{red_point_.y} - yw);

  fine_angles_.reserve((red_.interval - blue_.interval + 1) * fine_points + 1);
  for (std::size_t i = blue_.interval; i <= red_.interval; ++i) {
    const ext lo = t_lo(i), width = t_hi(i) - lo;
    for (std::size_t j = 0; j < fine_points; ++j) {
      const ext t = lo + width * static_cast<ext>(j) / fine_points;
      const ext X = x[i](t), Y = y[i](t), Z = z[i](t);
      const ext S = (X + Y) + Z;
      fine_angles_.push_back(static_cast<double>(hue_angle(X / S - xw, Y / S - yw)));
    }
  }
  fine_angles_.front() = static_cast<double>(blue_angle_);
  fine_angles_.push_back(static_cast<double>(red_angle_));

  const std::size_t buckets = 4 * fine_angles_.size();
  bucket_scale_ = static_cast<ext>(buckets) / (blue_angle_ - red_angle_);
  bucket_start_.resize(buckets + 1);
  std::size_t k = 0;
  for (std::size_t b = 0; b <= buckets; ++b) {
    const ext upper = blue_angle_ - static_cast<ext>(b) / bucket_scale_;
    while (k + 2 < fine_angles_.size() && fine_angles_[k + 1] >= upper) ++k;
    bucket_start_[b] = k;
  }
}

// The hue angle's slope along interval i has the sign of p q' - q p'
// (negative where the hue falls toward the red end).
long double locus_hue_inverse::turn(std::size_t i, long double t) const {
  return p_[i](t) * q_[i].slope(t) - q_[i](t) * p_[i].slope(t);
}

void locus_hue_inverse::find_ends(std::size_t middle) {
  if (!(turn(middle, 0.5L) < 0)) {
    throw std::domain_error("the hue angle of the spectrum locus does not fall at " +
                            shortest_nm(wavelength_of({middle, 0.5L})) +
                            " nm: the data describe no spectrum locus around the white point");
  }
  // From the middle outward in steps of 1/scan_points of an interval, to the
  // first step whose far end no longer falls; its sign change by bisection.
  const auto cut = [&](place falling, place rising) {
    for (int n = 0; n < 80 && falling.t != rising.t; ++n) {
      const place mid{falling.interval, (falling.t + rising.t) / 2};
      if (mid.t == falling.t || mid.t == rising.t) break;
      (turn(mid.interval, mid.t) < 0 ? falling : rising) = mid;
    }
    return falling;
  };
  const std::size_t intervals = p_.size();
  blue_ = {0, 0};
  red_ = {intervals - 1, 1};
  bool found = false;
  for (std::size_t i = middle + 1; i-- > 0 && !found;) {
    for (std::size_t j = scan_points; j-- > 0;) {
      const ext t = static_cast<ext>(j) / scan_points;
      if (!(turn(i, t) < 0)) {
        blue_ = cut({i, static_cast<ext>(j + 1) / scan_points}, {i, t});
        found = true;
        break;
      }
    }
  }
  found = false;
  for (std::size_t i = middle; i < intervals && !found; ++i) {
    for (std::size_t j = 1; j <= scan_points; ++j) {
      const ext t = static_cast<ext>(j) / scan_points;
      if (!(turn(i, t) < 0)) {
        red_ = cut({i, static_cast<ext>(j - 1) / scan_points}, {i, t});
        found = true;
        break;
      }
    }
  }
}

double locus_hue_inverse::wavelength_of(place p) const {
  return static_cast<double>(ext{start_} + (static_cast<ext>(p.interval) + p.t) * step_);
}

long double locus_hue_inverse::hue_angle(long double dx, long double dy) const {
  if (!(std::isfinite(dx) && std::isfinite(dy)) || (dx == 0 && dy == 0)) return detail::nan;
  const ext across = reference_cos_ * dy - reference_sin_ * dx;
  const ext along = reference_cos_ * dx + reference_sin_ * dy;
  // A double's angle is plenty to pick the interval and start Newton there
  // (the wavelength comes from g, not from the angle), and the C library's
  // double atan2 costs a fraction of the x87 one.
  const double a = std::atan2(static_cast<double>(across), static_cast<double>(along));
  return a < 0 ? a + 2 * std::numbers::pi : a;
}

// Newton steps kept inside a bracket of a sign change, bisecting when a
// step would leave it: certain to converge, for the rare start that the
// quick steps do not settle from (a locus that wobbles near an end).
long double locus_hue_inverse::solve_bracketed(const quintic& f, long double t, long double lo,
                                               long double hi) const {
  const ext f_lo = f(lo);
  const ext f_hi = f(hi);
  if (f_lo == 0) return lo;
  if (f_hi == 0) return hi;
  // Only rounding at an end can give no sign change: the nearer end is the answer.
  if ((f_lo < 0) == (f_hi < 0)) return std::fabs(f_lo) <= std::fabs(f_hi) ? lo : hi;
  const bool rising = f_lo < 0;
  ext t_lo = lo, t_hi = hi;
  if (!(lo <= t && t <= hi)) t = (lo + hi) / 2;
  for (int n = 0; n < max_steps; ++n) {
    const value_and_slope v = evaluate(f, t);
    if (v.value == 0) break;
    if ((v.value < 0) == rising) t_lo = t; else t_hi = t;
    ext next = t - v.value / v.slope;
    if (!(t_lo < next && next < t_hi)) next = (t_lo + t_hi) / 2;  // Newton left the bracket
    const ext moved = std::fabs(next - t);
    t = next;
    if (moved < t_tolerance || t_hi - t_lo < t_tolerance) break;
  }
  return t;
}

locus_hue_inverse::both_ways locus_hue_inverse::wavelengths_both_ways(long double dx,
                                                                         long double dy) const {
  both_ways out;
  wavelengths_both_ways(std::span(&dx, 1), std::span(&dy, 1), std::span(&out, 1));
  return out;
}

void locus_hue_inverse::wavelengths_both_ways(std::span<const long double> dx,
                                              std::span<const long double> dy,
                                              std::span<both_ways> out) const {
  const ext pi = std::numbers::pi_v<ext>;
  std::array<solve, 2 * directions_at_once> solves;
  for (std::size_t first = 0; first < out.size(); first += directions_at_once) {
    const std::size_t n = std::min(directions_at_once, out.size() - first);
    for (std::size_t i = 0; i < n; ++i) {
      const ext x = dx[first + i], y = dy[first + i];
      const ext a = hue_angle(x, y);
      begin_solve(a, x, y, solves[2 * i]);
      begin_solve(a < pi ? a + pi : a - pi, -x, -y, solves[2 * i + 1]);
    }
    settle(std::span(solves).first(2 * n));
    for (std::size_t i = 0; i < n; ++i) {
      out[first + i] = {finish_solve(solves[2 * i]), finish_solve(solves[2 * i + 1])};
    }
  }
}

double locus_hue_inverse::wavelength_at(long double a, long double dx, long double dy) const {
  solve s;
  begin_solve(a, dx, dy, s);
  settle(std::span(&s, 1));
  return finish_solve(s);
}

// Into a solve given (not returned): its quintic is most of its bytes, and
// neither clearing nor copying them costs anything then.
void locus_hue_inverse::begin_solve(long double a, long double dx, long double dy,
                                    solve& s) const {
  s.on_locus = spectral(a);  // NaN fails too
  s.settled = false;
  if (!s.on_locus) return;
  // The table entry whose angles bracket a (they fall, but for a wobble):
  // its bucket's start, then a step or two on.
  // A degenerate locus (from a file) can make the position NaN or negative:
  // the first bucket then, and no conversion of what no integer holds.
  const ext position = (blue_angle_ - a) * bucket_scale_;
  const std::size_t last = bucket_start_.size() - 1;
  const std::size_t bucket = !(position >= 0) ? 0
                             : position < static_cast<ext>(last) ? detail::whole_part(position)
                                                                 : last;
  std::size_t lo = bucket_start_[bucket];
  while (lo + 2 < fine_angles_.size() && fine_angles_[lo + 1] >= a) ++lo;
  const std::size_t i = blue_.interval + lo / fine_points;
  const ext span = fine_angles_[lo] - fine_angles_[lo + 1];
  const ext part = span > 0 ? std::clamp<ext>((fine_angles_[lo] - a) / span, 0, 1) : 0.5L;
  s.interval = i;
  s.t0 = t_lo(i);
  s.t1 = t_hi(i);
  s.start = s.t0 + (s.t1 - s.t0) * (static_cast<ext>(lo % fine_points) + part) / fine_points;
  s.t = s.start;
  // g of the interval for the direction, written in place.
  for (std::size_t k = 0; k < 6; ++k) s.f.a[k] = dy * p_[i].a[k] - dx * q_[i].a[k];
}

void locus_hue_inverse::settle(std::span<solve> solves) {
  for (int n = 0; n < quick_steps; ++n) {
    for (solve& s : solves) {
      if (!s.on_locus || s.settled) continue;
      const value_and_slope v = evaluate(s.f, s.t);
      if (v.value == 0) {
        s.settled = true;
        continue;
      }
      const ext next = s.t - v.value / v.slope;
      s.settled = std::fabs(next - s.t) < settled_step;
      s.t = next;
    }
  }
}

double locus_hue_inverse::finish_solve(const solve& s) const {
  if (!s.on_locus) return detail::nan;
  ext t = s.t;
  if (!s.settled || !(s.t0 <= t && t <= s.t1)) t = solve_bracketed(s.f, s.start, s.t0, s.t1);
  const ext node = ext{start_} + static_cast<ext>(s.interval) * step_;
  return static_cast<double>(node + t * step_);
}

chromaticity locus_hue_inverse::purple_line_point(long double dx, long double dy) const {
  const ext ex = ext{red_point_.x} - blue_point_.x;
  const ext ey = ext{red_point_.y} - blue_point_.y;
  const ext bx = ext{blue_point_.x} - white_.x;
  const ext by = ext{blue_point_.y} - white_.y;
  // W + s d = B + u e: s = (b x e) / (d x e).
  const ext s = (bx * ey - by * ex) / (dx * ey - dy * ex);
  return {static_cast<double>(white_.x + s * dx), static_cast<double>(white_.y + s * dy)};
}

}  // namespace colour
