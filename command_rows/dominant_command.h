// `vollfarbe dominant`: the dominant and complementary wavelength, excitation
// purity and colorimetric purity of colours given by chromaticity (--xy x y),
// by tristimulus values (--XYZ X Y Z) or one a line on stdin ("-": two
// numbers a line are x y, three are X Y Z; blanks or commas between them).
//   x,y,dominant,complementary,excitation_purity,colorimetric_purity
//   0.35,0.6,553.512,-553.512...
// Wavelengths are floored to 0.001 nm as everywhere; a purple's dominant
// wavelength is its complementary one with a minus sign; the white point
// itself gives empty fields (null in JSON). A model without purities (the
// built-in tables) gives the hue-equal wavelengths l1 and l2 of its own
// construction as the two wavelengths, with empty purity columns:
//   --observer legacy --xy 0.3477056641250473 0.5957024090487569 -> 556.84, ...
// A chromaticity outside the spectrum locus (or with y <= 0, or X + Y + Z
// <= 0) has inside_locus "no" and empty purities, and one warning on stderr
// counts such rows; with --strict it is a usage error at that colour (the
// rows before it stay complete). --white x,y takes the hues around a white
// point given as a chromaticity.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "colour/colour_model.h"

namespace dominant {

struct dominant_options {
  std::vector<std::string> xy;   // two numbers
  std::vector<std::string> XYZ;  // three numbers
  bool from_stdin = false;
  std::string format = "csv";
  bool strict = false;
  std::optional<std::string> white;  // "x,y": the white point for the hues
};

// Validates the options first (cli::usage_error, nothing written), then
// writes the rows; from stdin each row goes out before the next line is
// waited for, in memory bounded by a line. Returns 0, or 1 when the output
// could not be written.
int run_dominant(const dominant_options& options, const colour::model& model, std::FILE* in,
                 std::FILE* out);

}  // namespace dominant
