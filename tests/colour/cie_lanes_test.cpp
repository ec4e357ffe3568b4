// The CIE model runs the Newton steps of several hue directions interleaved
// (the dominant wavelengths of a list of colours, the hue-equal wavelengths
// of a pass group's pigments): the bits are those of each colour alone, and
// those the model gave before it ran in lanes.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "colour/cie/cie_model.h"
#include "colour/colour_model.h"
#include "colour/exact_arithmetic.h"
#include "tests/support/bit_digest.h"
#include "tests/support/colord_data.h"

namespace colour {
namespace {

// A grid over the diagram and beyond it: inside the locus, outside it,
// purples, and the corners where there is no hue.
struct colour_list {
  std::vector<double> x;
  std::vector<double> y;
};

colour_list grid(int side) {
  colour_list c;
  for (int i = 0; i < side; ++i) {
    for (int j = 0; j < side; ++j) {
      c.x.push_back((i + 0.5) / side * 0.75);
      c.y.push_back((j + 0.5) / side * 0.85);
    }
  }
  return c;
}

std::uint64_t bits(double v) { return std::bit_cast<std::uint64_t>(v); }

TEST(CieLanes, DominantEveryBlockSizeGivesEachColoursOwnBits) {
  const exact_arithmetic scope;
  const cie_model m = test_support::colord_model(test_support::cie1931, "D65");
  colour_list c = grid(23);
  const chromaticity white = m.white_point();
  const double inf = std::numeric_limits<double>::infinity();
  for (const auto& [x, y] : {std::pair{white.x, white.y}, std::pair{std::nan(""), 0.3},
                             std::pair{inf, 0.3}, std::pair{0.25, 0.1}, std::pair{0.0, 0.0}}) {
    c.x.push_back(x);
    c.y.push_back(y);
  }
  std::vector<std::optional<dominant_hue>> alone;
  for (std::size_t i = 0; i < c.x.size(); ++i) alone.push_back(m.dominant(c.x[i], c.y[i]));

  for (const std::size_t size : {2u, 3u, 4u, 5u, 16u, 17u, 100u, 534u}) {
    std::vector<std::optional<dominant_hue>> batch(c.x.size());
    for (std::size_t first = 0; first < c.x.size(); first += size) {
      const std::size_t n = std::min(size, c.x.size() - first);
      m.dominants(std::span(c.x).subspan(first, n), std::span(c.y).subspan(first, n),
                  std::span(batch).subspan(first, n));
    }
    for (std::size_t i = 0; i < c.x.size(); ++i) {
      ASSERT_EQ(batch[i].has_value(), alone[i].has_value()) << i;
      const dominant_hue& a = *alone[i];
      const dominant_hue& b = *batch[i];
      EXPECT_EQ(bits(b.dominant), bits(a.dominant)) << "block " << size << ", colour " << i;
      EXPECT_EQ(bits(b.complementary), bits(a.complementary)) << size << ", " << i;
      EXPECT_EQ(bits(b.excitation_purity), bits(a.excitation_purity)) << size << ", " << i;
      EXPECT_EQ(bits(b.colorimetric_purity), bits(a.colorimetric_purity)) << size << ", " << i;
      EXPECT_EQ(b.inside_locus, a.inside_locus) << size << ", " << i;
    }
  }
}

// 62,500 colours of CIE 1931 seen from D65, every bit: the digest was taken
// before the Newton steps ran in lanes (about half of the colours lie
// outside the locus and have no purities).
TEST(CieLanes, DominantGoldenDigestOfAGrid) {
  const exact_arithmetic scope;
  const cie_model m = test_support::colord_model(test_support::cie1931, "D65");
  const colour_list c = grid(250);
  std::vector<std::optional<dominant_hue>> hues(c.x.size());
  m.dominants(c.x, c.y, hues);
  test_support::bit_digest digest;
  for (const auto& hue : hues) {
    digest.add(hue->dominant);
    digest.add(hue->complementary);
    digest.add(hue->excitation_purity);
    digest.add(hue->colorimetric_purity);
  }
  EXPECT_EQ(digest.value(), 0x6a5689ca0ef1d02au) << std::hex << "digest 0x" << digest.value();
}

// The CIE 1931 sweep under D65 from 380 to 780 nm in 0.1 nm steps (4001
// passes, 3270 on the middle path), every number of every pass in the
// table's order: the digest was taken before the hue-equal wavelengths ran
// in lanes.
TEST(CieLanes, GoldenDigestOfASweep) {
  const exact_arithmetic scope;
  const cie_model m = test_support::colord_model(test_support::cie1931, "D65");
  std::vector<double> lc;
  for (int i = 0; i <= 4000; ++i) lc.push_back((3800 + i) / 10.0);
  const std::vector<double> l(lc.size(), 0.0);
  std::vector<pass_result> passes(lc.size());
  compute_passes(lc, l, passes, m);
  test_support::bit_digest digest;
  for (const pass_result& p : passes) {
    for (const double v : {p.l, p.lc}) digest.add(v);
    for (const pigment& g : {p.first, p.second}) {
      for (const double v : {g.t.X, g.t.Y, g.t.Z, g.moment, g.xy.x, g.xy.y}) digest.add(v);
    }
    for (const hue_equal_pair& h : {p.hue_equal_first, p.hue_equal_second}) {
      digest.add(h.l1);
      digest.add(h.l2);
    }
  }
  EXPECT_EQ(digest.value(), 0x593ed3d165086410u) << std::hex << "digest 0x" << digest.value();
}

}  // namespace
}  // namespace colour
