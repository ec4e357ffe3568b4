#include "colour/solid/colour_standing.h"

#include <vector>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "colour/exact_arithmetic.h"
#include "colour/extended.h"
#include "colour/solid/full_colour_families.h"

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
  // The families of full colours join into one loop of hues: find the
  // member with the colour's hue, from the solid's grid of their hues.
  const ext target = standing.hue;
  const cie_model& m = solid.cie();
  for (std::size_t f = 0; f < full_colour_families.size(); ++f) {
    const full_colour_family family = full_colour_families[f];
    const family_range range = range_of(m, family);
    const std::vector<double>& hues = solid.family_hues(f);
    const auto parameter = [&](std::size_t i) {
      return ext{range.lo} + (ext{range.hi} - range.lo) * static_cast<ext>(i) /
                                 optimal_solid::family_samples;
    };
    const auto offset = [&](ext at) {
      return hue_offset(tristimulus_of(m, member_of(m, family, static_cast<double>(at))), target,
                        white);
    };
    for (std::size_t i = 1; i < hues.size(); ++i) {
      const ext prev = std::remainder(hues[i - 1] - target, ext{360});
      ext cur = std::remainder(hues[i] - target, ext{360});
      if (std::isnan(hues[i]) && !std::isnan(hues[i - 1])) {
        // The family's last member has no compensative wavelength (its l
        // reaches the green range): its hues run on to the joint with the
        // family that continues the loop, whose first hue lies near.
        for (std::size_t g = 0; g < full_colour_families.size(); ++g) {
          const ext first = solid.family_hues(g).front();
          if (g != f && std::fabs(std::remainder(first - hues[i - 1], ext{360})) < 30) {
            cur = std::remainder(first - target, ext{360});
          }
        }
      }
      // A change of sign that is no wrap-around at the opposite hue.
      if (!(std::fabs(cur - prev) < 90 && ((prev <= 0 && cur >= 0) || (prev >= 0 && cur <= 0)))) {
        continue;
      }
      // Bisection on t (a double: it ends where no double lies between).
      ext a = parameter(i - 1), c = parameter(i), fa = prev;
      for (int n = 0; n < 200; ++n) {
        const ext mid = a + (c - a) / 2;
        if (static_cast<double>(mid) == static_cast<double>(a) ||
            static_cast<double>(mid) == static_cast<double>(c)) {
          break;
        }
        const ext fm = offset(mid);
        if (std::isnan(fm)) {  // beyond the last member with a pair
          c = mid;
          continue;
        }
        if (std::fabs(fm) <= 1e-11L) {
          a = c = mid;
          break;
        }
        if ((fm < 0) == (fa < 0)) {
          a = mid;
          fa = fm;
        } else {
          c = mid;
        }
      }
      const family_member member = member_of(m, family, static_cast<double>(a));
      const tristimulus F = tristimulus_of(m, member);
      const tristimulus W = m.full_spectrum();
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
      out.l = member.l;
      out.lc = member.lc;
      out.band_stop = member.band_stop;
      out.F = F;
      out.c = static_cast<double>(c_content);
      out.w = static_cast<double>(w_content);
      out.s = static_cast<double>(1 - c_content - w_content);
      return out;
    }
  }
  out.status = full_colour_status::no_pair;
  return out;
}

}  // namespace colour
