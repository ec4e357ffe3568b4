// A strict scanner for the decimal form decides how much of the text is a
// number; std::from_chars then rounds exactly that text (correctly rounded,
// and independent of the locale's decimal point).
#include "textio/number_conversion.h"

#include <charconv>
#include <limits>
#include <string>
#include <system_error>

namespace textio {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string_view skip_blanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

int digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

std::uint64_t largest(integer_width width) {
  return width == integer_width::bits32
             ? static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())
             : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
}

// Digits in `base` from the start of `digits`, as a magnitude that stops
// growing at `limit`.
std::uint64_t read_magnitude(std::string_view digits, int base, std::uint64_t limit) {
  std::uint64_t value = 0;
  for (const char c : digits) {
    const int d = digit_value(c);
    if (d >= base) break;
    const auto digit = static_cast<std::uint64_t>(d);
    const auto b = static_cast<std::uint64_t>(base);
    value = value > (limit - digit) / b ? limit : value * b + digit;
  }
  return value;
}

std::int64_t read_ampersand_form(std::string_view text, integer_width width) {
  // text starts after the "&"
  const std::uint64_t limit = largest(width);
  if (text.empty()) return 0;
  int base = 8;
  switch (text.front()) {
    case 'H': case 'h': base = 16; text.remove_prefix(1); break;
    case 'B': case 'b': base = 2; text.remove_prefix(1); break;
    case 'O': case 'o': base = 8; text.remove_prefix(1); break;
    default: break;
  }
  return static_cast<std::int64_t>(read_magnitude(text, base, limit));
}

// The decimal form: [+-] digits [. digits] [e [+-] digits], at least one
// mantissa digit. Reports how long the match is and whether its magnitude
// lies above 1 (to tell overflow from underflow when rounding fails).
struct decimal_match {
  std::size_t length = 0;
  bool large = false;
};

decimal_match scan_decimal(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t mantissa_digits = 0;
  bool after_point = false;
  bool nonzero_seen = false;
  // The value lies in [10^(m-1), 10^m): m counts integer digits from the
  // first non-zero one, or is 1 - f for a first non-zero fraction digit f.
  long long m = 0;
  long long fraction_position = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && !after_point) {
      after_point = true;
      continue;
    }
    if (!is_digit(c)) break;
    ++mantissa_digits;
    if (after_point) ++fraction_position;
    if (c != '0' && !nonzero_seen) {
      nonzero_seen = true;
      if (after_point) m = 1 - fraction_position;
    }
    if (nonzero_seen && !after_point) ++m;
  }
  if (mantissa_digits == 0) return {};
  std::size_t length = i;
  long long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool negative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      negative = text[j] == '-';
      ++j;
    }
    if (j < text.size() && is_digit(text[j])) {
      for (; j < text.size() && is_digit(text[j]); ++j) {
        if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[j] - '0');
      }
      if (negative) exponent = -exponent;
      length = j;
    }
  }
  return {length, nonzero_seen && m + exponent > 0};
}

}  // namespace

std::int64_t integer_from_text(std::string_view text, integer_width width) {
  text = skip_blanks(text);
  if (text.empty()) return 0;
  if (text.front() == '&') return read_ampersand_form(text.substr(1), width);
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // The negative limit is one beyond the positive one.
  const std::uint64_t limit = largest(width) + (negative ? 1 : 0);
  const std::uint64_t magnitude = read_magnitude(text.substr(0, text.find_first_not_of("0123456789")),
                                                 10, limit);
  if (!negative) return static_cast<std::int64_t>(magnitude);
  if (magnitude == 0) return 0;
  return -static_cast<std::int64_t>(magnitude - 1) - 1;
}

double number_from_text(std::string_view text) {
  text = skip_blanks(text);
  if (text.empty()) return 0.0;
  if (text.front() == '&') {
    return static_cast<double>(integer_from_text(text, integer_width::bits64));
  }
  std::string decimal(text);
  for (char& c : decimal) {
    if (c == 'D') c = 'E';
    if (c == 'd') c = 'e';
  }
  const decimal_match match = scan_decimal(decimal);
  if (match.length == 0) return 0.0;
  decimal.resize(match.length);
  const bool negative = decimal.front() == '-';
  const std::size_t start = (decimal.front() == '+' || decimal.front() == '-') ? 1 : 0;
  double value = 0.0;
  const auto result = std::from_chars(decimal.data() + start, decimal.data() + decimal.size(),
                                      value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = match.large ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

}  // namespace textio
