#include "table/wavelength_range.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/usage_error.h"

namespace {

std::vector<double> points(const char* from, const char* to, const char* step) {
  const table::wavelength_range r(from, to, step);
  std::vector<double> v;
  for (std::uint64_t i = 0; i < r.size(); ++i) v.push_back(r[i]);
  return v;
}

TEST(WavelengthRange, HeaderExamples) {
  EXPECT_EQ(points("380", "381", "0.25"), (std::vector<double>{380, 380.25, 380.5, 380.75, 381}));
  EXPECT_EQ(points("0.1", "0.3", "0.1"), (std::vector<double>{0.1, 0.2, 0.3}));
  EXPECT_EQ(points("380", "381", "0.3"), (std::vector<double>{380, 380.3, 380.6, 380.9}));
}

TEST(WavelengthRange, SinglePointAndNegativeStart) {
  EXPECT_EQ(points("600", "600", "1"), (std::vector<double>{600}));
  EXPECT_EQ(points("-1", "1", "0.5"), (std::vector<double>{-1, -0.5, 0, 0.5, 1}));
}

TEST(WavelengthRange, ExponentTextsStepInDecimalToo) {
  EXPECT_EQ(points("1e2", "1.3e2", "1e1"), (std::vector<double>{100, 110, 120, 130}));
  EXPECT_EQ(points("0.1", "0.3", "1e-1"), (std::vector<double>{0.1, 0.2, 0.3}));
  EXPECT_EQ(points("1E-1", "3e-1", "+1.0e-01"), (std::vector<double>{0.1, 0.2, 0.3}));
  EXPECT_EQ(points("3.8e2", "3.80002e2", "1e-3"), (std::vector<double>{380, 380.001, 380.002}));
}

// Every point of the 0.001 nm table is the double a user gets by typing it.
TEST(WavelengthRange, ThousandthStepsAreTheTypedDecimals) {
  const table::wavelength_range r("380", "770", "0.001");
  ASSERT_EQ(r.size(), 390001u);
  char text[32];
  for (std::uint64_t i = 0; i < r.size(); i += 1) {
    std::snprintf(text, sizeof text, "%llu.%03llu", 380 + i / 1000ULL, i % 1000ULL);
    ASSERT_EQ(r[i], std::strtod(text, nullptr)) << text;
  }
}

TEST(WavelengthRange, BadRangesNameTheOption) {
  struct bad {
    const char* from;
    const char* to;
    const char* step;
    const char* message;
  };
  for (const auto& b : {
           bad{"500", "400", "1", "empty range: --from 500 is above --to 400"},
           bad{"380", "770", "0", "--step: \"0\" must be greater than 0"},
           bad{"380", "770", "-1", "--step: \"-1\" must be greater than 0"},
           bad{"abc", "770", "1", "--from: \"abc\" is not a number"},
           bad{"380", "7 70", "1", "--to: \"7 70\" is not a number"},
           bad{"0", "1e300", "1e-300", "--step: \"1e-300\" gives too many rows"},
           bad{"600", "600.0000000000002", "1e-17",
               "--step: \"1e-17\" does not change the wavelength at 600.0000000000002 (the "
               "smallest step there is 1.1368683772161603e-13)"},
       }) {
    try {
      table::wavelength_range(b.from, b.to, b.step);
      ADD_FAILURE() << b.message;
    } catch (const cli::usage_error& e) {
      EXPECT_EQ(std::string(e.what()), b.message);
    }
  }
}

}  // namespace
