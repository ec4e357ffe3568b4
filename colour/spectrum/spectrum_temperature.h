// Correlated colour temperature and Duv of a light, as the CIE defines
// them: with the CIE 1931 observer whatever observer the colour itself is
// computed with, in the CIE 1960 (u, v) diagram.
//
// The Planckian locus: Planck's law with c2 = 1.4388e-2 m·K,
//   M(λ, T) ∝ λ^-5 / (exp(c2 / (λ T)) - 1),
// taken at the observer's nodes and integrated against it exactly like any
// emission spectrum (colour/spectrum/spectrum_colour.h). The CCT is the
// temperature of the locus point nearest the light's (u, v), found where
// the distance's derivative vanishes (to far better than 0.01 K from 1,000
// to 100,000 K); Duv the signed distance, positive above the locus.
#pragma once

#include "colour/cie/cie_model.h"
#include "colour/colour_model.h"

namespace colour {

inline constexpr double planck_c2 = 1.4388e-2;  // m·K
inline constexpr double lowest_cct = 1000;
inline constexpr double highest_cct = 100000;

struct colour_temperature {
  double cct;  // K; NaN when the nearest locus point lies outside 1,000 .. 100,000 K
  double duv;  // NaN with it
};

// Planck's spectral exitance at nm and kelvin, relative (the constant c1
// left out).
long double planck_radiance(long double nm, long double kelvin);

// The CIE 1960 (u, v) of the Planckian radiator at kelvin under the CIE 1931
// model `cie1931` (any illuminant: only its observer functions count).
chromaticity planck_uv(double kelvin, const cie_model& cie1931);

// The CCT and Duv of a light whose CIE 1931 tristimulus values are t.
colour_temperature correlated_colour_temperature(const tristimulus& t, const cie_model& cie1931);

}  // namespace colour
