// The batch entry, alone and over threads, gives every bit of the pass-by-pass
// results: for ordinary entries and for the places where a pass changes its
// way (green-range bounds, red end, outside the tables, the z fit's slivers,
// NaN and the infinities), in batches of every length a lane group can end at.
#include "colour/parallel_passes.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <stdexcept>
#include <vector>

#include "colour/colour_model.h"
#include "colour/legacy/legacy_bounds.h"
#include "tests/support/double_precision_x87.h"
#include "tests/support/pass_bits.h"
#include "colour/legacy/legacy_model.h"

namespace colour {
namespace {

using test_support::bits_of;

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

double above(double v) { return std::nextafter(v, inf); }
double below(double v) { return std::nextafter(v, -inf); }

// Entries where a pass takes another way, each with its neighbours.
std::vector<double> edge_entries() {
  std::vector<double> out{nan, -nan, inf, -inf, 0.0, -0.0, -5, 1e300, -1e300,
                          std::numeric_limits<double>::denorm_min()};
  for (double w : {legacy::green_range_lo, legacy::green_range_hi, legacy::red_end,
                   legacy::tables_lo, legacy::tables_hi, 760.0, 622.5, 622.5001, 642.5, 642.5001,
                   622.50005, 642.50005, 493.884, 569.672, 495.0, 565.0}) {
    out.insert(out.end(), {below(w), w, above(w)});
  }
  return out;
}

// `count` pairs: a quarter from the edges, the rest spread over 300..800 nm
// (below 380, the spectrum, above 700 and 770) and a few random bit patterns.
struct entries {
  std::vector<double> lc;
  std::vector<double> l;
};

entries random_entries(std::size_t count) {
  const std::vector<double> edges = edge_entries();
  std::mt19937_64 random(20261207);
  std::uniform_int_distribution<std::size_t> pick_edge(0, edges.size() - 1);
  std::uniform_real_distribution<double> spread(300, 800);
  std::uniform_int_distribution<int> kind(0, 15);
  const auto draw = [&]() -> double {
    const int k = kind(random);
    if (k < 4) return edges[pick_edge(random)];
    if (k == 4) return std::bit_cast<double>(random());
    if (k == 5) return 0.0;  // a first pass
    return spread(random);
  };
  entries e;
  for (std::size_t i = 0; i < count; ++i) {
    e.lc.push_back(draw());
    e.l.push_back(draw());
  }
  return e;
}

std::vector<std::vector<std::uint64_t>> one_by_one(const entries& e) {
  std::vector<std::vector<std::uint64_t>> out;
  for (std::size_t i = 0; i < e.lc.size(); ++i) out.push_back(bits_of(compute_pass(e.lc[i], e.l[i], colour::legacy_model())));
  return out;
}

void expect_same_bits(const std::vector<pass_result>& got,
                      const std::vector<std::vector<std::uint64_t>>& expected, const entries& e,
                      const char* how) {
  ASSERT_EQ(got.size(), expected.size());
  int reported = 0;
  for (std::size_t i = 0; i < got.size(); ++i) {
    if (bits_of(got[i]) != expected[i] && reported++ < 5) {
      ADD_FAILURE() << how << ": pass " << i << " (lc " << e.lc[i] << ", l " << e.l[i]
                    << ") differs from compute_pass";
    }
  }
}

TEST(ComputePasses, BatchGivesTheBitsOfSinglePassesAtEveryLength) {
  const entries all = random_entries(4096);
  const auto expected = one_by_one(all);
  // Lengths 0..19 starting anywhere: every way a group of lanes can be cut.
  for (std::size_t length = 0; length < 20; ++length) {
    for (std::size_t start = 0; start + length <= 200; start += 7) {
      const std::span lc = std::span(all.lc).subspan(start, length);
      const std::span l = std::span(all.l).subspan(start, length);
      std::vector<pass_result> out(length);
      compute_passes(lc, l, out, colour::legacy_model());
      for (std::size_t i = 0; i < length; ++i) {
        ASSERT_EQ(bits_of(out[i]), expected[start + i])
            << "length " << length << " start " << start << " lane " << i;
      }
    }
  }
  std::vector<pass_result> out(all.lc.size());
  compute_passes(all.lc, all.l, out, colour::legacy_model());
  expect_same_bits(out, expected, all, "whole batch");
}

TEST(ComputePasses, ThreadsGiveTheSameBitsForAnyCount) {
  const entries all = random_entries(20'000);
  const auto expected = one_by_one(all);
  for (unsigned threads : {0u, 1u, 2u, 3u, 8u}) {
    std::vector<pass_result> out(all.lc.size());
    compute_passes(all.lc, all.l, out, legacy_model(), threads);
    expect_same_bits(out, expected, all, ("threads " + std::to_string(threads)).c_str());
  }
}

// Each thread sets the exact arithmetic itself: a caller at 53-bit x87
// precision gets the same bits.
TEST(ComputePasses, ThreadsSetTheExactArithmeticThemselves) {
  const entries all = random_entries(10'000);
  const auto expected = one_by_one(all);
  std::vector<pass_result> out(all.lc.size());
  {
    const test_support::double_precision_x87 host_setting;
    compute_passes(all.lc, all.l, out, legacy_model(), 2);
  }
  expect_same_bits(out, expected, all, "threads at 53-bit caller");
}

TEST(ComputePasses, MismatchedLengthsComputeNothing) {
  const std::vector<double> lc(5000, 600.0), l(4999, 0.0);
  std::vector<pass_result> out(5000);
  EXPECT_THROW(compute_passes(lc, l, out, legacy_model(), 2), std::invalid_argument);
  EXPECT_THROW(compute_passes(lc, lc, std::span(out).first(10), legacy_model(), 2),
               std::invalid_argument);
}

// A model whose batch fails: the failure reaches the caller, not std::terminate.
class failing_model final : public model {
 public:
  std::string_view name() const override { return "failing"; }
  const model_bounds& bounds() const override { return legacy_model().bounds(); }
  chromaticity white_point() const override { return legacy_model().white_point(); }
  chromaticity locus_chromaticity(double w) const override { return legacy_model().locus_chromaticity(w); }
  std::optional<wavelength_pair> compensative_wavelength(double lc, double l) const override {
    return legacy_model().compensative_wavelength(lc, l);
  }
  tristimulus cumulative_tristimulus(double w) const override { return legacy_model().cumulative_tristimulus(w); }
  tristimulus full_spectrum() const override { return legacy_model().full_spectrum(); }
  double colour_moment(const tristimulus& t) const override { return legacy_model().colour_moment(t); }
  hue_equal_pair hue_equal_wavelengths(double x, double y) const override {
    return legacy_model().hue_equal_wavelengths(x, y);
  }
  pass_result pass(double lc, double l) const override {
    if (lc > 700) throw std::runtime_error("no data above 700 nm");
    return legacy_model().pass(lc, l);
  }
};

TEST(ComputePasses, AFailingModelsExceptionReachesTheCaller) {
  std::vector<double> lc(20'000, 600.0);
  lc[17'000] = 710;
  const std::vector<double> l(lc.size(), 0.0);
  std::vector<pass_result> out(lc.size());
  EXPECT_THROW(compute_passes(lc, l, out, failing_model(), 4), std::runtime_error);
}

}  // namespace
}  // namespace colour
