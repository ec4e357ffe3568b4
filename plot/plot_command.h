// `vollfarbe plot`: the CIE 1931 chromaticity diagram as SVG, optionally with
// what the dialogue computes for one wavelength and with the full-colour ring.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace plot {

struct plot_options {
  std::optional<std::string> wavelength;  // draw the dialogue's pass for it
  bool ring = false;                      // draw the full-colour ring
  std::string output = "-";               // file name, "-" = stdout
};

// Validates first (usage_error), then writes the SVG. Returns 0, or 1 when
// the file cannot be written (the reason on stderr; a file that was there
// stays as it was).
int run_plot(const plot_options& options, std::FILE* out);

}  // namespace plot
