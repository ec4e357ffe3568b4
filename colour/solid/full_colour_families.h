// The full colours of the pigment construction, as four families of bands
// that join into one loop of hues around the white point:
//   band       [l, lc]           l from the blue end of the locus to the
//                                green range, lc its compensative wavelength
//   band_stop  all but [l, lc]   the same pairs
//   low_pass   [data start, t]   t across the green range (no compensative
//   high_pass  [t, data end]     wavelength there: a pass's end pigments)
// Neighbouring families meet where one ends and the next begins (the band
// of the blue end is the low-pass band of the green range's top, to within
// the data below the locus), so every hue has a full colour.
#pragma once

#include <array>

#include "colour/cie/cie_model.h"

namespace colour {

enum class full_colour_family { band, band_stop, low_pass, high_pass };

inline constexpr std::array<full_colour_family, 4> full_colour_families{
    full_colour_family::band, full_colour_family::band_stop, full_colour_family::low_pass,
    full_colour_family::high_pass};

struct family_member {
  double l;   // the band's ends, nm
  double lc;
  bool band_stop;  // the spectrum without [l, lc]
};

struct family_range {
  double lo;
  double hi;
};

// The parameter's range of a family.
family_range range_of(const cie_model& m, full_colour_family f);
// The member at parameter t of the range.
family_member member_of(const cie_model& m, full_colour_family f, double t);
// Its tristimulus values (the caller holds an exact_arithmetic scope).
tristimulus tristimulus_of(const cie_model& m, const family_member& member);

}  // namespace colour
