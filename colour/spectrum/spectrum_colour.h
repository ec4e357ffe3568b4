// The colour of a sample spectrum under a CIE model.
//
// Exact (the default): on each piece of the merged grid (the model's nodes
// and the sample's) the sample's polynomial times the model's quintic is a
// polynomial of degree at most 10, which six-point Gauss-Legendre
// quadrature integrates exactly; over the model's whole range, the sample
// held at its end values beyond its own. A reflectance or transmittance R
// is lit by the model's illuminant S:
//   X = k ∫ R S x̄ dλ,  k = 100 / ∫ S ȳ dλ   (the model's white has Y = 100)
// with the model's own S x̄, S ȳ, S z̄ quintics, so that a 0/1 band gives the
// optimal colour of the model's band integrals. An emission spectrum E is
// the light itself: X = k ∫ E x̄ dλ with k = 100 / ∫ E ȳ dλ (Y = 100).
//
// cie15: CIE 15's summation at the 5 nm nodes from 380 to 780 nm,
//   X = k Σ R S x̄ Δλ,  k = 100 / Σ S ȳ Δλ
// with the sample's values at the nodes (interpolated there when its grid
// is another) and the model's functions at the nodes.
#pragma once

#include <array>
#include <memory>

#include "colour/cie/cie_model.h"
#include "colour/colour_model.h"
#include "colour/spectrum/spectrum_data.h"
#include "colour/spectrum/spectrum_interpolation.h"

namespace colour {

// ∫ f g_c dλ over the model's range for its three functions g_c: the
// illuminant-weighted ones (S x̄ ...) or the observer's own (x̄ ...); not
// normalised.
std::array<long double, 3> integrate_against(const spectrum_function& f, const cie_model& m,
                                             bool weighted);

// Σ f g_c at the 5 nm nodes from 380 to 780 nm (Δλ left out: it cancels).
std::array<long double, 3> sum_against(const spectrum_function& f, const cie_model& m,
                                       bool weighted);

// The tristimulus values of the sample (NaN for an emission with no light).
tristimulus spectrum_tristimulus(const spectrum_function& f, const cie_model& m,
                                 spectrum_kind kind, summation_method method);

// The model's white by the method: a reflectance of 1 everywhere.
tristimulus white_tristimulus(const cie_model& m, summation_method method);

// The model with its white point, and so the hues seen from it, by CIE 15's
// summation (the tristimulus values of its optimal colours stay the exact
// band integrals).
std::shared_ptr<const cie_model> with_summed_white(const cie_model& m);

// CIE 1960 UCS: u = 4X / (X + 15Y + 3Z), v = 6Y / (X + 15Y + 3Z); CIE 1976
// u' = u, v' = 1.5 v.
chromaticity uv_1960(const tristimulus& t);

}  // namespace colour
