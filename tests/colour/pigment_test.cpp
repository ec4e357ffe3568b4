#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "colour/legacy/legacy_model.h"

namespace colour::legacy {
namespace {

struct pigment_case {
  const char* name;
  tristimulus t;
  tristimulus expected;
  double moment;
  chromaticity xy;
};

void expect_pigment(const pigment_case& c) {
  SCOPED_TRACE(c.name);
  EXPECT_NEAR(c.t.X, c.expected.X, 5e-7);
  EXPECT_NEAR(c.t.Y, c.expected.Y, 5e-7);
  EXPECT_NEAR(c.t.Z, c.expected.Z, 5e-7);
  EXPECT_EQ(colour_moment(c.t), c.moment);
  const chromaticity xy = chromaticity_xy(c.t);
  EXPECT_NEAR(xy.x, c.xy.x, 5e-7);
  EXPECT_NEAR(xy.y, c.xy.y, 5e-7);
}

TEST(Pigments, WorkedPairAndEndPigments) {
  const pigment_case cases[] = {
      {"middle (489.996, 600)", middle_pigment(489.996, 600), {45.676117, 78.254039, 7.434160}, 77.95,
       {0.347706, 0.595702}},
      {"middle-gap (489.996, 600)", middle_gap_pigment(489.996, 600), {54.323883, 21.745961, 92.565840},
       77.95, {0.322138, 0.128952}},
      {"short-end 537.2", short_end_pigment(537.2, colour::legacy_model()), {19.195987, 28.676370, 99.678214}, 71.63,
       {0.130098, 0.194349}},
      {"long-end 537.2", long_end_pigment(537.2, colour::legacy_model()), {80.804013, 71.323630, 0.321786}, 71.63,
       {0.530038, 0.467851}},
  };
  for (const pigment_case& c : cases) expect_pigment(c);
}

// Rounded to hundredths with ties to even (not truncated, not half-up).
TEST(ColourMoment, RoundsHundredthsHalfToEven) {
  struct moment_case {
    tristimulus t;
    double M;
  };
  const moment_case cases[] = {
      {{50, 50.125, 50.125}, 0.12},  // r = 0.125
      {{50, 50.375, 50.375}, 0.38},  // r = 0.375
      // r is the double just above 0.065 (below 0.075); a product 100 r rounded
      // to double lands on the tie and would give 0.06 (0.08)
      {{0, 0.065, 0.065}, 0.07},
      {{0, 0.075, 0.075}, 0.07},
      {{0, 0, 0}, 0},
      {{0, 100, 0}, 141.42},  // the largest for a triple within 0..100
      // beyond a 32-bit count of hundredths the moment stays a plain rounding
      {{0, 3e7, 3e7}, 3e7},
      {{0, INFINITY, 0}, INFINITY},
  };
  for (const moment_case& c : cases)
    EXPECT_EQ(colour_moment(c.t), c.M) << c.t.X << ' ' << c.t.Y << ' ' << c.t.Z;
  EXPECT_TRUE(std::isnan(colour_moment({std::numeric_limits<double>::quiet_NaN(), 0, 0})));
}

TEST(Chromaticity, TheScaleOfTheTripleDoesNotMatter) {
  // The sum of three values near the largest double overflows it, the sum of
  // subnormal ones loses digits; neither may change the quotients.
  const double third = 1.0 / 3.0;
  for (const double t : {1.0, 600.0, 1e308, 1e-310, std::numeric_limits<double>::denorm_min(),
                         -1e308}) {
    const chromaticity xy = chromaticity_xy({t, t, t});
    EXPECT_EQ(xy.x, third) << t;
    EXPECT_EQ(xy.y, third) << t;
  }
  // 3 t of a full 53-bit significand is rounded when stored, at any scale.
  EXPECT_NEAR(chromaticity_xy({DBL_MAX, DBL_MAX, DBL_MAX}).x, third, 1e-16);
  const chromaticity big = chromaticity_xy({1e308, 1e308, 0});
  EXPECT_EQ(big.x, 0.5);
  const chromaticity unreal = chromaticity_xy({2, 1, -2});  // a negative Z: sum 1
  EXPECT_EQ(unreal.x, 2.0);
  EXPECT_EQ(unreal.y, 1.0);
}

TEST(Chromaticity, ZeroTripleHasNoChromaticity) {
  const chromaticity xy = chromaticity_xy({0, 0, 0});
  EXPECT_TRUE(std::isnan(xy.x));
  EXPECT_TRUE(std::isnan(xy.y));
}

}  // namespace
}  // namespace colour::legacy
