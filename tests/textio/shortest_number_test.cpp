#include "textio/shortest_number.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/same_as_to_chars.h"

namespace {

TEST(ShortestNumber, HeaderExamples) {
  EXPECT_EQ(textio::shortest_text(45.67611650968549), "45.67611650968549");
  EXPECT_EQ(textio::shortest_text(600), "600");
  EXPECT_EQ(textio::shortest_text(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(textio::shortest_text(1e-05), "1e-05");
  EXPECT_EQ(textio::shortest_text(-0.0), "-0");
}

// The layout rule at its edges: the plain form wins ties, the exponent form
// needs three digits from 1e100, and trailing zeros count.
TEST(ShortestNumber, PlainOrExponentFormWhicheverIsShorter) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0.001, "0.001"},     {0.0001, "1e-04"},       {0.00015, "0.00015"},
      {1e15, "1e+15"},      {123456, "123456"},      {1200000, "1200000"},
      {12000000, "1.2e+07"}, {1e100, "1e+100"},      {1.5e-100, "1.5e-100"},
      {5e-324, "5e-324"},   {1.7976931348623157e308, "1.7976931348623157e+308"},
      {-556.84, "-556.84"}, {100, "100"},            {1000, "1000"},
      {9223372036854775808.0, "9223372036854775808"},  // 2^63: its exact digits
  };
  for (const auto& c : cases) EXPECT_EQ(textio::shortest_text(c.value), c.text) << c.text;
}

TEST(ShortestNumber, ReadsBackToTheSameDouble) {
  for (const double v : {489.996, 571.2089999999999, 0.3477056641250473, 1.0351399999999984,
                         -556.84, 5e-324, 1.7976931348623157e308}) {
    EXPECT_EQ(std::strtod(textio::shortest_text(v).c_str(), nullptr), v) << v;
  }
}

// The powers of two are where Dragonbox takes its other path (the gap below
// is half the gap above): every one of them, and its neighbours.
TEST(ShortestNumber, SameBytesAsToCharsForEveryPowerOfTwo) {
  const auto result = test_support::compare_with_to_chars(3 * 2046, [](std::uint64_t i) {
    const double power = std::ldexp(1.0, static_cast<int>(i / 3) - 1022);
    return i % 3 == 0 ? power : std::nextafter(power, i % 3 == 1 ? 0.0 : HUGE_VAL);
  });
  EXPECT_EQ(result.first_difference, "") << "a double written differently (to_chars | ours)";
}

// The writer stores whole words past the text's end, never past the room it
// asks for: 17 digits with the point in every place, and the longest exponent
// forms.
TEST(ShortestNumber, WritesNothingPastItsRoom) {
  std::vector<double> values = {-1.2345678901234567e-308, -1.7976931348623157e308, -5e-324,
                                -0.0012345678901234567, 9007199254740993e3};
  for (double v = -12345678901234567.0; std::fabs(v) > 1; v /= 10) values.push_back(v);
  for (const double v : values) {
    char room[64];
    std::memset(room, 0x7f, sizeof room);
    char* const end = textio::write_shortest(v, room);
    EXPECT_EQ(std::string(room + 0, end), textio::shortest_text(v));
    EXPECT_EQ(std::string(room + textio::shortest_number_capacity, room + sizeof room),
              std::string(sizeof room - textio::shortest_number_capacity, '\x7f'))
        << textio::shortest_text(v);
  }
}

// Tens of millions of doubles, byte for byte as std::to_chars writes them:
// random bit patterns (every exponent, subnormals) and decimals of the
// table's kind (up to 17 digits, wavelengths, shares, percentages).
TEST(ShortestNumber, SameBytesAsToCharsOverTensOfMillionsOfDoubles) {
  constexpr std::uint64_t per_kind = 12'000'000;
  const auto random_bits = [](std::uint64_t i) {
    std::uint64_t z = i * 0x9e3779b97f4a7c15u;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    const double v = std::bit_cast<double>(z ^ (z >> 31));
    return std::isfinite(v) ? v : 0.0;
  };
  const auto table_like = [](std::uint64_t i) {
    std::uint64_t z = (i + 0x51ed2701u) * 0x9e3779b97f4a7c15u;
    z = (z ^ (z >> 29)) * 0xbf58476d1ce4e5b9u;
    std::uint64_t digits_limit = 10;  // 1 to 17 digits
    for (std::uint64_t d = (z >> 59) % 17; d > 0; --d) digits_limit *= 10;
    double scale = 1;  // divided by 10^0 .. 10^21: both exact, one rounding
    for (std::uint64_t k = (z >> 53) % 22; k > 0; --k) scale *= 10;
    const double v = static_cast<double>(z % digits_limit) / scale;
    return (z >> 52) & 1 ? -v : v;
  };
  const auto result = test_support::compare_with_to_chars(
      2 * per_kind, [&](std::uint64_t i) { return i % 2 == 0 ? random_bits(i / 2) : table_like(i / 2); });
  EXPECT_EQ(result.first_difference, "") << "a double written differently (to_chars | ours)";
  EXPECT_EQ(result.compared, 2 * per_kind);
}

}  // namespace
