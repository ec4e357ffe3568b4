// The colour a chromaticity is drawn in when the diagram is filled: sRGB
// (IEC 61966-2-1) at the greatest brightness its hue allows.
//   1. XYZ = (x/y, 1, (1 - x - y)/y)
//   2. linear RGB = M XYZ with the standard matrix
//        [ 3.2406 -1.5372 -0.4986 ]
//        [-0.9689  1.8758  0.0415 ]
//        [ 0.0557 -0.2040  1.0570 ]
//   3. out of gamut (a component below 0): the same amount is added to all
//      three components until the smallest is 0, i.e. the colour moves
//      straight towards the sRGB white (D65) until it reaches the gamut's
//      edge; hue as sRGB shows it is kept, saturation is lost
//   4. scaled so that the largest component is 1 (no chromatic adaptation:
//      the equal-energy white E comes out slightly pink, as it should)
//   5. the sRGB curve: 12.92 c up to 0.0031308, else 1.055 c^(1/2.4) - 0.055,
//      rounded to 8 bits
//   D65 (0.3127, 0.3290) -> #ffffff; the red primary (0.64, 0.33) -> #ff0000
#pragma once

#include <cstdint>
#include <string>

namespace diagram {

struct srgb8 {
  std::uint8_t r;
  std::uint8_t g;
  std::uint8_t b;
};

srgb8 srgb_of_chromaticity(double x, double y);

// "#rrggbb".
std::string hex_colour(srgb8 c);

}  // namespace diagram
