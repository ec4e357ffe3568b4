// The colour model: spectrum locus, hue numbers, compensative and hue-equal
// wavelengths, and the optimal colours ("Vollfarben") bounded by a pair of
// wavelengths. Pure functions over read-only built-in tables.
//
// Arithmetic: every formula is evaluated with long double (x87, 64-bit
// significand) intermediates in the order written; every named result is
// stored as double. Lookups that find no table row give NaN.
#pragma once

#include <limits>
#include <optional>

static_assert(std::numeric_limits<long double>::digits == 64,
              "exact results need x86-64's extended long double (64-bit significand)");

namespace colour {

// The three piecewise-cubic fits.
enum class cubic_table { x_locus, z_locus, hue_to_wavelength };

struct shares {  // chromaticity shares, x + y + z = 1 up to rounding
  double x;
  double y;
  double z;
};

struct tristimulus {  // percent of the full-spectrum totals
  double X;
  double Y;
  double Z;
};

struct chromaticity {
  double x;
  double y;
};

struct wavelength_pair {  // l <= lc
  double l;
  double lc;
};

struct hue_equal_pair {
  double l1;
  double l2;
};

// --- spectrum locus, hue number, hue-equal wavelength ---------------------

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

// floor(1000 v) / 1000: 489.99690594 -> 489.996.
double floor_to_thousandth(double v);

// None for the green range and wherever the hue number leaves the spectral
// range (or is NaN); otherwise the ordered pair (l, lc).
std::optional<wavelength_pair> compensative_wavelength(double lc, double l);

// Hue-equal wavelengths l1, l2 of a colour; NaN where a lookup has no row.
hue_equal_pair hue_equal_wavelengths(double x, double y);

// --- optimal colours from the cumulative table -----------------------------

// T(lambda): cumulative tristimulus from 380 nm up to lambda (Bessel
// interpolation up to 760 nm, a linear rule above). No light below 380 nm:
// 0 -> (0, 0, 0), 382.154 -> (0.000781, 0.00000765, 0.003611) always; NaN -> NaNs.
tristimulus cumulative_tristimulus(double lambda);

tristimulus middle_pigment(double l, double lc);                      // T(lc) - T(l)
tristimulus middle_pigment(const tristimulus& t_l, const tristimulus& t_lc);
tristimulus middle_gap_pigment(double l, double lc);                  // (100 - T(lc)) + T(l)
tristimulus middle_gap_pigment(const tristimulus& t_l, const tristimulus& t_lc);
tristimulus short_end_pigment(double lambda);                         // T(lambda)
tristimulus long_end_pigment(double lambda);                          // 100 - T(lambda)
tristimulus long_end_pigment(const tristimulus& t_lambda);

// sqrt((Y - X)^2 + (Y - Z)^2) rounded to hundredths, ties to even, with no
// limit on the count: r = 0.125 -> 0.12, 0.375 -> 0.38, infinite r -> infinity.
double colour_moment(const tristimulus& t);

// x = X / (X + Y + Z), y = Y / (X + Y + Z).
chromaticity chromaticity_xy(const tristimulus& t);

// --- one pass of the calculator ---------------------------------------------

// A pigment with what is printed about it.
struct pigment {
  tristimulus t;
  double moment;
  chromaticity xy;
};

pigment describe_pigment(const tristimulus& t);

// Everything one pass computes for the working wavelength lc and partner l.
// Middle path: first = middle pigment, second = middle-gap pigment,
// hue_equal_first = hue-equal wavelengths of the middle pigment,
// hue_equal_second = NaN pair. End path (no compensative wavelength): l and lc
// unchanged, first = short-end, second = long-end pigment of lc, and the
// hue-equal wavelengths of each.
struct pass_result {
  bool middle_path;
  double l;
  double lc;
  pigment first;
  pigment second;
  hue_equal_pair hue_equal_first;
  hue_equal_pair hue_equal_second;
};

pass_result compute_pass(double lc, double l);

}  // namespace colour
