// Points of the CIE 1931 (x, y) diagram taken from a colour model: the
// spectrum locus, the white point, the purple line and the full-colour ring.
#pragma once

#include <optional>
#include <vector>

#include "colour/colour_model.h"

namespace diagram {

struct xy_point {
  double x;
  double y;
};

// The model's white point (E = (1/3, 1/3) for the built-in tables).
xy_point white_point_of(const colour::model& m);

// Locus chromaticity at w nm, clamped to the model's locus (380..700 nm for
// the built-in tables), with no gaps: the model bridges gaps in its data.
xy_point spectral_locus_point(double w, const colour::model& m);

// The locus from its blue to its red end in `step` nm steps (both ends included).
std::vector<xy_point> spectral_locus(double step, const colour::model& m);

// Where the ray from the white point away from `from` (i.e. towards
// white - from) meets the purple line; nullopt when it misses it.
std::optional<xy_point> purple_line_hit_opposite(xy_point from,
                                                 const colour::model& m);

// The optimal colours of the dialogue's first pass for every whole nm of the
// locus (both pigments of each pass, middle or end path), ordered by their
// angle around the white point so that they close into a ring.
std::vector<xy_point> full_colour_ring(const colour::model& m);

}  // namespace diagram
