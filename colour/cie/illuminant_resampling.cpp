#include "colour/cie/illuminant_resampling.h"

#include <cmath>

#include "colour/extended.h"

namespace colour {

std::vector<double> resample_illuminant(const spectral_table& illuminant,
                                        const spectral_table& grid) {
  using detail::ext;
  const std::vector<double>& s = illuminant.sets.front();
  const ext step = illuminant.step_nm();
  std::vector<double> out(grid.bands);
  for (std::size_t i = 0; i < grid.bands; ++i) {
    const double w = grid.wavelength(i);
    ext position = (ext{w} - illuminant.start_nm) / step;
    // A node of both grids, off by the rounding of a grid step like 5.2 nm,
    // takes the illuminant's value as it is.
    if (const ext nearest = std::nearbyint(position); std::fabs(position - nearest) < 1e-9L) {
      position = nearest;
    }
    if (position <= 0) {
      out[i] = s.front();
    } else if (position >= static_cast<ext>(s.size() - 1)) {
      out[i] = s.back();
    } else {
      const ext node = std::floor(position);
      const auto k = static_cast<std::size_t>(node);
      const ext t = position - node;
      // A node of the illuminant's grid takes its value exactly.
      out[i] = t == 0 ? s[k] : static_cast<double>(s[k] + t * (ext{s[k + 1]} - s[k]));
    }
  }
  return out;
}

}  // namespace colour
