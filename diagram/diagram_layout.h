// What the chromaticity diagram shows and where, in drawing units (CSS px,
// y down), before any SVG is written: the locus, the white points, the
// dialogue's constructions, the ticks, the markers, every label with its box
// and leader, the axes and the legend. Laying out is pure (no output), so
// that tests can inspect the figure; diagram_svg.h turns a layout into SVG.
// Labels never overlap each other, and no label crosses a drawn line (grid
// lines aside, which labels cover with a white halo).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "colour/colour_model.h"
#include "diagram/figure_size.h"
#include "diagram/label_placer.h"
#include "diagram/rich_text.h"
#include "diagram/svg_canvas.h"

namespace diagram {

// Passes are told apart by colour, the styles c0, c1, ... in turn.
inline constexpr int construction_colour_count = 6;

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

// A text of one style on one baseline, with the box it takes.
struct placed_text {
  px_point baseline;
  rich_text text;
  text_anchor anchor = text_anchor::start;
  std::string style;
  double font = 0;  // the size the runs are set in (for subscripts)
  box bounds;
};

// A label placed for a point: lines of text from the box's top, and a leader
// line from near the point when the label had to move away from it.
struct point_label {
  box bounds;
  std::vector<rich_text> lines;
  std::string style;
  double font = 0;
  std::optional<segment> leader;
};

struct marker {
  px_point centre;
  double radius;
  std::string style;  // the white point, a compared white point, a pass's point
  box bounds() const;
};

// One step of the axes: its grid line, its tick outside the frame and its
// number (x along the bottom, y along the left).
struct axis_mark {
  segment grid;
  segment tick;
  placed_text number;
};

struct wavelength_tick {
  int nm;
  segment mark;     // from the locus outwards
  px_point normal;  // the locus's outward normal there
};

// One dialogue pass: the compensative pair (solid) and the hue-equal lines
// (dashed), drawn in the pass's colour.
struct construction_lines {
  std::vector<segment> pair;
  std::vector<std::vector<px_point>> hue;
};

struct compared_locus {
  std::string model_name;
  std::vector<px_point> points;  // closed by the purple line
};

struct legend_entry {
  segment sample;
  std::string sample_style;
  placed_text text;
};

// The sRGB picture under the locus: one pixel per drawing unit from
// `top_left`; the pixel at (column, row) shows the chromaticity
// (column / scale, y_top - row / scale).
struct fill_picture {
  px_point top_left;
  int columns;
  int rows;
  double scale;
  double y_top;
};

struct diagram_layout {
  figure_size size;
  double width = 0;
  double height = 0;
  std::string title;  // the heading, or what the figure shows when there is none
  std::optional<placed_text> heading;
  std::vector<axis_mark> axis_marks;
  std::vector<px_point> frame;  // the corners of the axes' box
  std::vector<placed_text> axis_names;
  std::optional<fill_picture> fill;
  std::vector<px_point> locus;  // blue end to red end; the purple line closes it
  std::vector<compared_locus> compared;
  std::vector<px_point> ring;  // closed; empty when not asked for
  std::vector<construction_lines> constructions;
  std::vector<wavelength_tick> ticks;
  std::vector<marker> markers;
  std::vector<point_label> labels;
  std::vector<legend_entry> legend;
  std::vector<int> numbered_ticks;  // the wavelengths (nm) whose tick got its number
  std::vector<std::string> omitted;  // labels that found no free place at all
  // Every line a label must keep clear of (locus, purple line, frame,
  // constructions, ring, wavelength ticks, leaders).
  std::vector<segment> obstacles;

  // Every text's box (heading, axis numbers and names, labels, legend).
  std::vector<box> text_boxes() const;
  std::vector<box> marker_boxes() const;
  // Every drawn line except the grid.
  std::vector<segment> drawn_lines() const;
};

diagram_layout lay_out_chromaticity_diagram(const diagram_request& request);

}  // namespace diagram
