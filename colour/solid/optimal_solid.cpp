#include "colour/solid/optimal_solid.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "colour/exact_arithmetic.h"
#include "colour/extended.h"
#include "colour/solid/full_colour_families.h"
#include "colour/solid/quintic_crossings.h"

namespace colour {
namespace {

using detail::ext;
using solid_detail::crossing;

const cie_model& cie_of(const model& m) {
  const auto* c = dynamic_cast<const cie_model*>(&m);
  if (c == nullptr) {
    throw solid_model_error(
        "the optimal-colour solid needs colour-matching functions; the model '" +
        std::string(m.name()) +
        "' has only a cumulative table of the spectrum: choose a CIE observer (cie1931, cie1964) "
        "or --cmf FILE");
  }
  return *c;
}

// The integral terms c[1 + k] = a_k / (k + 1) (already normalised) back to
// the integrand's coefficients a_k.
std::array<ext, 6> integrand(const std::array<long double, 7>& c) {
  std::array<ext, 6> a{};
  for (std::size_t k = 0; k < 6; ++k) a[k] = c[k + 1] * static_cast<ext>(k + 1);
  return a;
}

// Power basis to Bernstein basis on [0, 1]: b_j = sum_k C(j, k) / C(5, k) a_k.
std::array<ext, 6> bernstein(const std::array<ext, 6>& a) {
  static constexpr int binomial[6][6] = {{1, 0, 0, 0, 0, 0},  {1, 1, 0, 0, 0, 0},
                                         {1, 2, 1, 0, 0, 0},  {1, 3, 3, 1, 0, 0},
                                         {1, 4, 6, 4, 1, 0},  {1, 5, 10, 10, 5, 1}};
  std::array<ext, 6> b{};
  for (std::size_t j = 0; j < 6; ++j) {
    ext s = 0;
    for (std::size_t k = 0; k <= j; ++k) s += a[k] * binomial[j][k] / binomial[5][k];
    b[j] = s;
  }
  return b;
}

ext dot(const vector3& a, const std::array<ext, 6>& x, const std::array<ext, 6>& y,
        const std::array<ext, 6>& z, std::size_t k) {
  return (a[0] * x[k] + a[1] * y[k]) + a[2] * z[k];
}

// The chromaticity tolerance below which the red tail counts as one colour.
constexpr ext tail_tolerance = 1e-6L;

}  // namespace

optimal_solid::optimal_solid(const model& m)
    : model_(m), cie_(cie_of(m)), start_(cie_.data_start()), step_(cie_.data_step()) {
  const exact_arithmetic scope;
  const auto& bands = cie_.band_integrals();
  quintics_.resize(bands.size());
  filter_.resize(bands.size());
  for (std::size_t i = 0; i < bands.size(); ++i) {
    quintics_[i] = {integrand(bands[i].X), integrand(bands[i].Y), integrand(bands[i].Z)};
    const auto bx = bernstein(quintics_[i][0]);
    const auto by = bernstein(quintics_[i][1]);
    const auto bz = bernstein(quintics_[i][2]);
    interval_filter& f = filter_[i];
    f.largest = 0;
    for (std::size_t k = 0; k < 6; ++k) {
      f.x[k] = static_cast<double>(bx[k]);
      f.y[k] = static_cast<double>(by[k]);
      f.z[k] = static_cast<double>(bz[k]);
      f.largest = std::max({f.largest, std::fabs(f.x[k]), std::fabs(f.y[k]), std::fabs(f.z[k])});
    }
  }
  node_values_.resize(bands.size() + 1);
  for (std::size_t i = 0; i < bands.size(); ++i) {
    node_values_[i] = {quintics_[i][0][0], quintics_[i][1][0], quintics_[i][2][0]};
  }
  const auto& last = quintics_.back();
  node_values_.back() = {solid_detail::value_at(last[0], 1), solid_detail::value_at(last[1], 1),
                         solid_detail::value_at(last[2], 1)};
  white_ = cumulative(bands.size() - 1, 1);
  for (const auto& q : quintics_) {
    for (std::size_t c = 0; c < 3; ++c) {
      bool zero = true;
      for (const ext a : q[c]) zero = zero && a == 0;
      flat_[c] = flat_[c] || zero;
    }
  }

  // The red tail: from the last node down, as long as the chromaticity of
  // the weighted functions at the nodes stays with the last node's (the
  // quintics between them wobble by a few 1e-6 next to the tail's start,
  // which is no place a transition could be fixed by either).
  const auto chroma = [](const vector3& v) {
    const ext s = v[0] + v[1] + v[2];
    return std::array<ext, 2>{v[0] / s, v[1] / s};
  };
  const auto end = chroma(node_values_.back());
  const auto same = [&](const vector3& v) {
    if (!(v[0] + v[1] + v[2] > 0)) return false;
    const auto c = chroma(v);
    return std::fabs(c[0] - end[0]) < tail_tolerance && std::fabs(c[1] - end[1]) < tail_tolerance;
  };
  red_tail_interval_ = bands.size();
  while (red_tail_interval_ > 0 && same(node_values_[red_tail_interval_ - 1])) --red_tail_interval_;
  red_tail_start_ = start_ + static_cast<double>(red_tail_interval_) * step_;

  const chromaticity w = m.white_point();
  for (std::size_t f = 0; f < full_colour_families.size(); ++f) {
    const family_range r = range_of(cie_, full_colour_families[f]);
    for (int i = 0; i <= family_samples; ++i) {
      const double t = static_cast<double>(ext{r.lo} + (ext{r.hi} - r.lo) * i / family_samples);
      const tristimulus c = tristimulus_of(cie_, member_of(cie_, full_colour_families[f], t));
      const ext sum = (ext{c.X} + c.Y) + c.Z;
      const ext h = std::atan2(c.Y / sum - w.y, c.X / sum - w.x) * 180 / std::numbers::pi_v<ext>;
      family_hues_[f].push_back(static_cast<double>(h < 0 ? h + 360 : h));
    }
  }
}

vector3 optimal_solid::cumulative(std::size_t i, long double t) const {
  const auto& b = cie_.band_integrals()[i];
  const auto at = [t](const std::array<long double, 7>& c) {
    ext v = c[6];
    for (std::size_t k = 6; k-- > 1;) v = v * t + c[k];
    return c[0] + t * v;
  };
  return {at(b.X), at(b.Y), at(b.Z)};
}

void optimal_solid::boundary_point(const vector3& n, support_point& out) const {
  out.edges.clear();
  out.curvature = {};
  out.in_red_tail = false;
  const auto in = [&](std::size_t node) {
    return n[0] * node_values_[node][0] + n[1] * node_values_[node][1] + n[2] * node_values_[node][2];
  };
  vector3 sum{0, 0, 0};
  std::array<crossing, 5> found;
  const double nx = static_cast<double>(n[0]), ny = static_cast<double>(n[1]),
               nz = static_cast<double>(n[2]);
  // The double sums below are within a few units in the last place of the
  // largest term; 1e-13 of it leaves a wide margin.
  const double rounding = 1e-13 * (std::fabs(nx) + std::fabs(ny) + std::fabs(nz));
  for (std::size_t i = 0; i < quintics_.size(); ++i) {
    const interval_filter& fl = filter_[i];
    double lowest = std::numeric_limits<double>::infinity(), highest = -lowest;
    for (std::size_t k = 0; k < 6; ++k) {
      const double b = nx * fl.x[k] + ny * fl.y[k] + nz * fl.z[k];
      lowest = std::min(lowest, b);
      highest = std::max(highest, b);
    }
    const double margin = rounding * fl.largest;
    if (lowest > margin || highest < -margin) continue;  // one sign all through
    const ext f0 = in(i), f1 = in(i + 1);
    {
      const auto& q = quintics_[i];
      std::array<ext, 6> f{};
      for (std::size_t k = 0; k < 6; ++k) f[k] = dot(n, q[0], q[1], q[2], k);
      const std::size_t count = solid_detail::quintic_crossings(f, f0, f1, found);
      for (std::size_t j = 0; j < count; ++j) {
        const ext t = found[j].t;
        const vector3 c = cumulative(i, t);
        for (std::size_t a = 0; a < 3; ++a) sum[a] += found[j].rising ? -c[a] : c[a];
        const vector3 v{solid_detail::value_at(q[0], t), solid_detail::value_at(q[1], t),
                        solid_detail::value_at(q[2], t)};
        const ext slope = std::fabs(solid_detail::slope_at(f, t));
        if (slope > 0) {
          for (std::size_t a = 0; a < 3; ++a)
            for (std::size_t b = 0; b < 3; ++b) out.curvature[a][b] += v[a] * v[b] / slope;
        }
        const double wavelength = static_cast<double>(ext{start_} + (static_cast<ext>(i) + t) * step_);
        out.edges.push_back({wavelength, found[j].rising, i, t});
        if (i >= red_tail_interval_) out.in_red_tail = true;
      }
    }
  }
  if (in(quintics_.size()) > 0) {
    for (std::size_t a = 0; a < 3; ++a) sum[a] += white_[a];
  }
  out.XYZ = sum;
}

vector3 optimal_solid::reflectance_XYZ(const std::vector<reflectance_edge>& edges) const {
  vector3 sum{0, 0, 0};
  for (const auto& e : edges) {
    const vector3 c = cumulative(e.interval, e.t);
    for (std::size_t a = 0; a < 3; ++a) sum[a] += e.rising ? -c[a] : c[a];
  }
  if (edges.empty() || !edges.back().rising) return sum;  // 0 at the end of the data
  for (std::size_t a = 0; a < 3; ++a) sum[a] += white_[a];
  return sum;
}

vector3 optimal_solid::weighted_at(double wavelength) const {
  const ext m = (ext{wavelength} - start_) / step_;
  ext node = std::floor(m);
  const ext last = static_cast<ext>(quintics_.size() - 1);
  if (node > last) node = last;
  if (node < 0) node = 0;
  const auto& q = quintics_[static_cast<std::size_t>(node)];
  const ext t = m - node;
  return {solid_detail::value_at(q[0], t), solid_detail::value_at(q[1], t),
          solid_detail::value_at(q[2], t)};
}

}  // namespace colour
