#include "textio/number_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace {

using textio::integer_from_text;
using textio::integer_width;
using textio::number_from_text;

constexpr double inf = std::numeric_limits<double>::infinity();

struct number_case {
  const char* text;
  double value;
};

TEST(NumberFromText, ContractExamples) {
  const number_case cases[] = {
      {"493.885", 493.885}, {"  -5", -5},    {"1d3", 1000},  {"-2.5D-1", -0.25},
      {".5", 0.5},          {"7.", 7},       {"493.8 nm", 493.8}, {"1e", 1},
      {"1e400", inf},       {"-1e400", -inf}, {"1e-400", 0},  {"4e-324", 4.9406564584124654e-324},
      {"&H1F", 31},         {"inf", 0},      {"nan", 0},     {"0x1p3", 0},
      {"abc", 0},           {"", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(number_from_text(c.text), c.value) << c.text;
}

TEST(NumberFromText, RejectsWhatStrtodWouldTake) {
  // strtod reads these as infinity, NaN or hexadecimal; the decimal form does not.
  for (const char* text : {"INF", "infinity", "-inf", "NAN", "nan(1)", "0x10", "0X1.8p1", "+inf"}) {
    const double value = number_from_text(text);
    EXPECT_TRUE(value == 0 && !std::isnan(value)) << text;
  }
}

TEST(NumberFromText, LongestDecimalPrefix) {
  const number_case cases[] = {
      {"1.2.3", 1.2},   {"1e+", 1},     {"1e-x", 1},  {"-.5e1", -5},  {"+3", 3},
      {"5E2x", 500},    {"1d+2", 100},  {".", 0},     {"-", 0},       {"+.e5", 0},
      {"   12", 12},    {"\t12", 0},    {"1 2", 1},   {"2e0003", 2000},
      {"1.e5", 100000}, {"5.E+2x", 500}, {"-0.", -0.0},
  };
  for (const auto& c : cases) EXPECT_EQ(number_from_text(c.text), c.value) << c.text;
}

TEST(NumberFromText, OverflowAndUnderflowKeepTheSign) {
  EXPECT_EQ(number_from_text("1e99999999999999999999"), inf);
  EXPECT_EQ(number_from_text("-0.000001e309"), -1e303);
  EXPECT_EQ(number_from_text("0.0000000001e-320"), 0.0);
  EXPECT_TRUE(std::signbit(number_from_text("-1e-400")));
  EXPECT_EQ(number_from_text("-1e-400"), 0.0);
  EXPECT_EQ(number_from_text("1797693134862315807e290"), 1.797693134862315807e308);
  EXPECT_EQ(number_from_text("17976931348623159e292"), inf);
  EXPECT_EQ(number_from_text("0e999999"), 0.0);
  EXPECT_EQ(number_from_text("0.000e-999999"), 0.0);
}

TEST(NumberFromText, CorrectlyRoundedHalfwayCases) {
  // 2^53 + 1 lies halfway between two doubles: ties go to even.
  EXPECT_EQ(number_from_text("9007199254740993"), 9007199254740992.0);
  // ...but one digit far to the right breaks the tie.
  EXPECT_EQ(number_from_text("9007199254740993.00000000000000000000000000001"),
            9007199254740994.0);
  EXPECT_EQ(number_from_text("571.209"), 571.209);
  EXPECT_EQ(number_from_text("2.4703282292062327e-324"), 0.0);
  EXPECT_EQ(number_from_text("2.4703282292062328e-324"), 4.9406564584124654e-324);
  EXPECT_EQ(number_from_text(std::string(800, '0') + "1.5"), 1.5);
}

// The same nearest double as the C library's conversion for random decimals.
TEST(NumberFromText, AgreesWithStrtodForRandomDecimals) {
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> digit_count(1, 25);
  std::uniform_int_distribution<int> exponent(-340, 320);
  std::uniform_int_distribution<int> digit(0, 9);
  for (int n = 0; n < 50000; ++n) {
    std::string text;
    if (random() % 2) text += '-';
    const int digits = digit_count(random);
    const int point = digit_count(random) % (digits + 1);
    for (int i = 0; i < digits; ++i) {
      if (i == point) text += '.';
      text += static_cast<char>('0' + digit(random));
    }
    text += 'e' + std::to_string(exponent(random));
    ASSERT_EQ(number_from_text(text), std::strtod(text.c_str(), nullptr)) << text;
  }
}

struct integer_case {
  const char* text;
  integer_width width;
  std::int64_t value;
};

TEST(IntegerFromText, ContractExamples) {
  using enum integer_width;
  const integer_case cases[] = {
      {"493,8", bits32, 493},
      {"+17x", bits32, 17},
      {"&H1F", bits32, 31},
      {"&b101", bits32, 5},
      {"&o17", bits32, 15},
      {"&17", bits32, 15},
      {"&X17", bits32, 0},
      {"&H", bits32, 0},
      {"-", bits32, 0},
      {"3000000000", bits32, 2147483647},
      {"-3000000000", bits32, -2147483647 - 1},
      {"3000000000", bits64, 3000000000},
      {"-99999999999999999999", bits64, std::numeric_limits<std::int64_t>::min()},
      {"&HFFFFFFFF", bits32, 2147483647},
      {"&HFFFFFFFFFFFFFFFFF", bits64, std::numeric_limits<std::int64_t>::max()},
  };
  for (const auto& c : cases) EXPECT_EQ(integer_from_text(c.text, c.width), c.value) << c.text;
}

TEST(IntegerFromText, LimitsOfEachWidth) {
  using enum integer_width;
  const integer_case cases[] = {
      {"2147483647", bits32, 2147483647},
      {"2147483648", bits32, 2147483647},
      {"-2147483648", bits32, -2147483647 - 1},
      {"-2147483649", bits32, -2147483647 - 1},
      {"9223372036854775807", bits64, std::numeric_limits<std::int64_t>::max()},
      {"9223372036854775808", bits64, std::numeric_limits<std::int64_t>::max()},
      {"-9223372036854775808", bits64, std::numeric_limits<std::int64_t>::min()},
      {"&H7FFFFFFF", bits32, 2147483647},
      {"&H7FFFFFFFFFFFFFFF", bits64, std::numeric_limits<std::int64_t>::max()},
      {"&B11111111111111111111111111111111111", bits32, 2147483647},
      {"  -0", bits32, 0},
      {"&h8", bits32, 8},
      {"&O9", bits32, 0},
      {"&", bits32, 0},
      {"", bits64, 0},
      {"--1", bits32, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(integer_from_text(c.text, c.width), c.value) << c.text;
}

}  // namespace
