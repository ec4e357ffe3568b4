#include "colour/solid/optimal_solid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "colour/exact_arithmetic.h"
#include "colour/legacy/legacy_model.h"
#include "colour/solid/macadam_limits.h"
#include "colour/solid/quintic_crossings.h"
#include "tests/solid/solid_models.h"

namespace colour {
namespace {

using solid_detail::crossing;
using solid_detail::quintic_crossings;
using test_support::solid_of;

// The monic polynomial with these roots, as a0 .. a5 (padded with zeros).
std::array<long double, 6> with_roots(std::initializer_list<long double> roots) {
  std::array<long double, 6> p{1, 0, 0, 0, 0, 0};
  for (const long double r : roots) {  // p (t - r), from the top down
    for (std::size_t k = 5; k > 0; --k) p[k] = p[k - 1] - r * p[k];
    p[0] = -r * p[0];
  }
  return p;
}

struct crossing_case {
  const char* what;
  std::initializer_list<long double> roots;
  std::vector<long double> expected;
};

TEST(QuinticCrossings, FindsEveryCrossingAndNoTouchingZero) {
  exact_arithmetic scope;
  for (const crossing_case& c : {
           crossing_case{"five in one interval", {0.1L, 0.3L, 0.5L, 0.7L, 0.9L}, {0.1L, 0.3L, 0.5L, 0.7L, 0.9L}},
           // Equal values at both ends: no sign change at the nodes betrays them.
           crossing_case{"two close together", {0.5L, 0.5L + 1e-7L, 2, 3}, {0.5L, 0.5L + 1e-7L}},
           crossing_case{"a dip to within 1e-12 of zero", {0.4L, 0.4L, 3}, {}},
           crossing_case{"a triple root crosses", {0.6L, 0.6L, 0.6L}, {0.6L}},
           crossing_case{"outside the interval", {-0.5L, 1.5L}, {}},
       }) {
    auto f = with_roots(c.roots);
    if (c.expected.empty() && c.roots.size() == 3) f[0] -= 1e-12L;  // below zero throughout
    std::array<crossing, 5> found;
    const std::size_t n = quintic_crossings(f, solid_detail::value_at(f, 0), solid_detail::value_at(f, 1), found);
    ASSERT_EQ(n, c.expected.size()) << c.what;
    for (std::size_t i = 0; i < n; ++i) {
      EXPECT_NEAR(static_cast<double>(found[i].t), static_cast<double>(c.expected[i]), 1e-6) << c.what;
      // Rising where the function leaves zero upwards: its sign halfway to
      // the next crossing (or to the end) says.
      const long double next = i + 1 < n ? found[i + 1].t : 1;
      EXPECT_EQ(found[i].rising, solid_detail::value_at(f, (found[i].t + next) / 2) > 0) << c.what;
    }
  }
}

TEST(OptimalSolid, RefusesTheBuiltInTablesByName) {
  exact_arithmetic scope;
  try {
    optimal_solid s(legacy_model());
    FAIL() << "the built-in tables have no colour-matching functions";
  } catch (const solid_model_error& e) {
    EXPECT_NE(std::string(e.what()).find("colour-matching functions"), std::string::npos) << e.what();
  }
}

// n · XYZ of the best 0/1 reflectance on a grid of `step` nm: 1 in every
// cell whose n-weighted integral is positive (from the model's own T).
long double best_on_grid(const optimal_solid& s, const vector3& n, double step) {
  const model& m = s.colour_model();
  long double best = 0;
  tristimulus a = m.cumulative_tristimulus(m.bounds().data_lo);
  for (double w = m.bounds().data_lo + step; w <= m.bounds().data_hi + step / 2; w += step) {
    const tristimulus b = m.cumulative_tristimulus(std::fmin(w, m.bounds().data_hi));
    const long double cell = n[0] * (static_cast<long double>(b.X) - a.X) +
                             n[1] * (static_cast<long double>(b.Y) - a.Y) +
                             n[2] * (static_cast<long double>(b.Z) - a.Z);
    if (cell > 0) best += cell;
    a = b;
  }
  return best;
}

TEST(OptimalSolid, SupportPointIsTheBestReflectanceAndItsTransitionsAreZeros) {
  exact_arithmetic scope;
  const optimal_solid& s = solid_of("cie1931", "C");
  // Directions of a plain band, a band-stop and the limit of C at Y = 10,
  // h = 0, whose reflectance has eight transitions.
  std::vector<vector3> directions{{0.3L, 0.5L, -0.8L}, {-0.6L, 0.1L, 0.4L}};
  const limit_point red = macadam_limit(s, 10, 0);
  directions.push_back({std::cos(red.psi) * std::cos(red.phi), std::sin(red.psi),
                        std::cos(red.psi) * std::sin(red.phi)});
  support_point p;
  for (const vector3& n : directions) {
    s.boundary_point(n, p);
    ASSERT_FALSE(p.edges.empty());
    for (const reflectance_edge& e : p.edges) {
      const auto v = s.weighted_at(e.wavelength);
      const long double f = n[0] * v[0] + n[1] * v[1] + n[2] * v[2];
      const long double scale = std::fabs(n[0] * v[0]) + std::fabs(n[1] * v[1]) + std::fabs(n[2] * v[2]);
      EXPECT_LE(std::fabs(f), 1e-12L * scale) << e.wavelength;
      // 1e-9 nm either side, the function has the sign the edge says.
      const auto before = s.weighted_at(e.wavelength - 1e-6);
      EXPECT_EQ(n[0] * before[0] + n[1] * before[1] + n[2] * before[2] > 0, !e.rising) << e.wavelength;
    }
    const long double support = n[0] * p.XYZ[0] + n[1] * p.XYZ[1] + n[2] * p.XYZ[2];
    const long double grid = best_on_grid(s, n, 0.1);
    EXPECT_LE(grid, support + 1e-9L) << "a 0.1 nm reflectance beats the support point";
    EXPECT_GT(grid, support - 1e-3L * std::fabs(support)) << "the grid comes close";
  }
}

TEST(OptimalSolid, Cie1931HasLimitsWithMoreThanTwoTransitions) {
  exact_arithmetic scope;
  // Illuminant C, Y = 10, h = 0: eight transitions in the long waves.
  const limit_point p = macadam_limit(solid_of("cie1931", "C"), 10, 0);
  ASSERT_EQ(p.transitions.size(), 8u);
  EXPECT_TRUE(p.count_defined);
  EXPECT_NEAR(p.transitions.front(), 588.56, 0.005);
  EXPECT_NEAR(p.transitions.back(), 654.17, 0.005);
  // In its direction n it beats every band-pass and band-stop colour (on a
  // 0.1 nm grid) by more than 5 %: n · XYZ over the best of them.
  const optimal_solid& s = solid_of("cie1931", "C");
  const vector3 n{std::cos(p.psi) * std::cos(p.phi), std::sin(p.psi),
                  std::cos(p.psi) * std::sin(p.phi)};
  const model& m = s.colour_model();
  long double lowest = 0, highest = 0, best_band = 0, least_band = 0, at = 0;
  for (int i = 0; i <= 4700; ++i) {
    const tristimulus t = m.cumulative_tristimulus(360 + i / 10.0);
    at = n[0] * t.X + n[1] * t.Y + n[2] * t.Z;
    best_band = std::max(best_band, at - lowest);
    least_band = std::min(least_band, at - highest);
    lowest = std::min(lowest, at);
    highest = std::max(highest, at);
  }
  const long double two_transitions = std::max(best_band, at - least_band);
  const long double optimal = n[0] * p.XYZ.X + n[1] * p.XYZ.Y + n[2] * p.XYZ.Z;
  EXPECT_GT(optimal, 1.05L * two_transitions);
}

TEST(OptimalSolid, TransitionsInTheRedTailLeaveTheCountOpen) {
  exact_arithmetic scope;
  const optimal_solid& s = solid_of("cie1931", "C");
  EXPECT_EQ(s.red_tail_start(), 700);
  // Next to the corner of the section at Y = 20, hue 226.25°: the point is
  // where it is, but its transitions above 700 nm could be others.
  const limit_point corner = macadam_limit(s, 20, 226.25);
  EXPECT_FALSE(corner.count_defined);
  EXPECT_FALSE(corner.on_face);
  EXPECT_GT(corner.transitions.back(), 700);
  const limit_point beside = macadam_limit(s, 20, 226);
  EXPECT_TRUE(beside.count_defined);
  EXPECT_EQ(beside.transitions.size(), 2u);
  // CIE 1964's functions change chromaticity to the end: no tail.
  EXPECT_EQ(solid_of("cie1964", "D65").red_tail_start(), 830);
}

}  // namespace
}  // namespace colour
