#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "colour/legacy/legacy_model.h"

namespace colour::legacy {
namespace {

const double nan = std::numeric_limits<double>::quiet_NaN();

struct hue_case {
  double x;
  double y;
  double l1;
  double l2;  // NaN: no row for the partner
};

void expect_pair(const hue_case& c) {
  const hue_equal_pair got = hue_equal_wavelengths(c.x, c.y);
  EXPECT_EQ(got.l1, c.l1) << c.x << ", " << c.y;
  if (std::isnan(c.l2))
    EXPECT_TRUE(std::isnan(got.l2)) << c.x << ", " << c.y << " got " << got.l2;
  else
    EXPECT_EQ(got.l2, c.l2) << c.x << ", " << c.y;
}

TEST(HueEqualWavelengths, WorkedColours) {
  const hue_case cases[] = {
      // middle pigment of (489.996, 600): inside the green partner range, l2 = -l1
      {0.3477056641250473, 0.5957024090487569, 556.84, -556.84},
      // middle pigment of (493.648, 650): l1 above 569.672, the partner is looked up
      {0.4440205778632139, 0.5226600771688106, 571.686, 454.617},
      // purple, middle pigment of (699.999, 710): l1 from the complement, negative,
      // floored before the sign (not -493.925); its own hue has no row
      {0.7362077063302604, 0.2637922936697396, -493.924, nan},
  };
  for (const hue_case& c : cases) expect_pair(c);
}

// A colour with no chromaticity (all-zero triple) still answers two numbers.
TEST(HueEqualWavelengths, NoNumberGivesTwoNaNs) {
  const hue_equal_pair got = hue_equal_wavelengths(nan, nan);
  EXPECT_TRUE(std::isnan(got.l1));
  EXPECT_TRUE(std::isnan(got.l2));
}

// The purple test starts at 3.653, not at the table's first bound
// 3.65299990773201; both ends of the range are looked up directly.
TEST(HueEqualWavelengths, SpectralRangeBounds) {
  struct bound_case {
    double x;
    double y;
    double H;  // hue number of the shares, as computed
    double l1;
    double l2;
  };
  const bound_case cases[] = {
      {0.73349589999999998, 0.26550410000000002, 3.653, 699.999, 493.884},
      {0.1716751269035498, 0, 22.7167512690355, 379.998, 569.672},
      // below 3.653 but inside the table: reflected, l1 negative
      {0.73470000499999999, 0.26529999500000001, 3.65299995, -493.884, 700},
      {0.7347, 0.2653, 3.6529999999999996, -493.884, 699.999},
  };
  for (const bound_case& c : cases) {
    const double z = static_cast<double>((1.0L - c.x) - c.y);
    ASSERT_EQ(hue_number({c.x, c.y, z}), c.H) << c.x;
    expect_pair({c.x, c.y, c.l1, c.l2});
  }
}

}  // namespace
}  // namespace colour::legacy
