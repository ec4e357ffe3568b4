// The textbook figure of the MacAdam limits: the chromaticity diagram with
// the spectrum locus, the white point and the limit locus of the model's
// optimal-colour solid at each luminance factor asked, each labelled with
// its Y where it crosses the ray from the white point towards 200°
// (cyan-blue, where the loci lie furthest apart).
#pragma once

#include <string>
#include <vector>

#include "colour/colour_model.h"
#include "diagram/chromaticity_diagram.h"
#include "diagram/figure_size.h"

namespace plot {

struct limits_request {
  const colour::model* model = nullptr;  // a CIE model (the built-in tables have no solid)
  std::vector<double> luminances;        // 0 < Y < 100
  diagram::figure_size size = diagram::figure_size_named("page");
  std::string title;
};

// colour::solid_model_error for the built-in tables; std::domain_error for a
// Y outside (0, 100).
diagram::drawn_figure draw_macadam_limits(const limits_request& request);

// "10,30,50,70,90" -> the luminances; cli::usage_error naming --limits for
// an item that is no number or lies outside 0 < Y < 100.
std::vector<double> limit_luminances(const std::string& list);

}  // namespace plot
