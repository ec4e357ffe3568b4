// The SVG of the CIE 1931 chromaticity diagram: the spectrum locus closed by
// the purple line, wavelength ticks, the white point E and the axes; on
// request the dialogue's pass for one wavelength and the full-colour ring.
#pragma once

#include <optional>
#include <string>

namespace plot {

struct diagram_request {
  std::optional<double> wavelength;
  bool ring = false;
};

std::string chromaticity_diagram_svg(const diagram_request& request);

}  // namespace plot
