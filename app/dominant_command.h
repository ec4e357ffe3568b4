// `vollfarbe dominant`: the dominant and complementary wavelength, excitation
// purity and colorimetric purity of colours given by chromaticity (--xy x y),
// by tristimulus values (--XYZ X Y Z) or one a line on stdin ("-": two
// numbers a line are x y, three are X Y Z; blanks or commas between them).
//   x,y,dominant,complementary,excitation_purity,colorimetric_purity
//   0.35,0.6,553.512,-553.512...
// Wavelengths are floored to 0.001 nm as everywhere; a purple's dominant
// wavelength is its complementary one with a minus sign; the white point
// itself gives empty fields (null in JSON).
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "colour/colour_model.h"

namespace app {

struct dominant_options {
  std::vector<std::string> xy;   // two numbers
  std::vector<std::string> XYZ;  // three numbers
  bool from_stdin = false;
  std::string format = "csv";
};

// Validates everything first (cli::usage_error, nothing written), then
// writes the rows. Returns 0, or 1 when the output could not be written.
int run_dominant(const dominant_options& options, const colour::model& model, std::FILE* in,
                 std::FILE* out);

}  // namespace app
