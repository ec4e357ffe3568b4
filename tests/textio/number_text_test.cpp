#include "textio/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

using textio::number_text;

struct number_case {
  double value;
  const char* text;
};

TEST(NumberText, ContractExamples) {
  const double inf = std::numeric_limits<double>::infinity();
  const number_case cases[] = {
      {493.885, " 493.885"},
      {571.209, " 571.2089999999999"},
      {-612.345, "-612.345"},
      {0.1234567890123456, " 0.1234567890123456"},
      {2.0 / 3.0, " 0.6666666666666666"},
      {0.1 + 0.2, " 0.3"},
      {100, " 100"},
      {700, " 700"},
      {0.0, " 0"},
      {-0.0, "-0"},
      {0.0001, " 0.0001"},
      {0.00001, " 1e-005"},
      {1e-7, " 1e-007"},
      {-1e-7, "-1e-007"},
      {1e15, " 1000000000000000"},
      {1e16, " 1e+016"},
      {123456789012345678.0, " 1.234567890123457e+017"},
      {1.5e300, " 1.5e+300"},
      {inf, " inf"},
      {-inf, "-inf"},
      {std::numeric_limits<double>::quiet_NaN(), " nan"},
      {-std::numeric_limits<double>::quiet_NaN(), " nan"},
      {-1.234567890123457e-300, "-1.234567890123457e-300"},
  };
  for (const auto& c : cases) EXPECT_EQ(number_text(c.value), c.text) << c.text;
}

TEST(NumberText, EdgesOfFixedNotationAndRounding) {
  const number_case cases[] = {
      {9999999999999998.0, " 9999999999999998"},  // 16 digits, still fixed
      {9999999999999999.0, " 1e+016"},            // the double 1e16 itself
      {0.000099999, " 9.9999e-005"},
      {1e100, " 1e+100"},
      {5e-324, " 4.940656458412465e-324"},
      {std::numeric_limits<double>::max(), " 1.797693134862316e+308"},
      {-2.5, "-2.5"},
      {77.95, " 77.95"},
  };
  for (const auto& c : cases) EXPECT_EQ(number_text(c.value), c.text) << c.text;
}

// The text must be "%.16g" of the C library, with only the exponent widened
// and the blank added: compare with snprintf over doubles of every magnitude.
TEST(NumberText, AgreesWithPrintfForRandomDoubles) {
  std::mt19937_64 bits(20240611);
  for (int n = 0; n < 200000; ++n) {
    const std::uint64_t pattern = bits();
    double value = 0;
    std::memcpy(&value, &pattern, sizeof value);
    if (!std::isfinite(value)) continue;
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.16g", value);
    std::string text = expected;
    if (const auto e = text.find('e'); e != std::string::npos && text.size() - e - 2 < 3) {
      text.insert(e + 2, 3 - (text.size() - e - 2), '0');
    }
    // Built by concatenation: GCC 12 at -O3 warns falsely on insert(0, " ").
    if (text.front() != '-') text = ' ' + text;
    const std::string actual = number_text(value);
    ASSERT_EQ(actual, text) << expected;
    ASSERT_LE(actual.size(), textio::longest_number_text);
  }
}

}  // namespace
