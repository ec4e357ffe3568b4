#include "cli/number_input.h"

#include <charconv>
#include <cmath>
#include <string>

#include "cli/printable_text.h"
#include "cli/usage_error.h"

namespace cli {
namespace {

constexpr std::string_view blanks = " \t\r\n\f\v";

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

enum class number_reading { fine, not_a_number, out_of_range };

number_reading read_number_of(std::string_view text, double& value) {
  std::string_view digits = trimmed(text);
  // A plus sign is accepted as the C library accepts it, but only before the
  // digits: "+-40" is no number, although from_chars would read "-40".
  if (!digits.empty() && digits.front() == '+') {
    digits.remove_prefix(1);
    if (!digits.empty() && digits.front() == '-') return number_reading::not_a_number;
  }
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  const bool whole = !digits.empty() && end == digits.data() + digits.size();
  if (whole && error == std::errc::result_out_of_range) return number_reading::out_of_range;
  if (!whole || error != std::errc{} || !std::isfinite(value)) return number_reading::not_a_number;
  return number_reading::fine;
}

}  // namespace

std::string quoted(std::string_view text) {
  std::string out = "\"" + printable_text(text.substr(0, 60));
  if (text.size() > 60) out += "...";
  return out + "\"";
}

bool read_number(std::string_view text, double& value) {
  return read_number_of(text, value) == number_reading::fine;
}

double parse_number(std::string_view text, std::string_view what) {
  double value = 0.0;
  switch (read_number_of(text, value)) {
    case number_reading::fine:
      return value;
    case number_reading::out_of_range:
      throw usage_error(std::string(what) + ": " + quoted(text) + " is out of range");
    case number_reading::not_a_number:
      break;
  }
  throw usage_error(std::string(what) + ": " + quoted(text) + " is not a number");
}

}  // namespace cli
