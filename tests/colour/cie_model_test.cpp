#include "colour/cie/cie_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "colour/exact_arithmetic.h"
#include "tests/support/colord_data.h"

namespace colour {
namespace {

using test_support::cie1931;
using test_support::cie1964;
using test_support::colord_model;

class CieModel : public testing::Test {
 protected:
  exact_arithmetic scope;
  static const cie_model& e1931() {
    static const cie_model m = colord_model(cie1931, "E");
    return m;
  }
};

struct white_case {
  const char* cmf;
  const char* illuminant;
  tristimulus white;
  chromaticity xy;
};

TEST_F(CieModel, WhitePointsComeFromTheData) {
  for (const white_case& c :
       {white_case{cie1931, "D65", {95.047, 100, 108.896}, {0.31271, 0.32901}},
        white_case{cie1931, "E", {100.008, 100, 100.033}, {0.333314, 0.333288}}}) {
    const cie_model m = colord_model(c.cmf, c.illuminant);
    EXPECT_NEAR(m.full_spectrum().X, c.white.X, 0.001) << c.illuminant;
    EXPECT_EQ(m.full_spectrum().Y, 100) << c.illuminant;
    EXPECT_NEAR(m.full_spectrum().Z, c.white.Z, 0.001) << c.illuminant;
    EXPECT_NEAR(m.white_point().x, c.xy.x, 0.000006) << c.illuminant;
    EXPECT_NEAR(m.white_point().y, c.xy.y, 0.000006) << c.illuminant;
    EXPECT_EQ(m.colour_moment(m.full_spectrum()), 0) << c.illuminant;
  }
}

TEST_F(CieModel, BandsWithEdgesAnywhereAddUpToTheWhole) {
  const cie_model& m = e1931();
  tristimulus sum{0, 0, 0};
  double lo = 360;
  for (double hi = 361.2345; lo < 830; hi = std::min(830.0, hi + 7.3213)) {
    const tristimulus a = m.cumulative_tristimulus(lo), b = m.cumulative_tristimulus(hi);
    sum = {sum.X + (b.X - a.X), sum.Y + (b.Y - a.Y), sum.Z + (b.Z - a.Z)};
    lo = hi;
  }
  EXPECT_NEAR(sum.X / m.full_spectrum().X, 1, 1e-12);
  EXPECT_NEAR(sum.Y / 100, 1, 1e-12);
  EXPECT_NEAR(sum.Z / m.full_spectrum().Z, 1, 1e-12);
  EXPECT_EQ(m.cumulative_tristimulus(359).Y, 0);
  EXPECT_EQ(m.cumulative_tristimulus(900).Z, m.full_spectrum().Z);
}

TEST_F(CieModel, GreenRangeBoundsAreTheEndsComplements) {
  const model_bounds& b = e1931().bounds();
  EXPECT_NEAR(b.green_lo, 493.8808, 0.0005);
  EXPECT_NEAR(b.green_hi, 569.5900, 0.0005);
  EXPECT_EQ(b.data_lo, 360);
  EXPECT_EQ(b.data_hi, 830);
}

struct cut_case {
  const char* cmf;
  const char* illuminant;
  double blue;
  double red;
};

// Where the hue stops turning one way, found independently: CIE 1931's
// locus turns back just above 701.98 nm, CIE 1964's hooks just above 380 nm
// and turns back at 700.72 nm (beyond, z̄ is 0: the locus runs back along
// x + y = 1).
TEST_F(CieModel, TheLocusIsCutWhereItsHueStopsTurningOneWay) {
  for (const cut_case& c : {cut_case{cie1931, "E", 360, 701.985}, cut_case{cie1931, "D65", 360, 701.985},
                            cut_case{cie1964, "E", 380.114, 700.719},
                            cut_case{cie1964, "D65", 380.113, 700.719}}) {
    const cie_model m = colord_model(c.cmf, c.illuminant);
    EXPECT_NEAR(m.bounds().locus_blue_end, c.blue, 0.0006) << c.cmf << " " << c.illuminant;
    EXPECT_NEAR(m.bounds().locus_red_end, c.red, 0.0006) << c.cmf << " " << c.illuminant;
  }
}

struct monochromatic_case {
  const char* cmf;
  double wavelength;
  double lo;  // the dominant wavelength, floored: lo or lo + 0.001
};

TEST_F(CieModel, MonochromaticLightIsItsOwnDominantWavelength) {
  for (const monochromatic_case& c :
       {monochromatic_case{cie1931, 360, 359.999}, monochromatic_case{cie1931, 370, 369.999},
        monochromatic_case{cie1931, 701.5, 701.499}, monochromatic_case{cie1964, 380.2, 380.199},
        monochromatic_case{cie1964, 700.5, 700.499},
        // Beyond the cut: 730 nm has exactly the chromaticity of 676.061 nm.
        monochromatic_case{cie1964, 730, 676.061}}) {
    const cie_model m = colord_model(c.cmf, "D65");
    const chromaticity p = m.locus_chromaticity(c.wavelength);
    const auto d = m.dominant(p.x, p.y);
    ASSERT_TRUE(d);
    EXPECT_GE(d->dominant, c.lo - 1e-9) << c.cmf << " " << c.wavelength;
    EXPECT_LE(d->dominant, c.lo + 0.001 + 1e-9) << c.cmf << " " << c.wavelength;
    EXPECT_TRUE(d->inside_locus) << c.cmf << " " << c.wavelength;
    EXPECT_EQ(d->excitation_purity, 1) << c.cmf << " " << c.wavelength;
  }
}

TEST_F(CieModel, ChromaticitiesOutsideTheLocusHaveNoPurities) {
  const cie_model& m = e1931();
  // Left of the locus, above it (x + y > 1), below the purple line, y <= 0.
  for (const chromaticity c : {chromaticity{-0.1, 0.5}, chromaticity{0.5, 0.6},
                               chromaticity{0.3, -0.01}, chromaticity{0.3, 0}}) {
    const auto d = m.dominant(c.x, c.y);
    ASSERT_TRUE(d);
    EXPECT_FALSE(d->inside_locus) << c.x << " " << c.y;
    EXPECT_TRUE(std::isnan(d->excitation_purity) && std::isnan(d->colorimetric_purity))
        << c.x << " " << c.y;
  }
  const auto nothing = m.dominant(std::nan(""), 0.3);
  EXPECT_FALSE(nothing->inside_locus);
  const auto purple = m.dominant(0.25, 0.1);
  EXPECT_TRUE(purple->inside_locus);
  EXPECT_GT(purple->excitation_purity, 0.7);
  EXPECT_LE(purple->colorimetric_purity, 1);
}

TEST_F(CieModel, ComplementOfTheComplementIsTheEntry) {
  // Not rounded: through the floored value the error grows to tenths of a
  // nm near the ends, where the locus bends sharply. CIE 1964's locus hooks
  // just above 380 nm (one hue twice), so its entries start at 385.
  for (const auto& [cmf, first] : {std::pair{cie1931, 380.0}, std::pair{cie1964, 385.0}}) {
    const cie_model m = colord_model(cmf, "D65");
    for (const double w : {first, 390.4, 400.0, 450.0, 475.5, 575.0, 600.0, 650.0, 699.9}) {
      const double c = m.complementary_wavelength(w);
      ASSERT_FALSE(std::isnan(c)) << cmf << " " << w;
      EXPECT_NEAR(m.complementary_wavelength(c), w, 1e-6) << cmf << " " << w;
    }
  }
}

TEST_F(CieModel, DominantWavelengthOfALocusPointIsItsWavelength) {
  const cie_model& m = e1931();
  for (const double w : {380.0, 412.3456, 500.0, 520.25, 555.5, 640.0, 700.0}) {
    const chromaticity p = m.locus_chromaticity(w);
    EXPECT_NEAR(m.dominant_wavelength(p.x, p.y), w, 1e-9) << w;
    const auto d = m.dominant(p.x, p.y);
    ASSERT_TRUE(d);
    EXPECT_NEAR(d->excitation_purity, 1, 1e-12) << w;
    EXPECT_NEAR(d->colorimetric_purity, 1, 1e-12) << w;
  }
}

TEST_F(CieModel, DominantOfPurplesAndOfTheWhite) {
  const cie_model& m = e1931();
  const chromaticity w = m.white_point();
  const auto white = m.dominant(w.x, w.y);
  ASSERT_TRUE(white);
  EXPECT_TRUE(std::isnan(white->dominant) && std::isnan(white->complementary) &&
              std::isnan(white->excitation_purity));
  // Halfway between the white and the purple line's middle.
  const chromaticity blue = m.locus_chromaticity(m.bounds().locus_blue_end);
  const chromaticity red = m.locus_chromaticity(m.bounds().locus_red_end);
  const double x = (w.x + (blue.x + red.x) / 2) / 2, y = (w.y + (blue.y + red.y) / 2) / 2;
  const auto purple = m.dominant(x, y);
  ASSERT_TRUE(purple);
  EXPECT_LT(purple->dominant, 0);
  EXPECT_EQ(purple->dominant, -purple->complementary);
  EXPECT_NEAR(purple->excitation_purity, 0.5, 1e-12);
  EXPECT_EQ(m.hue_equal_wavelengths(x, y).l1, purple->dominant);
  EXPECT_TRUE(std::isnan(m.hue_equal_wavelengths(x, y).l2));
}

// CIE 1931 2°, illuminant E, white point from the data, computed independently.
TEST_F(CieModel, ReferenceFigures) {
  const cie_model& m = e1931();
  EXPECT_NEAR(m.complementary_wavelength(600), 489.9947, 0.002);
  const pass_result p600 = m.pass(600, 0);
  ASSERT_TRUE(p600.middle_path);
  EXPECT_EQ(p600.l, 489.994);
  EXPECT_EQ(p600.lc, 600);
  EXPECT_NEAR(p600.first.t.X, 45.0197, 0.005);
  EXPECT_NEAR(p600.first.t.Y, 78.2232, 0.005);
  EXPECT_NEAR(p600.first.t.Z, 7.4943, 0.005);
  EXPECT_EQ(p600.first.moment, 78.14);
  EXPECT_NEAR(p600.hue_equal_first.l1, 556.279, 0.002);

  EXPECT_NEAR(m.complementary_wavelength(450), 571.2136, 0.002);
  const pass_result p450 = m.pass(450, 0);
  EXPECT_EQ(p450.lc, 571.213);
  EXPECT_NEAR(p450.hue_equal_first.l1, 500.555, 0.002);

  const pass_result p520 = m.pass(520, 0);
  ASSERT_FALSE(p520.middle_path);
  EXPECT_NEAR(p520.first.t.X, 17.0414, 0.005);
  EXPECT_NEAR(p520.first.t.Y, 16.3049, 0.005);
  EXPECT_NEAR(p520.first.t.Z, 98.9451, 0.005);
  EXPECT_NEAR(p520.hue_equal_first.l1, 476.478, 0.002);
  EXPECT_NEAR(p520.hue_equal_second.l1, 577.726, 0.002);
}

TEST_F(CieModel, Cie1964LoadsDespiteItsHookAbove380) {
  for (const char* illuminant : {"E", "D65", "A"}) {
    const cie_model m = colord_model(cie1964, illuminant);
    EXPECT_GT(m.bounds().green_hi, m.bounds().green_lo) << illuminant;
  }
}

TEST_F(CieModel, RefusesALocusWhoseHueDoesNotFall) {
  // x̄ and z̄ swapped mirror the locus: its hue rises from blue to red.
  spectral_table functions = test_support::colord_table(cie1931);
  std::swap(functions.sets[0], functions.sets[2]);
  const std::vector<double> equal(functions.bands, 1.0);
  try {
    cie_model("mirrored", "mirrored", functions, equal);
    FAIL() << "a mirrored locus was accepted";
  } catch (const model_data_error& e) {
    EXPECT_NE(std::string(e.what()).find("does not fall at 542.5 nm"), std::string::npos)
        << e.what();
  }
}

TEST_F(CieModel, CompensativePairsAreFlooredAndOrdered) {
  const cie_model& m = e1931();
  const auto pair = m.compensative_wavelength(450, 0);
  ASSERT_TRUE(pair);
  EXPECT_EQ(pair->l, 450);
  EXPECT_EQ(pair->lc, 571.213);
  EXPECT_FALSE(m.compensative_wavelength(520, 0));
  EXPECT_FALSE(m.compensative_wavelength(m.bounds().green_lo, 0));
  EXPECT_FALSE(m.compensative_wavelength(m.bounds().green_hi, 0));
  EXPECT_FALSE(m.compensative_wavelength(std::nan(""), 0));
}

}  // namespace
}  // namespace colour
