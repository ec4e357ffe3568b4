// The chromaticity diagram's layout written as one self-contained SVG: a
// style sheet sized from the figure's text, then the axes, the fill, the
// loci, the constructions, the ticks, the points, the labels and the legend,
// each in a group of its own (id="spectrum-locus", "dialogue-pass-1", ...).
#pragma once

#include <string>

#include "diagram/diagram_layout.h"

namespace diagram {

std::string diagram_svg(const diagram_layout& layout);

}  // namespace diagram
