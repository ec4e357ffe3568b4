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
// Full-colour content: XYZ = c F + w W with the full colour F, the ideal
// white W and black content s = 1 - c - w. F is the optimal colour of the
// pigment construction whose hue is the colour's: the band between a
// wavelength l and its compensative wavelength lc, or the spectrum without
// it; for hues that no pair reaches, a band from an end of the data into
// the green range, as a pass's end pigments (colour/solid/
// full_colour_families.h). The member comes from a search along the
// families (the compensative wavelength not floored). w < 0 where the
// colour is more saturated than its full colour (the limits at low Y reach
// beyond it); a colour outside the solid gets no decomposition.
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
  no_pair,      // no member of the construction has this hue (only rounding at a
                // family's joint can say so)
};

struct full_colour_content {
  full_colour_status status;
  double l;        // F's band l .. lc, nm (NaN unless found); l is the data's
  double lc;       // start or lc its end for a band from an end of the data
  bool band_stop;  // F is the spectrum without the band l .. lc
  tristimulus F;
  double c, w, s;
};

full_colour_content full_colour(const optimal_solid& solid, const tristimulus& colour);

}  // namespace colour
