#include "colour/solid/macadam_limits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <utility>
#include <sstream>
#include <string>
#include <vector>

#include "colour/colour_model.h"
#include "colour/exact_arithmetic.h"
#include "colour/solid/colour_standing.h"
#include "tests/solid/solid_models.h"

namespace colour {
namespace {

using test_support::solid_of;

long double hue_of(const optimal_solid& s, const tristimulus& t) {
  const long double sum = (static_cast<long double>(t.X) + t.Y) + t.Z;
  return hue_angle_degrees(t.X / sum, t.Y / sum, s.colour_model().white_point());
}

struct locus_case {
  const char* cmf;
  const char* illuminant;
  double Y;
};

TEST(MacAdamLimits, EveryPointHasTheAskedLuminanceAndHue) {
  exact_arithmetic scope;
  std::vector<double> hues;
  for (int h = 0; h < 360; h += 3) hues.push_back(h + 0.25);
  for (const locus_case& c : {locus_case{"cie1931", "D65", 50}, locus_case{"cie1931", "C", 10},
                              locus_case{"cie1931", "A", 90}, locus_case{"cie1931", "D65", 1},
                              locus_case{"cie1931", "D65", 99.5}, locus_case{"cie1964", "D65", 30},
                              locus_case{"cie1964", "D65", 70}}) {
    const optimal_solid& s = solid_of(c.cmf, c.illuminant);
    const std::vector<limit_point> locus = macadam_locus(s, c.Y, hues);
    ASSERT_EQ(locus.size(), hues.size());
    for (const limit_point& p : locus) {
      const std::string where = std::string(c.cmf) + " " + c.illuminant + " Y " +
                                std::to_string(c.Y) + " h " + std::to_string(p.hue);
      EXPECT_LE(std::fabs(p.XYZ.Y - c.Y), 1e-9 * c.Y) << where;
      EXPECT_LE(std::fabs(std::remainder(hue_of(s, p.XYZ) - p.hue, 360.0L)), 1e-9L) << where;
      // The one point alone, with no neighbour to start from, is the same.
      if (static_cast<int>(p.hue) % 45 == 0) {
        const limit_point alone = macadam_limit(s, c.Y, p.hue);
        EXPECT_NEAR(alone.xy.x, p.xy.x, 1e-12) << where;
        EXPECT_NEAR(alone.xy.y, p.xy.y, 1e-12) << where;
      }
    }
  }
}

TEST(MacAdamLimits, Cie1964SectionsCutItsFlatFacesAlongStraightEdges) {
  exact_arithmetic scope;
  const optimal_solid& s = solid_of("cie1964", "D65");
  // The faces' planes: the least and the largest Z of the solid (the
  // quintics of z̄ dip just below zero after 555 nm: the least is -1.7e-4).
  support_point lowest, highest;
  s.boundary_point({0, 0, -1}, lowest);
  s.boundary_point({0, 0, 1}, highest);
  // Below Y ≈ 47 the face of least Z (z̄ = 0 from 560 nm): orange hues.
  const limit_point low = macadam_limit(s, 30, 15);
  EXPECT_TRUE(low.on_face);
  EXPECT_FALSE(low.count_defined);
  EXPECT_TRUE(low.transitions.empty());
  EXPECT_NEAR(low.XYZ.Z, static_cast<double>(lowest.XYZ[2]), 1e-9);
  // Above Y ≈ 53 the face where every wavelength with z̄ > 0 is in.
  const limit_point high = macadam_limit(s, 70, 195);
  EXPECT_TRUE(high.on_face);
  EXPECT_NEAR(high.XYZ.Z, static_cast<double>(highest.XYZ[2]), 1e-9);
  // Around the middle no section reaches a face.
  EXPECT_FALSE(macadam_limit(s, 50, 15).on_face);
}

TEST(MacAdamLimits, RefusesLuminancesWithNoSection) {
  exact_arithmetic scope;
  const optimal_solid& s = solid_of("cie1931", "D65");
  for (const double Y : {0.0, -1.0, 100.0, 150.0, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_THROW(macadam_limit(s, Y, 10), std::domain_error) << Y;
  }
  EXPECT_THROW(macadam_limit(s, 50, std::numeric_limits<double>::infinity()), std::domain_error);
}

// The chromaticity at the same Y, `factor` times as far from the white
// point as p's.
tristimulus scaled_from_white(const limit_point& p, chromaticity w, double factor) {
  const double x = w.x + factor * (p.xy.x - w.x), y = w.y + factor * (p.xy.y - w.y);
  return {x / y * p.Y, p.Y, (1 - x - y) / y * p.Y};
}

TEST(LimitRatio, OnePercentBeyondALimitIsOutside) {
  exact_arithmetic scope;
  const optimal_solid& s = solid_of("cie1931", "D65");
  const chromaticity w = s.colour_model().white_point();
  for (const double Y : {10.0, 50.0, 90.0}) {
    for (const double h : {0.0, 100.0, 235.0, 300.0}) {
      const limit_point p = macadam_limit(s, Y, h);
      EXPECT_NEAR(limit_ratio(s, p.XYZ).ratio, 1, 1e-9) << Y << " " << h;
      const limit_standing beyond = limit_ratio(s, scaled_from_white(p, w, 1.01));
      EXPECT_NEAR(beyond.ratio, 1.01, 1e-9);
      EXPECT_FALSE(beyond.inside);
      EXPECT_TRUE(limit_ratio(s, scaled_from_white(p, w, 0.99)).inside);
      // The boundary point made 1 % lighter, chromaticity kept: outside too.
      const tristimulus lighter{p.XYZ.X * 1.01, p.XYZ.Y * 1.01, p.XYZ.Z * 1.01};
      EXPECT_FALSE(limit_ratio(s, lighter).inside) << Y << " " << h;
    }
  }
}

TEST(LimitRatio, ColoursWithNoLimitGetADefinedAnswer) {
  exact_arithmetic scope;
  const optimal_solid& s = solid_of("cie1931", "D65");
  const tristimulus white = s.colour_model().full_spectrum();
  const double inf = std::numeric_limits<double>::infinity();
  struct answer {
    const char* what;
    tristimulus t;
    double ratio;
    bool inside;
  };
  for (const answer& a : {answer{"black", {0, 0, 0}, 0, true},
                          answer{"the ideal white", white, 0, true},
                          answer{"a grey", {white.X / 4, 25, white.Z / 4}, 0, true},
                          answer{"brighter than the white", {white.X * 1.1, 110, white.Z * 1.1}, inf, false},
                          answer{"Y = 100 off the white point", {white.X * 1.1, 100, white.Z}, inf, false},
                          answer{"no luminance but colour", {5, 0, 1}, inf, false},
                          answer{"no light at all", {-5, 2, 1}, inf, false}}) {
    const limit_standing r = limit_ratio(s, a.t);
    EXPECT_EQ(r.ratio, a.ratio) << a.what;
    EXPECT_EQ(r.inside, a.inside) << a.what;
  }
  // A negative X has a chromaticity, and a ratio above 1.
  const limit_standing negative = limit_ratio(s, {-1, 20, 20});
  EXPECT_GT(negative.ratio, 1);
  EXPECT_FALSE(negative.inside);
  EXPECT_THROW(limit_ratio(s, {std::nan(""), 1, 1}), std::domain_error);
}

TEST(LimitRatio, MiddlePigmentOfAPassLiesOnTheBoundary) {
  exact_arithmetic scope;
  for (const char* illuminant : {"D65", "E"}) {
    const optimal_solid& s = solid_of("cie1931", illuminant);
    for (const double lc : {450.0, 480.0, 600.0, 640.0}) {
      const pass_result r = compute_pass(lc, 0, s.colour_model());
      ASSERT_TRUE(r.middle_path) << lc;
      EXPECT_NEAR(limit_ratio(s, r.first.t).ratio, 1, 1e-9) << illuminant << " " << lc;
    }
  }
}

// The 15 test-colour samples of colord-data, integrated as 5 nm cells around
// their nodes with the model's own T.
std::vector<tristimulus> test_colour_samples(const model& m) {
  std::ifstream in("/usr/share/colord/ref/CIE-TCS.sp");
  std::vector<tristimulus> out;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("TCS", 0) != 0) continue;
    std::istringstream fields(line);
    std::string id;
    fields >> id;
    tristimulus t{0, 0, 0};
    double r = 0;
    for (int i = 0; fields >> r; ++i) {
      const double w = 360 + 5 * i;
      const tristimulus a = m.cumulative_tristimulus(std::fmax(w - 2.5, 360));
      const tristimulus b = m.cumulative_tristimulus(std::fmin(w + 2.5, 830));
      t.X += r * (b.X - a.X);
      t.Y += r * (b.Y - a.Y);
      t.Z += r * (b.Z - a.Z);
    }
    out.push_back(t);
  }
  return out;
}

TEST(LimitRatio, TheCieTestColourSamplesAreInside) {
  exact_arithmetic scope;
  for (const char* illuminant : {"A", "C", "D65"}) {
    const optimal_solid& s = solid_of("cie1931", illuminant);
    const std::vector<tristimulus> samples = test_colour_samples(s.colour_model());
    ASSERT_EQ(samples.size(), 15u) << "/usr/share/colord/ref/CIE-TCS.sp";
    for (std::size_t i = 0; i < samples.size(); ++i) {
      const limit_standing r = limit_ratio(s, samples[i]);
      EXPECT_TRUE(r.inside) << illuminant << " TCS" << i + 1 << " ratio " << r.ratio;
      EXPECT_GT(r.ratio, 0.05) << illuminant << " TCS" << i + 1;
    }
  }
}

TEST(FullColour, RecoversTheContentsOfAMixture) {
  exact_arithmetic scope;
  const optimal_solid& s = solid_of("cie1931", "D65");
  const model& m = s.colour_model();
  const tristimulus W = m.full_spectrum();
  for (const double l : {420.0, 470.0, 485.0}) {
    // A compensative pair, not floored, and its band and band-stop colours.
    const double lc = s.cie().complementary_wavelength(l);
    const tristimulus a = m.cumulative_tristimulus(l), b = m.cumulative_tristimulus(lc);
    const tristimulus band{b.X - a.X, b.Y - a.Y, b.Z - a.Z};
    for (const bool stop : {false, true}) {
      const tristimulus F = stop ? tristimulus{W.X - band.X, W.Y - band.Y, W.Z - band.Z} : band;
      const tristimulus mix{0.3 * F.X + 0.2 * W.X, 0.3 * F.Y + 0.2 * W.Y, 0.3 * F.Z + 0.2 * W.Z};
      const full_colour_content f = full_colour(s, mix);
      ASSERT_EQ(f.status, full_colour_status::found) << l;
      EXPECT_EQ(f.band_stop, stop) << l;
      EXPECT_NEAR(f.c, 0.3, 1e-9) << l;
      EXPECT_NEAR(f.w, 0.2, 1e-9) << l;
      EXPECT_NEAR(f.s, 0.5, 1e-9) << l;
      EXPECT_NEAR(f.l, l, 1e-6) << l;
      EXPECT_NEAR(f.lc, lc, 1e-6) << l;
    }
  }
  // Hues no compensative pair reaches: a band from an end of the data into
  // the green range (an orange [555, 830], a blue [360, 520]).
  const model_bounds& bounds = m.bounds();
  for (const auto& [l, lc] : {std::pair{555.0, bounds.data_hi}, std::pair{bounds.data_lo, 520.0}}) {
    const tristimulus a = m.cumulative_tristimulus(l), b = m.cumulative_tristimulus(lc);
    const tristimulus F{b.X - a.X, b.Y - a.Y, b.Z - a.Z};
    const tristimulus mix{0.3 * F.X + 0.2 * W.X, 0.3 * F.Y + 0.2 * W.Y, 0.3 * F.Z + 0.2 * W.Z};
    const full_colour_content f = full_colour(s, mix);
    ASSERT_EQ(f.status, full_colour_status::found) << l << " " << lc;
    EXPECT_FALSE(f.band_stop);
    EXPECT_NEAR(f.l, l, 1e-6);
    EXPECT_NEAR(f.lc, lc, 1e-6);
    EXPECT_NEAR(f.c, 0.3, 1e-9);
    EXPECT_NEAR(f.w, 0.2, 1e-9);
  }
  const full_colour_content grey = full_colour(s, {W.X * 0.4, 40, W.Z * 0.4});
  EXPECT_EQ(grey.status, full_colour_status::achromatic);
  EXPECT_EQ(grey.c, 0);
  EXPECT_NEAR(grey.w, 0.4, 1e-15);
  const limit_point p = macadam_limit(s, 50, 120);
  const tristimulus outside = scaled_from_white(p, s.colour_model().white_point(), 1.05);
  EXPECT_EQ(full_colour(s, outside).status, full_colour_status::outside);
}

}  // namespace
}  // namespace colour
