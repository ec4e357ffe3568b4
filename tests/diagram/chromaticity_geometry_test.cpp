#include "diagram/chromaticity_geometry.h"
#include "colour/legacy/legacy_model.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double distance(diagram::xy_point a, diagram::xy_point b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The narrow bands that bridge 495..565 nm must meet the fitted locus
// without a visible step, and the bridged stretch must be a smooth curve.
TEST(ChromaticityGeometry, BridgeJoinsTheLocusFits) {
  EXPECT_LT(distance(diagram::spectral_locus_point(494.9, colour::legacy_model()), diagram::spectral_locus_point(495.1, colour::legacy_model())), 0.01);
  EXPECT_LT(distance(diagram::spectral_locus_point(564.9, colour::legacy_model()), diagram::spectral_locus_point(565.1, colour::legacy_model())), 0.01);
  const auto locus = diagram::spectral_locus(1.0, colour::legacy_model());
  ASSERT_EQ(locus.size(), 321u);
  for (std::size_t i = 1; i < locus.size(); ++i) {
    ASSERT_TRUE(std::isfinite(locus[i].x) && std::isfinite(locus[i].y)) << 380 + i;
    EXPECT_LT(distance(locus[i - 1], locus[i]), 0.03) << 380 + i;
  }
  // Well-known CIE 1931 points, to the accuracy a drawing needs.
  EXPECT_NEAR(diagram::spectral_locus_point(520, colour::legacy_model()).x, 0.0743, 0.003);
  EXPECT_NEAR(diagram::spectral_locus_point(520, colour::legacy_model()).y, 0.8338, 0.003);
  EXPECT_NEAR(diagram::spectral_locus_point(600, colour::legacy_model()).x, 0.627, 1e-6);
}

TEST(ChromaticityGeometry, WavelengthsBeyondTheEndsAreClamped) {
  EXPECT_EQ(distance(diagram::spectral_locus_point(720, colour::legacy_model()), diagram::spectral_locus_point(700, colour::legacy_model())), 0.0);
  EXPECT_EQ(distance(diagram::spectral_locus_point(379.998, colour::legacy_model()), diagram::spectral_locus_point(380, colour::legacy_model())), 0.0);
}

TEST(ChromaticityGeometry, RayThroughWhiteMeetsThePurpleLine) {
  // From the green at 520 nm through E the ray ends on the purple line.
  const auto hit = diagram::purple_line_hit_opposite(diagram::spectral_locus_point(520, colour::legacy_model()), colour::legacy_model());
  ASSERT_TRUE(hit.has_value());
  const auto a = diagram::spectral_locus_point(380, colour::legacy_model());
  const auto b = diagram::spectral_locus_point(700, colour::legacy_model());
  const double cross = (b.x - a.x) * (hit->y - a.y) - (b.y - a.y) * (hit->x - a.x);
  EXPECT_NEAR(cross, 0.0, 1e-12);
  // From the red end the ray goes to the blue-green side, not the purple line.
  EXPECT_FALSE(diagram::purple_line_hit_opposite(diagram::spectral_locus_point(650, colour::legacy_model()), colour::legacy_model()).has_value());
}

// The ring of optimal colours closes: no large gap anywhere, also between
// the last and the first point, and it stays inside the locus box.
TEST(ChromaticityGeometry, FullColourRingIsClosed) {
  const auto ring = diagram::full_colour_ring(colour::legacy_model());
  ASSERT_GT(ring.size(), 600u);
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const auto& next = ring[(i + 1) % ring.size()];
    EXPECT_LT(distance(ring[i], next), 0.05) << i;
    EXPECT_GT(ring[i].x, 0.0);
    EXPECT_LT(ring[i].x + ring[i].y, 1.0);
  }
}

}  // namespace
