#include "diagram/chromaticity_geometry.h"

#include <algorithm>
#include <cmath>

namespace diagram {
namespace {

bool finite(xy_point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

xy_point white_point_of(const colour::model& m) {
  const colour::chromaticity w = m.white_point();
  return {w.x, w.y};
}

xy_point spectral_locus_point(double w, const colour::model& m) {
  const auto& b = m.bounds();
  const colour::chromaticity p = m.drawn_locus_point(std::clamp(w, b.locus_blue_end, b.locus_red_end));
  return {p.x, p.y};
}

std::vector<xy_point> spectral_locus(double step, const colour::model& m) {
  const auto& b = m.bounds();
  std::vector<xy_point> points;
  const auto n = static_cast<int>(std::lround((b.locus_red_end - b.locus_blue_end) / step));
  for (int i = 0; i <= n; ++i) points.push_back(spectral_locus_point(b.locus_blue_end + i * step, m));
  return points;
}

std::optional<xy_point> purple_line_hit_opposite(xy_point from, const colour::model& m) {
  const xy_point a = spectral_locus_point(m.bounds().locus_blue_end, m);
  const xy_point b = spectral_locus_point(m.bounds().locus_red_end, m);
  const xy_point white = white_point_of(m);
  const xy_point d{white.x - from.x, white.y - from.y};
  const xy_point e{b.x - a.x, b.y - a.y};
  // Solve white + s*d = a + u*e for s > 0 and 0 <= u <= 1.
  const double det = d.x * (-e.y) - d.y * (-e.x);
  if (det == 0.0) return std::nullopt;
  const xy_point r{a.x - white.x, a.y - white.y};
  const double s = (r.x * (-e.y) - r.y * (-e.x)) / det;
  const double u = (d.x * r.y - d.y * r.x) / det;
  if (!(s > 0.0) || u < 0.0 || u > 1.0) return std::nullopt;
  return xy_point{white.x + s * d.x, white.y + s * d.y};
}

std::vector<xy_point> full_colour_ring(const colour::model& m) {
  const auto& b = m.bounds();
  const auto first = static_cast<int>(std::ceil(b.locus_blue_end));
  const auto last = static_cast<int>(std::floor(b.locus_red_end));
  std::vector<xy_point> ring;
  for (int nm = first; nm <= last; ++nm) {
    const auto pass = colour::compute_pass(nm, 0.0, m);
    for (const auto& pigment : {pass.first, pass.second}) {
      const xy_point p{pigment.xy.x, pigment.xy.y};
      if (finite(p)) ring.push_back(p);
    }
  }
  const xy_point white = white_point_of(m);
  const auto angle = [&](xy_point p) { return std::atan2(p.y - white.y, p.x - white.x); };
  std::sort(ring.begin(), ring.end(), [&](xy_point p, xy_point q) { return angle(p) < angle(q); });
  return ring;
}

}  // namespace diagram
