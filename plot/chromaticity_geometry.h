// Points of the CIE 1931 (x, y) diagram taken from the colour model: the
// spectrum locus, the equal-energy white point, the purple line and the
// full-colour ring.
#pragma once

#include <optional>
#include <vector>

#include "colour/wavelength_bounds.h"

namespace plot {

struct xy_point {
  double x;
  double y;
};

inline constexpr double locus_first_nm = 380.0;
inline constexpr double locus_last_nm = 700.0;

// The wavelengths the model's tables cover (nm, both ends included): a pass
// for a wavelength outside them is an extrapolation, not a diagram.
inline constexpr double model_first_nm = colour::tables_lo;
inline constexpr double model_last_nm = colour::tables_hi;

// The equal-energy white point E = (1/3, 1/3).
inline constexpr xy_point white_point{1.0 / 3.0, 1.0 / 3.0};

// Locus chromaticity at w nm (clamped to 380..700). The locus fits have no
// rows from 495 to 565 nm; there (and wherever a fit has no row) the point is
// the chromaticity of the 1 nm band w - 0.5 .. w + 0.5 of the cumulative
// tristimulus table, which follows the locus closely.
xy_point spectral_locus_point(double w);

// The locus from 380 to 700 nm in `step` nm steps (both ends included).
std::vector<xy_point> spectral_locus(double step);

// Where the ray from E away from `from` (i.e. towards E - from) meets the
// purple line between 380 and 700 nm; nullopt when it misses it.
std::optional<xy_point> purple_line_hit_opposite(xy_point from);

// The optimal colours of the dialogue's first pass for every whole nm from
// 380 to 700 (both pigments of each pass, middle or end path), ordered by
// their angle around E so that they close into a ring.
std::vector<xy_point> full_colour_ring();

}  // namespace plot
