#include "diagram/srgb_colour.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Worked values of the fill's colour: the sRGB white and primaries come out
// pure; E is faintly pink (no chromatic adaptation); spectral colours lie
// outside the gamut and are moved towards white until they reach its edge.
TEST(SrgbColour, WorkedChromaticities) {
  struct colour_case {
    double x, y;
    const char* hex;
  };
  for (const auto& c : {colour_case{0.3127, 0.3290, "#ffffff"},  // D65, the sRGB white
                        colour_case{0.64, 0.33, "#ff0000"},      // the primaries
                        colour_case{0.30, 0.60, "#00ff00"},
                        colour_case{0.15, 0.06, "#0000ff"},
                        colour_case{1.0 / 3, 1.0 / 3, "#ffe5e1"},  // E
                        colour_case{0.0743, 0.8338, "#00ffa8"}}) { // 520 nm, out of gamut
    EXPECT_EQ(diagram::hex_colour(diagram::srgb_of_chromaticity(c.x, c.y)), c.hex) << c.x << ", " << c.y;
  }
}

TEST(SrgbColour, NoNumberOrNoLightIsWhite) {
  for (const auto& [x, y] : {std::pair{0.3, 0.0}, std::pair{0.3, -0.1}, std::pair{0.0 / 0.0, 0.3}}) {
    EXPECT_EQ(diagram::hex_colour(diagram::srgb_of_chromaticity(x, y)), "#ffffff");
  }
}

}  // namespace
