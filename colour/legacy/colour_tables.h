// The built-in colour data: three piecewise-cubic fits and the cumulative
// tristimulus table. Read-only; each value is the double nearest its decimal.
#pragma once

#include <array>

namespace colour::tables {

// One piece of a piecewise cubic: c0 + c1*v + c2*v^2 + c3*v^3 for lo <= v <= hi.
struct cubic_row {
  double lo;
  double hi;
  double c0;
  double c1;
  double c2;
  double c3;
};

struct cumulative_row {  // percent of the full-spectrum totals
  double X;
  double Y;
  double Z;
};

extern const std::array<cubic_row, 50> x_locus;
extern const std::array<cubic_row, 35> z_locus;
extern const std::array<cubic_row, 64> hue_to_wavelength;
extern const std::array<cumulative_row, 79> cumulative;

}  // namespace colour::tables
