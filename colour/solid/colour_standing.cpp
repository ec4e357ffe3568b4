#include "colour/solid/colour_standing.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "colour/exact_arithmetic.h"
#include "colour/extended.h"

namespace colour {
namespace {

using detail::ext;
using detail::nan;

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr ext inside_tolerance = 1e-9L;

void check_finite(const tristimulus& t) {
  if (!(std::isfinite(t.X) && std::isfinite(t.Y) && std::isfinite(t.Z))) {
    throw std::domain_error("tristimulus values must be finite numbers");
  }
}

struct placed {
  bool defined;  // false: black, the white point, or no surface colour at all
  limit_standing standing;
  ext x, y;
};

// The colour's chromaticity, or the defined answer that needs none.
placed place(const optimal_solid& solid, const tristimulus& t) {
  const chromaticity white = solid.colour_model().white_point();
  const limit_standing none{infinity, false, nan};
  if (t.X == 0 && t.Y == 0 && t.Z == 0) return {false, {0, true, nan}, 0, 0};
  const ext sum = (ext{t.X} + t.Y) + t.Z;
  if (!(sum > 0) || t.Y > 100) return {false, none, 0, 0};
  const ext x = t.X / sum, y = t.Y / sum;
  const bool at_white = std::fabs(x - white.x) <= 1e-15L && std::fabs(y - white.y) <= 1e-15L;
  if (at_white && t.Y > 0) return {false, {0, true, nan}, x, y};
  if (t.Y <= 0 || t.Y >= 100) return {false, none, x, y};
  return {true, {}, x, y};
}

}  // namespace

limit_standing limit_ratio(const optimal_solid& solid, const tristimulus& t) {
  const exact_arithmetic scope;
  check_finite(t);
  const placed p = place(solid, t);
  if (!p.defined) return p.standing;
  const chromaticity white = solid.colour_model().white_point();
  const ext hue = hue_angle_degrees(p.x, p.y, white);
  const limit_point limit = macadam_limit(solid, t.Y, static_cast<double>(hue));
  const ext distance = std::hypot(p.x - white.x, p.y - white.y);
  const ext limit_distance = std::hypot(ext{limit.xy.x} - white.x, ext{limit.xy.y} - white.y);
  const ext ratio = distance / limit_distance;
  return {static_cast<double>(ratio), ratio <= 1 + inside_tolerance, static_cast<double>(hue)};
}

namespace {

struct pair_colour {
  double l, lc;
  tristimulus band;  // T(lc) - T(l)
};

pair_colour band_of(const optimal_solid& solid, ext l) {
  const double lw = static_cast<double>(l);
  const double lc = solid.cie().complementary_wavelength(lw);
  const tristimulus a = solid.colour_model().cumulative_tristimulus(lw);
  const tristimulus b = solid.colour_model().cumulative_tristimulus(lc);
  return {lw, lc, {b.X - a.X, b.Y - a.Y, b.Z - a.Z}};
}

tristimulus gap_of(const optimal_solid& solid, const tristimulus& band) {
  const tristimulus w = solid.colour_model().full_spectrum();
  return {w.X - band.X, w.Y - band.Y, w.Z - band.Z};
}

// The hue difference of a pigment from the target, in (-180, 180].
ext hue_offset(const tristimulus& f, ext target, chromaticity white) {
  const ext sum = (ext{f.X} + f.Y) + f.Z;
  const ext h = hue_angle_degrees(f.X / sum, f.Y / sum, white);
  return std::remainder(h - target, ext{360});
}

}  // namespace

full_colour_content full_colour(const optimal_solid& solid, const tristimulus& t) {
  const exact_arithmetic scope;
  check_finite(t);
  full_colour_content out{full_colour_status::outside, nan, nan, false, {nan, nan, nan}, nan, nan, nan};
  const limit_standing standing = limit_ratio(solid, t);
  if (!standing.inside) return out;
  const chromaticity white = solid.colour_model().white_point();
  if (std::isnan(standing.hue)) {  // black or the white point
    out.status = full_colour_status::achromatic;
    out.c = 0;
    out.w = t.Y / 100;
    out.s = static_cast<double>(1 - ext{out.w});
    return out;
  }
  // l runs over the short side of the pairs, from the blue end of the
  // locus to the green range; the solid keeps their hues on a grid.
  const ext target = standing.hue;
  const std::vector<pair_hue>& grid = solid.pair_hues();
  for (int family = 0; family < 2; ++family) {
    const bool stop = family == 1;
    const auto offset = [&](ext l) {
      const pair_colour p = band_of(solid, l);
      return hue_offset(stop ? gap_of(solid, p.band) : p.band, target, white);
    };
    const auto grid_offset = [&](const pair_hue& g) {
      return std::remainder(ext{stop ? g.band_stop : g.band} - target, ext{360});
    };
    for (std::size_t i = 1; i < grid.size(); ++i) {
      const ext prev_l = grid[i - 1].l, l = grid[i].l;
      const ext prev = grid_offset(grid[i - 1]), cur = grid_offset(grid[i]);
      // A change of sign that is no wrap-around at the opposite hue.
      if (std::fabs(cur - prev) < 90 && ((prev <= 0 && cur >= 0) || (prev >= 0 && cur <= 0))) {
        ext a = prev_l, c = l, fa = prev;
        for (int n = 0; n < 200; ++n) {
          const ext m = a + (c - a) / 2;
          if (static_cast<double>(m) == static_cast<double>(a) ||
              static_cast<double>(m) == static_cast<double>(c)) {
            break;  // l is a double: no nearer one
          }
          const ext fm = offset(m);
          if (std::fabs(fm) <= 1e-11L) {
            a = c = m;
            break;
          }
          if ((fm < 0) == (fa < 0)) {
            a = m;
            fa = fm;
          } else {
            c = m;
          }
        }
        const pair_colour p = band_of(solid, a);
        const tristimulus F = stop ? gap_of(solid, p.band) : p.band;
        const tristimulus W = solid.colour_model().full_spectrum();
        // XYZ = c F + w W, least squares over the three equations (the
        // colour lies in the plane of F and W up to rounding).
        const ext ff = ext{F.X} * F.X + ext{F.Y} * F.Y + ext{F.Z} * F.Z;
        const ext fw = ext{F.X} * W.X + ext{F.Y} * W.Y + ext{F.Z} * W.Z;
        const ext ww = ext{W.X} * W.X + ext{W.Y} * W.Y + ext{W.Z} * W.Z;
        const ext ft = ext{F.X} * t.X + ext{F.Y} * t.Y + ext{F.Z} * t.Z;
        const ext wt = ext{W.X} * t.X + ext{W.Y} * t.Y + ext{W.Z} * t.Z;
        const ext det = ff * ww - fw * fw;
        const ext c_content = (ft * ww - fw * wt) / det;
        const ext w_content = (ff * wt - fw * ft) / det;
        out.status = full_colour_status::found;
        out.l = p.l;
        out.lc = p.lc;
        out.band_stop = stop;
        out.F = F;
        out.c = static_cast<double>(c_content);
        out.w = static_cast<double>(w_content);
        out.s = static_cast<double>(1 - c_content - w_content);
        return out;
      }
    }
  }
  out.status = full_colour_status::no_pair;
  return out;
}

}  // namespace colour
