// The solid of all surface colours of a model: XYZ(R) = ∫ R S cmf over the
// data with 0 <= R <= 1. Its boundary point in a direction n of XYZ space
// (the support point) is the reflectance that is 1 exactly where
// n · (S cmf)(λ) > 0; its transitions are the sign changes of that function.
//
// The weighted functions are the model's Sprague quintics, so on every
// interval of the data grid n · (S cmf) is a quintic: its crossings are
// found exactly (colour/solid/quintic_crossings.h), and XYZ comes from the
// model's exact band integrals. What depends on the model only is computed
// once here: the quintics, their Bernstein coefficients (an interval whose
// six coefficients of n · (S cmf) share a sign has no crossing, which rules
// out most intervals with 18 multiplications) and the red tail.
//
// The red tail: above the wavelength where the weighted functions'
// chromaticity stops changing (to 1e-6 at the nodes; CIE 1931: 700 nm),
// for a direction n across that chromaticity any part of the tail is as
// good as any other: a boundary point there is well defined, but the place
// and number of its transitions in the tail are not.
//
// Only the CIE models have the quintics: the built-in tables are a
// cumulative table of the spectrum between 380 and 770 nm with no
// colour-matching functions behind it, so the solid refuses them
// (solid_model_error) rather than invent the functions.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include "colour/cie/cie_model.h"
#include "colour/colour_model.h"

namespace colour {

struct solid_model_error : std::invalid_argument {
  explicit solid_model_error(const std::string& message) : std::invalid_argument(message) {}
};

using vector3 = std::array<long double, 3>;
using matrix3 = std::array<vector3, 3>;

// One transition of a 0/1 reflectance.
struct reflectance_edge {
  double wavelength;  // nm
  bool rising;        // 0 below, 1 above
  std::size_t interval;
  long double t;      // its place in the interval, 0 .. 1
};

struct support_point {
  vector3 XYZ;
  std::vector<reflectance_edge> edges;  // ascending
  // d XYZ / d n: the sum over the transitions of v vᵀ / |n · v'|, v the
  // weighted functions there (symmetric, n in its null space).
  matrix3 curvature;
  bool in_red_tail;  // a transition lies in the red tail
};

class optimal_solid {
 public:
  // The model must outlive the solid. solid_model_error for a model without
  // colour-matching functions (the built-in tables).
  explicit optimal_solid(const model& m);

  const model& colour_model() const { return model_; }
  const cie_model& cie() const { return cie_; }
  vector3 white() const { return white_; }  // the full spectrum: Y = 100
  double red_tail_start() const { return red_tail_start_; }

  // The support point in direction n (any length but zero); out's vectors
  // keep their capacity between calls. The caller holds an exact_arithmetic
  // scope (colour/exact_arithmetic.h), as for the model's own members.
  void boundary_point(const vector3& n, support_point& out) const;

  // XYZ of a 0/1 reflectance given by its transitions (the first rising or
  // falling), from the exact band integrals.
  vector3 reflectance_XYZ(const std::vector<reflectance_edge>& edges) const;

  // The three weighted functions at a wavelength.
  vector3 weighted_at(double wavelength) const;

  // Whether the weighted function X (0) or Z (2) is zero over some interval:
  // then ±e_X (±e_Z) is the normal of a flat face of the solid, a set of
  // reflectances free where that function is zero (CIE 1964: z̄ = 0 above
  // 560 nm; CIE 1931: above 650 nm).
  bool has_flat_faces(std::size_t component) const { return flat_[component]; }

  // The hue angles (degrees around the white point) of each family of full
  // colours (colour/solid/full_colour_families.h) at 129 evenly spaced
  // points of its range: where the search for a full colour of a given hue
  // starts (colour/solid/colour_standing.h).
  static constexpr int family_samples = 128;
  const std::vector<double>& family_hues(std::size_t family) const { return family_hues_[family]; }

 private:
  vector3 cumulative(std::size_t interval, long double t) const;

  const model& model_;
  const cie_model& cie_;
  double start_;
  double step_;
  // Per interval, the weighted functions per unit t (integrating them over
  // t in [0, 1] gives the interval's XYZ).
  std::vector<std::array<std::array<long double, 6>, 3>> quintics_;
  // Their Bernstein coefficients in double, with the largest of them:
  // an interval whose n · (S cmf) coefficients, so computed, clear the
  // rounding bound all on one side has no crossing for certain; only the
  // others (a few per direction) need the long double search.
  struct interval_filter {
    std::array<double, 6> x, y, z;
    double largest;
  };
  std::vector<interval_filter> filter_;
  std::vector<vector3> node_values_;  // at the nodes, one more than intervals
  vector3 white_;
  std::array<bool, 3> flat_{};
  std::array<std::vector<double>, 4> family_hues_;
  double red_tail_start_;
  std::size_t red_tail_interval_;
};

}  // namespace colour
