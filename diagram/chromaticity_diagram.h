// The CIE 1931 (x, y) chromaticity diagram as SVG: the spectrum locus closed
// by the purple line, wavelength ticks, the white point E, the axes and a
// legend; on request the dialogue's pass for one or more wavelengths (each
// in its own colour), the full-colour ring and a fill in the sRGB colours of
// the chromaticities. Laid out first (diagram_layout.h), then written.
#pragma once

#include <string>

#include "diagram/diagram_layout.h"

namespace diagram {

struct drawn_figure {
  std::string svg;
  std::string title;  // for a PDF's metadata
  double width = 0;   // drawing units (CSS px), for rendering
  double height = 0;
  diagram_layout layout;  // what is drawn where
};

drawn_figure draw_chromaticity_diagram(const diagram_request& request);

}  // namespace diagram
