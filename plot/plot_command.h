// `vollfarbe plot`: the CIE 1931 chromaticity diagram as SVG, PNG or PDF,
// optionally with what the dialogue computes for some wavelengths, the
// full-colour ring and the sRGB colours of the chromaticities.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <span>
#include <vector>

#include "colour/colour_model.h"

namespace plot {

struct plot_options {
  // Each entry a wavelength or a comma-separated list: "450", "450,600".
  std::vector<std::string> wavelengths;
  bool ring = false;                 // draw the full-colour ring
  bool fill = false;                 // fill the locus with sRGB colours
  std::optional<std::string> size;   // column, page (default), slide, <N>mm, <N>px
  std::string title;                 // a heading; none when empty
  std::optional<std::string> dpi;    // PNG resolution
  std::string output = "-";          // file name, "-" = SVG on stdout
  // Luminance factors "10,30,50,70,90": the figure of the MacAdam limits
  // at these Y instead of the diagram (plot/macadam_figure.h).
  std::string limits;
};

// Validates first (cli::usage_error: a bad number, a wavelength outside the
// model's range, a bad size, --dpi without PNG), then writes the figure:
// SVG, or PNG/PDF by the file name's ending. Returns 0, or 1 when the file
// cannot be rendered or written (the reason on stderr; a file that was there
// stays as it was). The models (at least one): the first draws the locus, the white point
// and the dialogue's passes; the others add their loci and white points.
int run_plot(const plot_options& options, std::span<const colour::model* const> models,
             std::FILE* out);

}  // namespace plot
