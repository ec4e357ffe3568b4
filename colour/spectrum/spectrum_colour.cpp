#include "colour/spectrum/spectrum_colour.h"

#include <algorithm>
#include <cmath>

#include "colour/exact_arithmetic.h"
#include "colour/extended.h"

namespace colour {
namespace {

using detail::ext;
using detail::nan;

// Six-point Gauss-Legendre on [-1, 1]: exact for polynomials up to degree 11.
constexpr std::array<long double, 3> gauss_nodes{0.2386191860831969086305017216807119L,
                                                 0.6612093864662645136613995950199053L,
                                                 0.9324695142031520278123015544939946L};
constexpr std::array<long double, 3> gauss_weights{0.4679139345726910473898703439895510L,
                                                   0.3607615730481386075698335138377161L,
                                                   0.1713244923791703450402961421727329L};

// CIE 15's summation grid.
constexpr double cie15_first = 380;
constexpr double cie15_last = 780;
constexpr double cie15_step = 5;

const std::vector<quintic>& function_of(const cie_model& m, std::size_t c, bool weighted) {
  return weighted ? m.weighted_function(c) : m.observer_function(c);
}

// The model's function c at nm (0 outside its data).
ext model_value(const cie_model& m, std::size_t c, bool weighted, ext nm) {
  const std::vector<quintic>& q = function_of(m, c, weighted);
  const ext position = (nm - m.grid_start()) / m.grid_step();
  if (!(position >= 0 && position <= static_cast<ext>(q.size()))) return 0;
  ext node = std::floor(position);
  if (node > static_cast<ext>(q.size() - 1)) node = static_cast<ext>(q.size() - 1);
  return q[static_cast<std::size_t>(node)](position - node);
}

std::vector<double> breakpoints_of(const spectrum_function& f) {
  std::vector<double> out;
  for (const auto& p : f.pieces()) out.push_back(p.lo);
  if (!f.pieces().empty()) out.push_back(f.pieces().back().hi);
  return out;
}

}  // namespace

std::array<long double, 3> integrate_against(const spectrum_function& f, const cie_model& m,
                                             bool weighted) {
  const std::vector<double> breaks = breakpoints_of(f);
  const std::size_t intervals = m.weighted_function(0).size();
  const ext step = m.grid_step();
  std::array<long double, 3> total{0, 0, 0};
  std::vector<ext> cuts;
  for (std::size_t i = 0; i < intervals; ++i) {
    const ext a = ext{m.grid_start()} + static_cast<ext>(i) * step;
    const ext b = a + step;
    // The interval's pieces: between the sample's nodes inside it.
    cuts.assign(1, 0);
    for (auto it = std::upper_bound(breaks.begin(), breaks.end(), static_cast<double>(a));
         it != breaks.end() && *it < b; ++it) {
      const ext t = (ext{*it} - a) / step;
      if (t > cuts.back()) cuts.push_back(t);
    }
    cuts.push_back(1);
    std::array<ext, 3> interval{0, 0, 0};
    for (std::size_t j = 0; j + 1 < cuts.size(); ++j) {
      const ext mid = (cuts[j] + cuts[j + 1]) / 2, half = (cuts[j + 1] - cuts[j]) / 2;
      for (std::size_t k = 0; k < 6; ++k) {
        const ext t = k < 3 ? mid - half * gauss_nodes[k] : mid + half * gauss_nodes[k - 3];
        const ext w = half * gauss_weights[k % 3];
        const ext value = w * f(a + t * step);
        for (std::size_t c = 0; c < 3; ++c) interval[c] += value * function_of(m, c, weighted)[i](t);
      }
    }
    for (std::size_t c = 0; c < 3; ++c) total[c] += step * interval[c];
  }
  return total;
}

std::array<long double, 3> sum_against(const spectrum_function& f, const cie_model& m,
                                       bool weighted) {
  std::array<long double, 3> total{0, 0, 0};
  for (ext nm = cie15_first; nm <= cie15_last; nm += cie15_step) {
    const ext value = f(nm);
    for (std::size_t c = 0; c < 3; ++c) total[c] += value * model_value(m, c, weighted, nm);
  }
  return total;
}

tristimulus spectrum_tristimulus(const spectrum_function& f, const cie_model& m,
                                 spectrum_kind kind, summation_method method) {
  const bool lit = kind != spectrum_kind::emission;
  const auto integrals = [&](const spectrum_function& g) {
    return method == summation_method::exact ? integrate_against(g, m, lit)
                                             : sum_against(g, m, lit);
  };
  const std::array<long double, 3> raw = integrals(f);
  ext k = 0;
  if (!lit) {
    if (!(raw[1] > 0)) return {nan, nan, nan};
    k = ext{100} / raw[1];
  } else if (method == summation_method::exact) {
    k = m.white_scale();
  } else {
    const spectrum_function one(sample_spectrum{"", {380}, {1}});
    k = ext{100} / sum_against(one, m, true)[1];
  }
  return {static_cast<double>(k * raw[0]), static_cast<double>(k * raw[1]),
          static_cast<double>(k * raw[2])};
}

tristimulus white_tristimulus(const cie_model& m, summation_method method) {
  const spectrum_function one(sample_spectrum{"", {380}, {1}});
  return spectrum_tristimulus(one, m, spectrum_kind::reflectance, method);
}

std::shared_ptr<const cie_model> with_summed_white(const cie_model& m) {
  const exact_arithmetic scope;
  return std::make_shared<const cie_model>(
      m, chromaticity_xy(white_tristimulus(m, summation_method::cie15)));
}

chromaticity uv_1960(const tristimulus& t) {
  const ext d = (ext{t.X} + ext{15} * t.Y) + ext{3} * t.Z;
  return {static_cast<double>(ext{4} * t.X / d), static_cast<double>(ext{6} * t.Y / d)};
}

}  // namespace colour
