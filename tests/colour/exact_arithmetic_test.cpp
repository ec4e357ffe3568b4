#include "colour/exact_arithmetic.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <vector>

#include "colour/colour_model.h"
#include "colour/legacy/legacy_model.h"
#include "tests/support/double_precision_x87.h"
#include "tests/support/pass_bits.h"

namespace colour {
namespace {

using test_support::double_precision_x87;

using test_support::bits_of;

// Entries on both paths, purples, the red end and the green-range bounds.
const std::vector<double> entries{600, 450, 520, 380, 700, 710, 493.884, 493.885, 569.671, 569.672, 622.5};

// The hue fit cancels terms of 1e10 near 700 nm: at 53 bits 3.66 gives
// 685.0000015497 instead of 685.0000015417,
// so the tests below would fail if an entry did not set the arithmetic itself.
TEST(ExactArithmetic, TheHueFitNeedsTheFullSignificand) {
  const double exact = legacy::wavelength_of_hue(3.66);
  double reduced = 0;
  {
    const double_precision_x87 host_setting;
    reduced = legacy::wavelength_of_hue(3.66);
  }
  EXPECT_NE(exact, reduced);
}

TEST(ExactArithmetic, EveryEntrySetsItAndGivesTheCallersSettingBack) {
  std::vector<std::vector<std::uint64_t>> expected;
  for (double w : entries) expected.push_back(bits_of(compute_pass(w, 0, colour::legacy_model())));

  const double_precision_x87 host_setting;
  const auto reduced = double_precision_x87::current();
  std::vector<pass_result> batch(entries.size());
  compute_passes(entries, std::vector<double>(entries.size(), 0.0), batch, colour::legacy_model());
  EXPECT_EQ(double_precision_x87::current(), reduced);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(bits_of(compute_pass(entries[i], 0, colour::legacy_model())), expected[i]) << entries[i];
    EXPECT_EQ(bits_of(batch[i]), expected[i]) << entries[i];
  }
  EXPECT_EQ(double_precision_x87::current(), reduced);
}

TEST(ExactArithmetic, NestedScopesRestoreInOrder) {
  const double_precision_x87 host_setting;
  const auto reduced = double_precision_x87::current();
  {
    const exact_arithmetic outer;
    const auto extended = double_precision_x87::current();
    EXPECT_NE(extended, reduced);
    {
      const exact_arithmetic inner;
      EXPECT_EQ(double_precision_x87::current(), extended);
    }
    EXPECT_EQ(double_precision_x87::current(), extended);
  }
  EXPECT_EQ(double_precision_x87::current(), reduced);
}

TEST(ComputePasses, SpansOfDifferentLengthsAreRefused) {
  std::vector<pass_result> out(2);
  EXPECT_THROW(compute_passes(std::vector<double>{600}, std::vector<double>{0}, out, colour::legacy_model()), std::invalid_argument);
}

}  // namespace
}  // namespace colour
