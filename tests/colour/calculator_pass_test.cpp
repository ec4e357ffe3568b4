#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "colour/colour_model.h"
#include "colour/legacy/legacy_model.h"

namespace colour {
namespace {

// The report prints "%.16g"; 16 digits do not always name one double, so
// those values are compared as the report would print them.
std::string g16(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%.16g", v);
  return text;
}

// First pass after the entry 600: every printed number of the report.
TEST(ComputePass, EntrySixHundredPrintsTheWorkedReport) {
  const pass_result r = compute_pass(600, 0, colour::legacy_model());
  ASSERT_TRUE(r.middle_path);
  EXPECT_EQ(r.l, 489.996);
  EXPECT_EQ(r.lc, 600);
  const struct {
    double value;
    const char* text;
  } printed[] = {
      {r.first.t.X, "45.67611650968549"},   {r.first.t.Y, "78.25403911460552"},
      {r.first.t.Z, "7.434159721629669"},   {r.first.xy.x, "0.3477056641250473"},
      {r.first.xy.y, "0.5957024090487569"}, {r.first.moment, "77.95"},
      {r.second.t.X, "54.32388349031451"},  {r.second.t.Y, "21.74596088539449"},
      {r.second.t.Z, "92.56584027837033"},  {r.second.xy.x, "0.3221375333562914"},
      {r.second.xy.y, "0.1289523088188704"}, {r.second.moment, "77.95"},
      {r.hue_equal_first.l1, "556.84"},     {r.hue_equal_first.l2, "-556.84"},
  };
  for (const auto& p : printed) EXPECT_EQ(g16(p.value), p.text);
  EXPECT_TRUE(std::isnan(r.hue_equal_second.l1));
  EXPECT_TRUE(std::isnan(r.hue_equal_second.l2));
}

TEST(ComputePass, EntryFourHundredFiftyPrintsTheLongerWavelength) {
  const pass_result r = compute_pass(450, 0, colour::legacy_model());
  ASSERT_TRUE(r.middle_path);
  EXPECT_EQ(g16(r.lc), "571.2089999999999");
}

// Green range: l and lc unchanged, short-end and long-end pigments of lc,
// hue-equal wavelengths of each.
TEST(ComputePass, GreenEntryTakesTheEndPigments) {
  const pass_result r = compute_pass(537.2, 489.996, colour::legacy_model());
  ASSERT_FALSE(r.middle_path);
  EXPECT_EQ(r.l, 489.996);
  EXPECT_EQ(r.lc, 537.2);
  EXPECT_NEAR(r.first.t.X, 19.195987, 5e-7);
  EXPECT_NEAR(r.second.t.Z, 0.321786, 5e-7);
  EXPECT_EQ(r.first.moment, 71.63);
  EXPECT_EQ(r.second.moment, 71.63);
  const hue_equal_pair short_end = legacy_model().hue_equal_wavelengths(r.first.xy.x, r.first.xy.y);
  const hue_equal_pair long_end = legacy_model().hue_equal_wavelengths(r.second.xy.x, r.second.xy.y);
  EXPECT_EQ(r.hue_equal_first.l1, short_end.l1);
  EXPECT_EQ(r.hue_equal_second.l1, long_end.l1);
  EXPECT_NE(r.hue_equal_first.l1, r.hue_equal_second.l1);
}

// Above the red end the partner is 699.999 and the band is a purple.
TEST(ComputePass, EntryAboveTheRedEnd) {
  const pass_result r = compute_pass(710, 0, colour::legacy_model());
  ASSERT_TRUE(r.middle_path);
  EXPECT_EQ(r.l, 699.999);
  EXPECT_EQ(r.lc, 710);
  EXPECT_NEAR(r.first.xy.x, 0.7362077063302604, 1e-15);
  EXPECT_EQ(r.hue_equal_first.l1, -493.924);
  EXPECT_TRUE(std::isnan(r.hue_equal_first.l2));
}

// An entry of 0 (a text that is no number) has no partner and no light.
TEST(ComputePass, EntryZeroGivesAnEmptyShortEnd) {
  const pass_result r = compute_pass(0, 0, colour::legacy_model());
  ASSERT_FALSE(r.middle_path);
  EXPECT_EQ(r.first.t.X, 0);
  EXPECT_EQ(r.second.t.Y, 100);
  EXPECT_EQ(r.first.moment, 0);
  EXPECT_TRUE(std::isnan(r.first.xy.x));
  EXPECT_TRUE(std::isnan(r.hue_equal_first.l1));
  EXPECT_TRUE(std::isnan(r.hue_equal_first.l2));
}

// Any number a user can type: no trap, no undefined conversion (the
// sanitizer build runs this), and the path the red end and green rules give.
TEST(ComputePass, ExtremeEntries) {
  const double big = std::numeric_limits<double>::max();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double lc;
    double l;
    bool middle_path;
  } cases[] = {
      {big, 0, true},         {INFINITY, 0, true},   {-big, 0, false},   {-INFINITY, 0, false},
      {nan, 0, false},        {-0.0, 0, false},      {4.9e-324, 0, false}, {2.2e9, 0, true},
      {380.0000001, 0, true}, {379.99999, 0, false}, {600, big, true},   {600, nan, true},
      {622.50005, 0, true},   {760.0000001, 0, true}, {770, 0, true},     {1e-300, -1e300, false},
  };
  for (const auto& c : cases) {
    const pass_result r = compute_pass(c.lc, c.l, colour::legacy_model());
    EXPECT_EQ(r.middle_path, c.middle_path) << c.lc << ' ' << c.l;
    if (!r.middle_path) {
      EXPECT_TRUE(r.lc == c.lc || std::isnan(c.lc)) << c.lc;
    }
  }
}

}  // namespace
}  // namespace colour
