#include "colour/spectrum/spectrum_colour.h"

#include <gtest/gtest.h>

#include <cmath>

#include "colour/exact_arithmetic.h"
#include "colour/spectrum/spectrum_reading.h"
#include "tests/support/colord_data.h"

namespace colour {
namespace {

using test_support::cie1931;
using test_support::cie1964;
using test_support::colord_model;

class SpectrumColour : public testing::Test {
 protected:
  exact_arithmetic scope;
  static const cie_model& d65() {
    static const cie_model m = colord_model(cie1931, "D65");
    return m;
  }
};

// A 0/1 reflectance with edges at lo and hi: a step at each.
sample_spectrum band(double lo, double hi) { return {"band", {lo, lo, hi, hi}, {0, 1, 1, 0}}; }

TEST_F(SpectrumColour, ABandIsTheOptimalColourOfTheModelsBandIntegrals) {
  const cie_model& m = d65();
  const tristimulus white = m.full_spectrum();
  for (const auto& [lo, hi] : {std::pair{380.0, 700.0}, std::pair{489.994, 600.0},
                               std::pair{512.3456, 513.0001}, std::pair{360.0, 830.0},
                               std::pair{402.5, 777.77}}) {
    const tristimulus t = spectrum_tristimulus(spectrum_function(band(lo, hi)), m,
                                               spectrum_kind::reflectance, summation_method::exact);
    const tristimulus a = m.cumulative_tristimulus(lo), b = m.cumulative_tristimulus(hi);
    EXPECT_NEAR(t.X, b.X - a.X, 1e-12 * white.X) << lo << " " << hi;
    EXPECT_NEAR(t.Y, b.Y - a.Y, 1e-12 * white.Y) << lo << " " << hi;
    EXPECT_NEAR(t.Z, b.Z - a.Z, 1e-12 * white.Z) << lo << " " << hi;
  }
}

TEST_F(SpectrumColour, AConstantReflectanceOfOneIsTheWhite) {
  for (const sample_spectrum& one :
       {sample_spectrum{"one", {500}, {1}}, sample_spectrum{"one", {400, 410, 420, 430, 440, 450}, {1, 1, 1, 1, 1, 1}},
        sample_spectrum{"one", {380, 700, 705}, {1, 1, 1}}}) {
    const tristimulus t = spectrum_tristimulus(spectrum_function(one), d65(),
                                               spectrum_kind::reflectance, summation_method::exact);
    const tristimulus w = d65().full_spectrum();
    EXPECT_NEAR(t.X, w.X, 1e-12 * w.X);
    EXPECT_EQ(t.Y, 100);
    EXPECT_NEAR(t.Z, w.Z, 1e-12 * w.Z);
  }
}

struct white_case {
  const char* cmf;
  const char* illuminant;
  double x;
  double y;
};

// CIE 15:2004 (Colorimetry, 3rd edition), Table T.3: the illuminants'
// chromaticities by its 5 nm summation, printed to five decimals (as quoted
// by the Color package's illuminant tables on Hackage, which cite it, and
// for D65 by the colour-science documentation of CCS_ILLUMINANTS).
// D50 is left out: colord's D50 data differ from the CIE's (its summed
// white is 0.34568, 0.35854 against 0.34567, 0.35851).
TEST_F(SpectrumColour, Cie15SummationReproducesThePublishedWhitePoints) {
  for (const white_case& c :
       {white_case{cie1931, "A", 0.44758, 0.40745}, white_case{cie1931, "C", 0.31006, 0.31616},
        white_case{cie1931, "D55", 0.33243, 0.34744}, white_case{cie1931, "D65", 0.31272, 0.32903},
        white_case{cie1964, "A", 0.45117, 0.40594}, white_case{cie1964, "C", 0.31039, 0.31905},
        white_case{cie1964, "D55", 0.33412, 0.34877}}) {
    const cie_model m = colord_model(c.cmf, c.illuminant);
    const chromaticity summed = chromaticity_xy(white_tristimulus(m, summation_method::cie15));
    EXPECT_EQ(std::round(summed.x * 1e5) / 1e5, c.x) << c.cmf << " " << c.illuminant << " " << summed.x;
    EXPECT_EQ(std::round(summed.y * 1e5) / 1e5, c.y) << c.cmf << " " << c.illuminant << " " << summed.y;
    // The exact integral over 360..830 nm differs in the fifth decimal.
    const chromaticity exact = chromaticity_xy(white_tristimulus(m, summation_method::exact));
    EXPECT_LT(std::hypot(exact.x - summed.x, exact.y - summed.y), 3e-5) << c.illuminant;
  }
}

struct tcs_case {
  const char* id;
  tristimulus exact;
  tristimulus summed;
};

// The CIE test-colour samples under D65 with CIE 1931, by both methods,
// the two agree to about 0.004.
TEST_F(SpectrumColour, TestColourSamplesUnderD65ByBothMethods) {
  const std::vector<sample_spectrum> tcs = read_spectra(test_support::colord_text("ref/CIE-TCS.sp"));
  ASSERT_EQ(tcs.size(), 15u);
  for (const tcs_case& c : {tcs_case{"TCS01", {33.0199, 29.8817, 24.5903}, {33.0192, 29.8816, 24.5875}},
                            tcs_case{"TCS09", {20.5969, 11.2454, 4.3379}, {20.5964, 11.2453, 4.3367}},
                            tcs_case{"TCS12", {6.4623, 6.6007, 27.6987}, {6.4616, 6.6006, 27.6962}},
                            tcs_case{"TCS15", {34.9841, 32.7235, 24.4606}, {34.9843, 32.7236, 24.4609}}}) {
    const auto s = std::find_if(tcs.begin(), tcs.end(), [&](const auto& t) { return t.id == c.id; });
    ASSERT_NE(s, tcs.end()) << c.id;
    const spectrum_function f(*s);
    const tristimulus e = spectrum_tristimulus(f, d65(), spectrum_kind::reflectance, summation_method::exact);
    const tristimulus m = spectrum_tristimulus(f, d65(), spectrum_kind::reflectance, summation_method::cie15);
    EXPECT_NEAR(e.X, c.exact.X, 6e-5) << c.id;
    EXPECT_NEAR(e.Y, c.exact.Y, 6e-5) << c.id;
    EXPECT_NEAR(e.Z, c.exact.Z, 6e-5) << c.id;
    EXPECT_NEAR(m.X, c.summed.X, 6e-5) << c.id;
    EXPECT_NEAR(m.Y, c.summed.Y, 6e-5) << c.id;
    EXPECT_NEAR(m.Z, c.summed.Z, 6e-5) << c.id;
  }
}

TEST_F(SpectrumColour, AnEmissionSpectrumHasYOfOneHundredAndTheObserversChromaticity) {
  // A narrow line at 600 nm is (nearly) the locus point there.
  const sample_spectrum line{"line", {599.99, 600, 600.01}, {0, 1, 0}};
  const tristimulus t = spectrum_tristimulus(spectrum_function(line), d65(), spectrum_kind::emission,
                                             summation_method::exact);
  EXPECT_NEAR(t.Y, 100, 1e-12);
  const chromaticity c = chromaticity_xy(t), locus = d65().locus_chromaticity(600);
  EXPECT_NEAR(c.x, locus.x, 1e-7);
  EXPECT_NEAR(c.y, locus.y, 1e-7);
  const tristimulus dark = spectrum_tristimulus(spectrum_function({"dark", {500}, {0}}), d65(),
                                                spectrum_kind::emission, summation_method::exact);
  EXPECT_TRUE(std::isnan(dark.Y));
}

TEST_F(SpectrumColour, SpragueOnAUniformGridLinesOnAnyOther) {
  const spectrum_function uniform({"u", {400, 410, 420, 430, 440, 450}, {0, 1, 4, 9, 16, 25}});
  EXPECT_FALSE(uniform.linear());
  // A parabola, which Sprague reproduces where all six nodes are data.
  EXPECT_NEAR(static_cast<double>(uniform(425)), 6.25, 1e-15);
  EXPECT_EQ(uniform(300), 0);              // held at the ends
  EXPECT_EQ(uniform(900), 25);
  const spectrum_function uneven({"n", {400, 410, 430}, {0, 1, 3}});
  EXPECT_TRUE(uneven.linear());
  EXPECT_NEAR(static_cast<double>(uneven(420)), 2, 1e-15);
  const spectrum_function step({"s", {500, 500, 600}, {0, 1, 1}});
  EXPECT_EQ(step(499.999), 0);
  EXPECT_EQ(step(500), 1);
  EXPECT_THROW(spectrum_function({"f", {500, 490}, {0, 1}}), std::invalid_argument);
  EXPECT_THROW(spectrum_function({"t", {500, 500, 500}, {0, 1, 2}}), std::invalid_argument);
}

}  // namespace
}  // namespace colour
