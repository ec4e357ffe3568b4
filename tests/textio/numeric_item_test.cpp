#include "textio/numeric_item.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

using textio::integer_of_item;
using textio::number_of_item;
using textio::numeric_item;
using textio::numeric_item_of;

TEST(NumericItem, ContractExamples) {
  struct {
    const char* line;
    numeric_item item;
  } const cases[] = {
      {"493,8", {"493", false}},
      {"  493.8 nm", {"493.8", true}},
      {"\t-5", {"-5", false}},
      {"1d3", {"1e3", true}},
      {"&HE", {"&HE", false}},
      {"\"6,00\" x", {"6,00", false}},
      {"0x1d", {"0x1e", true}},
      {"", {"", false}},
      {"\"1 2", {"1 2", false}},  // an unclosed quote runs to the end
      {"1&.5", {"1&.5", false}},  // "&" before the point: not floating
      {"1.5&", {"1.5&", true}},
      {"12D", {"12E", true}},
  };
  for (const auto& c : cases) EXPECT_EQ(numeric_item_of(c.line), c.item) << c.line;
}

TEST(NumericItem, OnlyTheFirst67CharactersCount) {
  // 67 digits then "e5": the exponent is cut off and the item is an integer.
  const std::string digits(67, '1');
  EXPECT_EQ(numeric_item_of(digits + "e5").text, digits);
  EXPECT_FALSE(numeric_item_of(digits + "e5").floating);
  EXPECT_EQ(number_of_item(digits + "e5"), std::stod(digits));
  // A point in the first 67 characters counts.
  const std::string decimal = "0." + std::string(70, '5');
  EXPECT_EQ(numeric_item_of(decimal).text.size(), 67u);
  EXPECT_EQ(number_of_item(decimal), std::stod(decimal.substr(0, 67)));
}

TEST(NumberOfItem, EntriesReadAsNumbers) {
  const double inf = std::numeric_limits<double>::infinity();
  struct {
    const char* line;
    double value;
  } const cases[] = {
      {"", 0},
      {"abc", 0},
      {"493,8", 493},
      {"493.8 nm", 493.8},
      {"  -5", -5},
      {"1d3", 1000},
      {"&H1F", 31},
      {"\"600\"", 600},
      {"1e400", inf},
      {"inf", 0},
      {"0x1d", 0},
      {"999999999", 999999999},                      // 9 characters: 32 bits
      {"9999999999", 9999999999.0},                  // 10: 64 bits
      {"999999999999999999", 999999999999999999.0},  // 18: 64 bits
      {"99999999999999999999", 1e20},                // 20: read as a decimal
      {"9007199254740993", 9007199254740992.0},      // beyond 2^53: nearest
      {"&HFFFFFFFF", 4294967295.0},                  // "&": 64 bits at any length
      {"&HFFFFFFF", 268435455.0},
  };
  for (const auto& c : cases) EXPECT_EQ(number_of_item(c.line), c.value) << c.line;
}

TEST(IntegerOfItem, RoundsTiesToEvenAndSaturates) {
  struct {
    const char* line;
    std::int32_t value;
  } const cases[] = {
      {"1.5", 2},
      {"2.5", 2},
      {"-1.5", -2},
      {"-2.5", -2},
      {"0.5", 0},
      {"0.5000000000000001", 1},
      {"2.4999999", 2},
      {"x", 0},
      {"", 0},
      {"1", 1},
      {"2", 2},
      {"1e10", 2147483647},
      {"-1e10", -2147483647 - 1},
      {"1e400", 2147483647},
      {"2147483646.5", 2147483646},
      {"-2147483648.4", -2147483647 - 1},
      {"99999999999", 2147483647},  // integer item, saturated
      {"&H1F", 31},
  };
  for (const auto& c : cases) EXPECT_EQ(integer_of_item(c.line), c.value) << c.line;
}

TEST(RoundToInt32, NotANumberGivesZero) {
  EXPECT_EQ(textio::round_to_int32(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(textio::round_to_int32(-std::numeric_limits<double>::infinity()),
            std::numeric_limits<std::int32_t>::min());
}

}  // namespace
