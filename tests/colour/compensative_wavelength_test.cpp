#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "colour/legacy/legacy_model.h"

namespace colour::legacy {
namespace {

struct pair_case {
  double lc;
  double l;
  std::optional<wavelength_pair> expected;
};

void PrintTo(const pair_case& c, std::ostream* os) { *os << "lc=" << c.lc << " l=" << c.l; }

class CompensativeWavelength : public testing::TestWithParam<pair_case> {};

TEST_P(CompensativeWavelength, GivesTheOrderedPairOrNone) {
  const pair_case& c = GetParam();
  const auto got = compensative_wavelength(c.lc, c.l);
  ASSERT_EQ(got.has_value(), c.expected.has_value());
  if (!got) return;
  EXPECT_EQ(got->l, c.expected->l);
  EXPECT_EQ(got->lc, c.expected->lc);
}

const std::optional<wavelength_pair> none;

INSTANTIATE_TEST_SUITE_P(ReferencePairs, CompensativeWavelength,
                         testing::Values(pair_case{380, 0, wavelength_pair{380, 569.672}},
                                         pair_case{385, 0, wavelength_pair{385, 569.678}},
                                         pair_case{400, 0, wavelength_pair{400, 569.718}},
                                         pair_case{450, 0, wavelength_pair{450, 571.209}},
                                         pair_case{480, 0, wavelength_pair{480, 580.393}},
                                         pair_case{490, 0, wavelength_pair{490, 600.013}},
                                         pair_case{493.884, 0, wavelength_pair{493.884, 699.734}},
                                         pair_case{569.673, 0, wavelength_pair{380.547, 569.673}},
                                         pair_case{570, 0, wavelength_pair{427.369, 570}},
                                         pair_case{580, 0, wavelength_pair{479.585, 580}},
                                         pair_case{600, 0, wavelength_pair{489.996, 600}},
                                         pair_case{650, 0, wavelength_pair{493.648, 650}},
                                         pair_case{699.999, 0, wavelength_pair{493.884, 699.999}}));

// 700 nm is reflected without a table lookup; above it the red end is used
// unreflected and its own wavelength 699.999 becomes the partner.
INSTANTIATE_TEST_SUITE_P(RedEnd, CompensativeWavelength,
                         testing::Values(pair_case{700, 0, wavelength_pair{493.884, 700}},
                                         pair_case{700.0001, 0, wavelength_pair{699.999, 700.0001}},
                                         pair_case{710, 0, wavelength_pair{699.999, 710}},
                                         pair_case{INFINITY, 0, wavelength_pair{699.999, INFINITY}},
                                         pair_case{500, 710, wavelength_pair{500, 699.999}},
                                         pair_case{600, 700, wavelength_pair{493.884, 600}}));

// The green range is inclusive; just outside it the hue number leaves the
// spectral range and there is still no partner.
INSTANTIATE_TEST_SUITE_P(GreenRange, CompensativeWavelength,
                         testing::Values(pair_case{493.885, 0, none}, pair_case{569.671, 0, none},
                                         pair_case{530, 0, none}, pair_case{450, 500, none},
                                         pair_case{569.672, 0, none}, pair_case{493.8849, 0, none}));

// Wavelengths with no locus row, or no number at all, have no partner.
INSTANTIATE_TEST_SUITE_P(OutsideTheLocus, CompensativeWavelength,
                         testing::Values(pair_case{0, 0, none}, pair_case{-5, 0, none},
                                         pair_case{379.999, 0, none}, pair_case{-INFINITY, 0, none},
                                         pair_case{std::numeric_limits<double>::quiet_NaN(), 0, none}));

// The two slivers of the z fit take the later row's z = 0.0001, so they
// answer like their neighbours instead of failing.
TEST(CompensativeWavelengthSlivers, AnswerLikeTheirNeighbours) {
  for (double lc : {622.50005, 642.50005}) {
    const auto got = compensative_wavelength(lc, 0);
    ASSERT_TRUE(got.has_value()) << lc;
    const auto above = compensative_wavelength(lc + 0.0001, 0);
    EXPECT_NEAR(got->l, above->l, 0.0015) << lc;
    EXPECT_EQ(got->lc, lc);
  }
}

}  // namespace
}  // namespace colour::legacy
