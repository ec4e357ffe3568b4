// The built-in colour model: three piecewise-cubic fits (the spectrum locus's
// x and z shares, and the wavelength of a hue number) and a cumulative
// tristimulus table of the equal-energy spectrum from 380 to 770 nm, all
// around the equal-energy white point E. `legacy_model()` serves these through the model interface; the
// functions here are its steps, for its own tests and for whoever needs one
// step alone.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "colour/colour_model.h"
#include "colour/wavelength_floor.h"

namespace colour {

// The built-in tables behind the model interface.
const model& legacy_model();

}  // namespace colour

namespace colour::legacy {

// The three piecewise-cubic fits.
enum class cubic_table { x_locus, z_locus, hue_to_wavelength };

struct shares {  // chromaticity shares, x + y + z = 1 up to rounding
  double x;
  double y;
  double z;
};

// The cubic of the first row whose interval holds v (both bounds inclusive);
// NaN when no row holds v.
double piecewise_cubic(cubic_table table, double v);

// Locus shares at wavelength w: x and z from the fits, y = (1 - x) - z.
shares locus_chromaticity(double w);

// Reflection through the equal-energy white point: s -> (2 - 3s)/3.
shares complement_shares(double x, double y);

// Hue number 1..31 around the white point; NaN for shares that are no number.
double hue_number(const shares& s);

// Wavelength (nm) of a hue number, not rounded; NaN outside the table.
double wavelength_of_hue(double hue);

// floor(1000 v) / 1000: 489.99690594 -> 489.996 (shared by every model).
using colour::floor_to_thousandth;

// The partner of the working wavelength lc, given the previous partner l:
//   - lc or l above the red end (700 nm): the red end's own locus point is
//     the colour whose hue is looked up (not its complement);
//   - lc or l exactly 700: the complement of the red end;
//   - otherwise lc or l in the green range (493.885..569.671): none;
//   - otherwise the complement of lc's locus point.
// None also where the hue number leaves the spectral range (or is NaN).
// The result is the ordered pair of lc and the complement's wavelength,
// floored to 0.001 nm: (600, 0) -> (489.996, 600); (450, 0) -> (450, 571.209).
std::optional<wavelength_pair> compensative_wavelength(double lc, double l);

// Hue-equal wavelengths l1, l2 of a colour; NaN where a lookup has no row.
hue_equal_pair hue_equal_wavelengths(double x, double y);

// The same two steps for up to `max_lanes` entries at once (a pass's group
// asks for at most twice its lanes): out[i] is bit for bit the one-entry
// result for (lc[i], l[i]) or (x[i], y[i]). Each runs as a few loops over the
// entries, one per sub-step, so that the entries' x87 chains overlap; the
// one-entry forms above are the one-lane case.
inline constexpr std::size_t max_lanes = 16;
void compensative_wavelengths(std::span<const double> lc, std::span<const double> l,
                              std::span<std::optional<wavelength_pair>> out);
void hue_equal_wavelengths(std::span<const double> x, std::span<const double> y,
                           std::span<hue_equal_pair> out);

// T(lambda): cumulative tristimulus from 380 nm up to lambda (Bessel
// interpolation up to 760 nm, a linear rule above). No light below 380 nm:
// 0 -> (0, 0, 0), 382.154 -> (0.000781, 0.00000765, 0.003611) always; NaN -> NaNs.
tristimulus cumulative_tristimulus(double lambda);

tristimulus middle_pigment(double l, double lc);      // T(lc) - T(l)
tristimulus middle_gap_pigment(double l, double lc);  // (100 - T(lc)) + T(l)

// The whole spectrum: T at 770 nm.
inline constexpr tristimulus full_spectrum{100, 100, 100};

}  // namespace colour::legacy
