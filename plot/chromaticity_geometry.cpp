#include "plot/chromaticity_geometry.h"

#include <algorithm>
#include <cmath>

#include "colour/colour_model.h"

namespace plot {
namespace {

bool finite(xy_point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

xy_point narrow_band_point(double w) {
  const auto xy = colour::chromaticity_xy(colour::middle_pigment(w - 0.5, w + 0.5));
  return {xy.x, xy.y};
}

}  // namespace

xy_point spectral_locus_point(double w) {
  w = std::clamp(w, locus_first_nm, locus_last_nm);
  const auto shares = colour::locus_chromaticity(w);
  const xy_point fitted{shares.x, shares.y};
  return finite(fitted) ? fitted : narrow_band_point(w);
}

std::vector<xy_point> spectral_locus(double step) {
  std::vector<xy_point> points;
  const auto n = static_cast<int>(std::lround((locus_last_nm - locus_first_nm) / step));
  for (int i = 0; i <= n; ++i) points.push_back(spectral_locus_point(locus_first_nm + i * step));
  return points;
}

std::optional<xy_point> purple_line_hit_opposite(xy_point from) {
  const xy_point a = spectral_locus_point(locus_first_nm);
  const xy_point b = spectral_locus_point(locus_last_nm);
  const xy_point d{white_point.x - from.x, white_point.y - from.y};
  const xy_point e{b.x - a.x, b.y - a.y};
  // Solve E + s*d = a + u*e for s > 0 and 0 <= u <= 1.
  const double det = d.x * (-e.y) - d.y * (-e.x);
  if (det == 0.0) return std::nullopt;
  const xy_point r{a.x - white_point.x, a.y - white_point.y};
  const double s = (r.x * (-e.y) - r.y * (-e.x)) / det;
  const double u = (d.x * r.y - d.y * r.x) / det;
  if (!(s > 0.0) || u < 0.0 || u > 1.0) return std::nullopt;
  return xy_point{white_point.x + s * d.x, white_point.y + s * d.y};
}

std::vector<xy_point> full_colour_ring() {
  std::vector<xy_point> ring;
  for (int nm = 380; nm <= 700; ++nm) {
    const auto pass = colour::compute_pass(nm, 0.0);
    for (const auto& pigment : {pass.first, pass.second}) {
      const xy_point p{pigment.xy.x, pigment.xy.y};
      if (finite(p)) ring.push_back(p);
    }
  }
  const auto angle = [](xy_point p) {
    return std::atan2(p.y - white_point.y, p.x - white_point.x);
  };
  std::sort(ring.begin(), ring.end(),
            [&](xy_point a, xy_point b) { return angle(a) < angle(b); });
  return ring;
}

}  // namespace plot
