// Where a colour stands in the optimal-colour solid.
//
// The limit ratio of (X, Y, Z): its distance from the white point in the
// chromaticity diagram over that of the MacAdam limit at the same Y and hue
// angle: below 1 inside the solid, 1 on its boundary, above 1 outside (no
// surface colour has it). Defined answers where there is no such limit:
//   - black (0, 0, 0): ratio 0, inside (the solid's lowest point);
//   - the white point's chromaticity at 0 < Y <= 100 (the ideal white at
//     Y = 100): ratio 0, inside;
//   - any other colour with Y <= 0, Y >= 100 or X + Y + Z <= 0: ratio
//     +infinity, outside.
// A negative X or Z (a chromaticity beyond the line x + y = 1, say) has a
// ratio like any other colour: above 1.
// A ratio up to 1 + 1e-9 counts as inside: the boundary's own points,
// computed, land within that.
//
// Full-colour content: XYZ = c F + w W with the full colour F (the optimal
// colour of the pigment construction: the band between a wavelength l and
// its compensative wavelength lc, or the spectrum without that band, whose
// hue is the colour's), the ideal white W and black content s = 1 - c - w.
// The pair comes from a search along l over the pairs the model has (the
// same construction as a pass's middle and middle-gap pigments, with the
// compensative wavelength not floored).
#pragma once

#include "colour/solid/macadam_limits.h"

namespace colour {

struct limit_standing {
  double ratio;  // >= 0; +infinity where no surface colour is
  bool inside;
  double hue;    // degrees; NaN where the colour has none (black, the white point)
};

// std::domain_error for a value that is not finite.
limit_standing limit_ratio(const optimal_solid& solid, const tristimulus& colour);

enum class full_colour_status {
  found,
  achromatic,   // at the white point: c = 0, w = Y / 100
  outside,      // outside the solid: no decomposition
  no_pair,      // no compensative pair gives a full colour of this hue
};

struct full_colour_content {
  full_colour_status status;
  double l;        // the pair, nm (NaN unless found)
  double lc;
  bool band_stop;  // F is the spectrum without the band l .. lc
  tristimulus F;
  double c, w, s;
};

full_colour_content full_colour(const optimal_solid& solid, const tristimulus& colour);

}  // namespace colour
