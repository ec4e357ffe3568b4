// Formatting goes through std::to_chars, which is "%.16g" of the C locale by
// definition: correctly rounded, and immune to a decimal comma that a
// terminal library's setlocale would give snprintf.
#include "textio/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace textio {

namespace {

constexpr int significant_digits = 16;
constexpr std::size_t exponent_digits = 3;

// "1e-05" -> "1e-005"; texts without an exponent stay as they are.
std::string widen_exponent(std::string_view digits) {
  const auto e = digits.find('e');
  if (e == std::string_view::npos) return std::string(digits);
  std::string text(digits.substr(0, e + 2));  // mantissa, "e" and the sign
  const std::string_view exponent = digits.substr(e + 2);
  if (exponent.size() < exponent_digits) text.append(exponent_digits - exponent.size(), '0');
  text.append(exponent);
  return text;
}

}  // namespace

std::string number_text(double value) {
  std::string text;
  if (std::isnan(value)) {
    text = "nan";
  } else if (std::isinf(value)) {
    text = value < 0 ? "-inf" : "inf";
  } else {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, significant_digits);
    text = widen_exponent(std::string_view(buffer.data(), result.ptr));
  }
  if (text.front() != '-') text.insert(text.begin(), ' ');
  return text;
}

}  // namespace textio
