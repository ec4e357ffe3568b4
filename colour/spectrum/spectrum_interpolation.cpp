#include "colour/spectrum/spectrum_interpolation.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "colour/extended.h"

namespace colour {
namespace {

using detail::ext;

// Steps that differ by less than this share of the step are one grid
// (wavelengths printed with a few decimals).
constexpr double uniform_tolerance = 1e-9;
constexpr std::size_t sprague_nodes = 6;

bool uniform(const std::vector<double>& w) {
  if (w.size() < sprague_nodes) return false;
  const double step = w[1] - w[0];
  for (std::size_t i = 1; i + 1 < w.size(); ++i) {
    if (!(std::fabs((w[i + 1] - w[i]) - step) <= uniform_tolerance * step)) return false;
  }
  return step > 0;
}

void check(const sample_spectrum& s) {
  const std::string who = s.id.empty() ? "the spectrum" : "spectrum \"" + s.id + "\"";
  if (s.values.empty()) throw std::invalid_argument(who + " has no values");
  if (s.values.size() != s.wavelengths.size()) {
    throw std::invalid_argument(who + ": " + std::to_string(s.wavelengths.size()) +
                                " wavelengths for " + std::to_string(s.values.size()) + " values");
  }
  for (std::size_t i = 0; i < s.values.size(); ++i) {
    if (!std::isfinite(s.values[i]) || !std::isfinite(s.wavelengths[i])) {
      throw std::invalid_argument(who + ": no finite number at row " + std::to_string(i + 1));
    }
    if (i > 0 && s.wavelengths[i] < s.wavelengths[i - 1]) {
      throw std::invalid_argument(who + ": the wavelengths fall at row " + std::to_string(i + 1));
    }
    if (i > 1 && s.wavelengths[i] == s.wavelengths[i - 2]) {
      throw std::invalid_argument(who + ": a wavelength given three times at row " +
                                  std::to_string(i + 1));
    }
  }
}

}  // namespace

spectrum_function::spectrum_function(const sample_spectrum& s) {
  check(s);
  first_ = s.values.front();
  last_ = s.values.back();
  const std::vector<double>& w = s.wavelengths;
  if (uniform(w)) {
    const std::vector<quintic> q = sprague_quintics(s.values);
    for (std::size_t i = 0; i < q.size(); ++i) pieces_.push_back({w[i], w[i + 1], q[i]});
    return;
  }
  linear_ = w.size() > 1;
  for (std::size_t i = 0; i + 1 < w.size(); ++i) {
    const ext a = s.values[i];
    pieces_.push_back({w[i], w[i + 1], quintic{{a, ext{s.values[i + 1]} - a, 0, 0, 0, 0}}});
  }
}

long double spectrum_function::operator()(long double nm) const {
  if (pieces_.empty() || nm < pieces_.front().lo) return first_;
  if (nm > pieces_.back().hi) return last_;
  // The last piece starting at or below nm (a step's second value holds
  // from its wavelength on).
  const auto it = std::upper_bound(pieces_.begin(), pieces_.end(), nm,
                                   [](long double v, const piece& p) { return v < p.lo; });
  const piece& p = *(it - 1);
  if (!(p.hi > p.lo)) return p.f.a[0] + p.f.a[1];
  return p.f((nm - p.lo) / (ext{p.hi} - p.lo));
}

}  // namespace colour
