// Only the first item of a line counts; the rest of the line is ignored.
#include "textio/numeric_item.h"

#include <cmath>
#include <limits>

#include "textio/number_conversion.h"

namespace textio {

namespace {

bool ends_item(char c) { return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool marks_floating(char c) { return c == '.' || c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

constexpr std::size_t integer32_item = 9;
constexpr std::size_t integer64_item = 18;

}  // namespace

numeric_item numeric_item_of(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  numeric_item item;
  if (i < line.size() && line[i] == '"') {
    ++i;
    while (i < line.size() && line[i] != '"') item.text.push_back(line[i++]);
  } else {
    while (i < line.size() && !ends_item(line[i])) item.text.push_back(line[i++]);
  }
  if (item.text.size() > numeric_item_limit) item.text.resize(numeric_item_limit);
  for (const char c : item.text) {
    if (c == '&') break;
    if (marks_floating(c)) {
      item.floating = true;
      break;
    }
  }
  if (item.floating) {
    for (char& c : item.text) {
      if (c == 'D') c = 'E';
      if (c == 'd') c = 'e';
    }
  }
  return item;
}

double number_of_item(std::string_view line) {
  const numeric_item item = numeric_item_of(line);
  if (item.floating) return number_from_text(item.text);
  if (item.text.size() <= integer32_item) {
    return static_cast<double>(integer_from_text(item.text, integer_width::bits32));
  }
  if (item.text.size() <= integer64_item || item.text.front() == '&') {
    return static_cast<double>(integer_from_text(item.text, integer_width::bits64));
  }
  return number_from_text(item.text);
}

std::int32_t round_to_int32(double value) {
  if (std::isnan(value)) return 0;
  constexpr double lowest = std::numeric_limits<std::int32_t>::min();
  constexpr double highest = std::numeric_limits<std::int32_t>::max();
  if (value <= lowest) return std::numeric_limits<std::int32_t>::min();
  if (value >= highest) return std::numeric_limits<std::int32_t>::max();
  // Within the 32-bit range the difference to the floor is exact.
  double whole = std::floor(value);
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return static_cast<std::int32_t>(whole);
}

std::int32_t integer_of_item(std::string_view line) {
  const numeric_item item = numeric_item_of(line);
  if (item.floating) return round_to_int32(number_from_text(item.text));
  return static_cast<std::int32_t>(integer_from_text(item.text, integer_width::bits32));
}

}  // namespace textio
