#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "colour/legacy/legacy_model.h"

namespace colour::legacy {
namespace {

struct triple_case {
  double lambda;
  tristimulus expected;
  double tolerance;  // 0: exact
};

void PrintTo(const triple_case& c, std::ostream* os) { *os << "lambda=" << c.lambda; }

class CumulativeTristimulus : public testing::TestWithParam<triple_case> {};

TEST_P(CumulativeTristimulus, MatchesTheWorkedTriple) {
  const triple_case& c = GetParam();
  const tristimulus t = cumulative_tristimulus(c.lambda);
  if (c.tolerance == 0) {
    EXPECT_EQ(t.X, c.expected.X);
    EXPECT_EQ(t.Y, c.expected.Y);
    EXPECT_EQ(t.Z, c.expected.Z);
  } else {
    EXPECT_NEAR(t.X, c.expected.X, c.tolerance);
    EXPECT_NEAR(t.Y, c.expected.Y, c.tolerance);
    EXPECT_NEAR(t.Z, c.expected.Z, c.tolerance);
  }
}

INSTANTIATE_TEST_SUITE_P(
    TablePath, CumulativeTristimulus,
    testing::Values(
        triple_case{380, {0, 0, 0}, 0},
        // a row is returned to within an ulp
        triple_case{600, {62.10213, 82.84793000000001, 99.99278}, 2e-14},
        triple_case{760, {99.99939999999999, 99.99996, 100}, 2e-14},
        // only the second differences act at t = 0.5
        triple_case{482.5, {16.036815, 3.2459675, 88.20150875}, 5e-14},
        triple_case{601.3, {63.355435, 83.583205, 99.993701}, 5e-7},
        triple_case{489.996, {16.426013, 4.593891, 92.558620}, 5e-7},
        triple_case{537.2, {19.195987, 28.676370, 99.678214}, 5e-7},
        // below 385 nm the row at 375 nm is zero, never a left-over row
        triple_case{382.154, {0.000781, 0.00000765, 0.003611}, 5e-7}));

// Above 760 nm: X on the straight line through 765 and 770 nm.
INSTANTIATE_TEST_SUITE_P(
    LinearRule, CumulativeTristimulus,
    testing::Values(triple_case{760.000001, {99.99960000004, 100, 100}, 2e-14},
                    triple_case{765, {99.9998, 100, 100}, 2e-14},
                    triple_case{770, {100, 100, 100}, 0},
                    triple_case{800, {100.0012, 100, 100}, 2e-14},
                    triple_case{INFINITY, {INFINITY, 100, 100}, 0}));

// No light below the start of the table, whatever the wavelength.
INSTANTIATE_TEST_SUITE_P(BelowTheTable, CumulativeTristimulus,
                         testing::Values(triple_case{379.998, {0, 0, 0}, 0}, triple_case{0, {0, 0, 0}, 0},
                                         triple_case{-1e300, {0, 0, 0}, 0},
                                         triple_case{-INFINITY, {0, 0, 0}, 0}));

TEST(CumulativeTristimulusState, NoValueDependsOnEarlierCalls) {
  const tristimulus fresh = cumulative_tristimulus(382.154);
  cumulative_tristimulus(600);  // would leave row 43 behind in a remembered slot
  const tristimulus after = cumulative_tristimulus(382.154);
  EXPECT_EQ(after.X, fresh.X);
  EXPECT_EQ(after.Y, fresh.Y);
  EXPECT_EQ(after.Z, fresh.Z);
}

TEST(CumulativeTristimulusState, NaNGivesNaN) {
  const tristimulus t = cumulative_tristimulus(std::numeric_limits<double>::quiet_NaN());
  EXPECT_TRUE(std::isnan(t.X));
  EXPECT_TRUE(std::isnan(t.Y));
  EXPECT_TRUE(std::isnan(t.Z));
}

// Continuity at the rows: just below row i the cubic approaches row i.
TEST(CumulativeTristimulusState, ContinuousAtEveryRow) {
  for (int i = 1; i <= 76; ++i) {
    const double at = 380 + 5.0 * i;
    const tristimulus below = cumulative_tristimulus(at - 1e-9);
    const tristimulus on = cumulative_tristimulus(at);
    EXPECT_NEAR(below.X, on.X, 1e-7) << at;
    EXPECT_NEAR(below.Y, on.Y, 1e-7) << at;
    EXPECT_NEAR(below.Z, on.Z, 1e-7) << at;
  }
}

}  // namespace
}  // namespace colour::legacy
