#include "table/wavelength_input.h"

#include <charconv>
#include <cmath>
#include <string>

#include "table/printable_text.h"
#include "table/usage_error.h"

namespace table {
namespace {

constexpr std::string_view blanks = " \t\r\n\f\v";
constexpr std::string_view byte_order_mark = "\xef\xbb\xbf";

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

// Messages quote the user's text; bytes that would drive the terminal are
// escaped.
std::string quoted(std::string_view text) {
  std::string out = "\"" + printable_text(text.substr(0, 60));
  if (text.size() > 60) out += "...";
  return out + "\"";
}

}  // namespace

namespace {

enum class number_reading { fine, not_a_number, out_of_range };

number_reading read_number(std::string_view text, double& value) {
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

double parse_wavelength(std::string_view text, std::string_view what) {
  double value = 0.0;
  switch (read_number(text, value)) {
    case number_reading::fine:
      return value;
    case number_reading::out_of_range:
      throw usage_error(std::string(what) + ": " + quoted(text) + " is out of range");
    case number_reading::not_a_number:
      break;
  }
  throw usage_error(std::string(what) + ": " + quoted(text) + " is not a number");
}

void wavelength_lines::append(std::string_view bytes) {
  if (start_ > 0) {  // drop the lines already read before the buffer grows
    pending_.erase(0, start_);
    start_ = 0;
  }
  pending_.append(bytes);
}

std::optional<double> wavelength_lines::next() {
  for (;;) {
    if (at_start_) {
      // Only decided once three bytes are there (or the input has ended).
      if (pending_.size() < byte_order_mark.size() && !finished_ &&
          byte_order_mark.starts_with(pending_)) {
        return std::nullopt;
      }
      if (std::string_view(pending_).starts_with(byte_order_mark)) start_ = byte_order_mark.size();
      at_start_ = false;
    }
    const std::string_view rest = std::string_view(pending_).substr(start_);
    const auto end = rest.find('\n');
    // A line is complete at its line end, or as the last line of the input;
    // one already too long is refused before its end arrives.
    const bool complete = end != std::string_view::npos || (finished_ && !rest.empty());
    if (!complete && rest.size() <= longest_line) return std::nullopt;
    const std::string_view line = rest.substr(0, end);
    ++line_number_;
    if (line.size() > longest_line) {
      throw usage_error("stdin line " + std::to_string(line_number_) + " is longer than " +
                        std::to_string(longest_line) + " bytes");
    }
    start_ += end == std::string_view::npos ? rest.size() : end + 1;
    if (trimmed(line).empty()) continue;
    double value = 0.0;
    if (read_number(line, value) == number_reading::fine) return value;
    return parse_wavelength(line, "stdin line " + std::to_string(line_number_));  // throws
  }
}

std::vector<double> parse_wavelength_lines(std::string_view text) {
  wavelength_lines lines;
  lines.append(text);
  lines.finish();
  std::vector<double> wavelengths;
  while (const auto w = lines.next()) wavelengths.push_back(*w);
  return wavelengths;
}

}  // namespace table
