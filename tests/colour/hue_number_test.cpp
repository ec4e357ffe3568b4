#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "colour/extended.h"
#include "colour/legacy/legacy_model.h"

namespace colour::legacy {
namespace {

using ext = long double;

const double nan = std::numeric_limits<double>::quiet_NaN();

// On equal shares the later case wins; 1 and 31 name the same hue and the
// scale must answer 1.
TEST(HueNumber, TiesBetweenCases) {
  struct tie_case {
    shares s;
    double H;
  };
  const tie_case cases[] = {
      {{0.5, 0.25, 0.25}, 1},     // y = z < x: case Z, not 31 from case Y
      {{0.25, 0.25, 0.5}, 21},    // x = y < z: case Y
      {{0.25, 0.5, 0.25}, 11},    // x = z < y: case Z
      {{1.0 / 3, 1.0 / 3, 1.0 / 3}, 6},  // white: case Z with h = 0
      {{0.7347, 0.2653, 0.0}, 3.6529999999999996},  // locus at 700 nm, inside the range
  };
  for (const tie_case& c : cases)
    EXPECT_EQ(hue_number(c.s), c.H) << c.s.x << ' ' << c.s.y << ' ' << c.s.z;
}

TEST(HueNumber, SharesThatAreNoNumberGiveNaN) {
  EXPECT_TRUE(std::isnan(hue_number({nan, nan, nan})));
  EXPECT_TRUE(std::isnan(hue_number({nan, 0.3, 0.7})));
}

TEST(HueNumber, ComplementRecomputesTheThirdShare) {
  // Worked reflection of the 600 nm locus point; the incoming z plays no part.
  const shares locus = locus_chromaticity(600);
  const shares r = complement_shares(locus.x, locus.y);
  EXPECT_NEAR(r.x, 0.0396666924, 5e-11);
  EXPECT_NEAR(r.y, 0.2941666409, 5e-11);
  EXPECT_NEAR(r.z, 0.6661666666, 5e-11);
  EXPECT_NEAR(hue_number(r), 18.1112375614, 5e-10);
}

// floor(1000 v)/1000: a floor, not rounding, and toward minus infinity.
TEST(HueNumber, FloorToThousandth) {
  struct floor_case {
    double v;
    double expected;
  };
  const floor_case cases[] = {
      {489.99690594, 489.996}, {489.9969059456, 489.996}, {700.00042, 700},
      {379.99833, 379.998},    {569.672, 569.672},        {-0.0005, -0.001},
      {0, 0},
  };
  for (const floor_case& c : cases) EXPECT_EQ(floor_to_thousandth(c.v), c.expected) << c.v;
  EXPECT_TRUE(std::isnan(floor_to_thousandth(nan)));
}

// The floor by integer shifts against the x87's floorl, over every binade a
// double has (tiny values whose floor is 0, wavelengths, whole thousandths,
// values where 1000 v is whole, up to and past 2^52) and random bit patterns.
TEST(HueNumber, FloorToThousandthByShiftsIsTheX87Floor) {
  std::vector<double> values{489.996, 0.001, 0.000999, 1.0 / 1024, 0x1p52, 0x1.fffffffffffffp51,
                             0x1p-1074, 0x1p-1022, 0x1.8p-10, 380.125, 700.0};
  std::mt19937_64 random(7);
  for (int i = 0; i < 200'000; ++i) {
    const std::uint64_t bits = random() & 0x7fff'ffff'ffff'ffffu;  // positive, any exponent
    values.push_back(std::bit_cast<double>(bits));
    values.push_back(std::ldexp(static_cast<double>(random() % 1'000'000'000), -static_cast<int>(random() % 40)));
  }
  int reported = 0;
  for (const double v : values) {
    const double x87 = static_cast<double>(std::floor(ext{1000} * v) / ext{1000});
    if (std::bit_cast<std::uint64_t>(floor_to_thousandth(v)) != std::bit_cast<std::uint64_t>(x87) &&
        reported++ < 5) {
      ADD_FAILURE() << std::hexfloat << v << ": " << floor_to_thousandth(v) << " != " << x87;
    }
  }
}

// A NaN (a hue with no wavelength) is passed by without the x87, where it
// costs an assist of hundreds of cycles, and must come out with the bits the
// x87 gives it: sign and payload kept, a signalling NaN quieted.
TEST(HueNumber, FloorToThousandthGivesANaNTheBitsOfTheX87) {
  for (const std::uint64_t bits : {0x7ff8000000000000u, 0xfff8000000000000u, 0x7ff8000000000123u,
                                   0x7ff0000000000001u, 0xfff4000000000abcu}) {
    const double v = std::bit_cast<double>(bits);
    const double x87 = static_cast<double>(std::floor(ext{1000} * v) / ext{1000});
    EXPECT_EQ(std::bit_cast<std::uint64_t>(floor_to_thousandth(v)), std::bit_cast<std::uint64_t>(x87))
        << std::hex << bits;
    // The hue-equal l1 of a purple multiplies by its sign -1 before dividing:
    // an x87 product keeps the NaN operand's sign (a negation would flip it).
    volatile int purple_sign = -1;
    const double signed_x87 = static_cast<double>((std::floor(ext{1000} * v) * purple_sign) / ext{1000});
    EXPECT_EQ(std::bit_cast<std::uint64_t>(detail::quieted_nan(v)), std::bit_cast<std::uint64_t>(signed_x87))
        << std::hex << bits;
  }
}

TEST(HueNumber, WavelengthsAtTheEndsOfTheSpectralRange) {
  EXPECT_NEAR(wavelength_of_hue(3.65299990773201), 700.00042, 5e-6);
  EXPECT_NEAR(wavelength_of_hue(22.7167512690355), 379.99833, 5e-6);
  EXPECT_NEAR(wavelength_of_hue(3.6529999999999996), 699.9999248, 5e-8);
}

// Near the upper end the hue fit cancels terms of ~1e12; evaluated in plain
// double its third decimal is wrong. Each H below was found by evaluating
// both ways; the comment gives the plain-double answer guarded against.
TEST(HueNumber, WavelengthNeedsExtendedPrecision) {
  struct precision_case {
    double H;
    double floored;
  };
  const precision_case cases[] = {
      {22.716646602190753, 380.547},  // hue of the complement of 569.673 nm; plain double: 380.546
      {22.71419875, 390.016},         // plain double: 390.015 (off by 0.0016 nm)
      {22.714198839999998, 390.016},  // plain double: 390.015
      {22.71419903, 390.015},         // plain double: 390.016
  };
  for (const precision_case& c : cases)
    EXPECT_EQ(floor_to_thousandth(wavelength_of_hue(c.H)), c.floored) << c.H;
}

}  // namespace
}  // namespace colour::legacy
