// The CIE 1931 (x, y) chromaticity diagram as SVG: the spectrum locus closed
// by the purple line, wavelength ticks, the white point E, the axes and a
// legend below them; on request the dialogue's pass for one or more
// wavelengths (each in its own colour), the full-colour ring and a fill in
// the sRGB colours of the chromaticities. Labels never overlap each other,
// and no label crosses a drawn line (grid lines aside, which labels cover
// with a white halo): `drawn_figure` says what was drawn, so that tests can
// check it.
#pragma once

#include <string>
#include <vector>

#include "colour/colour_model.h"
#include "plot/figure_size.h"
#include "plot/label_placer.h"

namespace plot {

struct diagram_request {
  const colour::model* model = nullptr;  // locus, white point, passes: always given
  // Further models whose loci (dashed, each its own dash) and white points
  // are drawn beside the first one's for comparison; the legend names each.
  std::vector<const colour::model*> compared;
  std::vector<double> wavelengths;  // the dialogue's first pass for each
  bool ring = false;
  bool fill = false;
  figure_size size = figure_size_named("page");
  std::string title;  // a heading above the diagram; none when empty
};

struct drawn_figure {
  std::string svg;
  std::string title;  // the heading, or what the figure shows when there is none
  double width = 0;   // drawing units (CSS px)
  double height = 0;
  std::vector<box> labels;   // every text, as measured with the assumed font metrics
  std::vector<box> markers;  // the points (white point, pigments, ends of lines)
  std::vector<segment> lines;  // every drawn line except the grid
  std::vector<int> tick_labels;  // the wavelengths (nm) whose tick got its number
  std::vector<std::string> omitted;  // labels that found no free place at all
};

drawn_figure draw_chromaticity_diagram(const diagram_request& request);

}  // namespace plot
