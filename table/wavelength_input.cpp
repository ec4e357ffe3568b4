#include "table/wavelength_input.h"

#include <charconv>
#include <cmath>
#include <string>

#include "table/usage_error.h"

namespace table {
namespace {

constexpr std::string_view blanks = " \t\r\n\f\v";

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

// Messages quote the user's text; control bytes would garble the terminal.
std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text.substr(0, 60)) {
    out += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? '?' : c;
  }
  if (text.size() > 60) out += "...";
  return out + "\"";
}

}  // namespace

double parse_wavelength(std::string_view text, std::string_view what) {
  std::string_view digits = trimmed(text);
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() ||
      !std::isfinite(value)) {
    throw usage_error(std::string(what) + ": " + quoted(text) + " is not a number");
  }
  return value;
}

std::vector<double> parse_wavelength_lines(std::string_view text) {
  std::vector<double> wavelengths;
  std::size_t line_number = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++line_number;
    if (trimmed(line).empty()) continue;
    wavelengths.push_back(
        parse_wavelength(line, "stdin line " + std::to_string(line_number)));
  }
  return wavelengths;
}

std::vector<double> read_wavelength_lines(std::FILE* in) {
  std::string text;
  char chunk[1 << 14];
  std::size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) text.append(chunk, n);
  if (std::ferror(in) != 0) throw usage_error("stdin: read error");
  return parse_wavelength_lines(text);
}

}  // namespace table
