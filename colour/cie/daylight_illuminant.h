// CIE daylight at any correlated colour temperature from 4,000 to 25,000 K,
// from the three daylight basis functions S0, S1, S2 (colord-data's
// ref/CIE-1986-daylight-SPD.cmf, 300 to 830 nm by 5 nm) and CIE 15's
// formulas for its chromaticity and weights:
//   x_D = -4.6070e9/T³ + 2.9678e6/T² + 0.09911e3/T + 0.244063   (4,000 .. 7,000 K)
//   x_D = -2.0064e9/T³ + 1.9018e6/T² + 0.24748e3/T + 0.237040   (7,000 .. 25,000 K)
//   y_D = -3.000 x_D² + 2.870 x_D - 0.275
//   M1 = (-1.3515 - 1.7703 x_D + 5.9114 y_D) / M
//   M2 = (0.0300 - 31.4424 x_D + 30.0717 y_D) / M,  M = 0.0241 + 0.2562 x_D - 0.7341 y_D
//   S(λ) = S0(λ) + M1 S1(λ) + M2 S2(λ)
// M1 and M2 are rounded to three decimals, as CIE 15 advises so that the
// tabulated D illuminants (D65 is T = 6504 K, D50 5003 K) are reproduced.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "colour/cgats_reader.h"
#include "colour/colour_model.h"

namespace colour {

inline constexpr double daylight_lowest_cct = 4000;
inline constexpr double daylight_highest_cct = 25000;

struct daylight_weights {
  chromaticity xy;  // x_D, y_D
  double m1;        // rounded to three decimals
  double m2;
};

// std::domain_error outside 4,000 .. 25,000 K.
daylight_weights daylight_weights_at(double cct);

// The daylight's relative power on the basis functions' grid (one set);
// std::invalid_argument when `basis` has fewer than three sets.
spectral_table daylight_spectrum(double cct, const spectral_table& basis);

// "D:6504" -> 6504; std::invalid_argument when the text after "D:" is no
// number in 4,000 .. 25,000.
double daylight_cct_of(std::string_view name);

}  // namespace colour
