#include "cli/number_lines.h"

#include "cli/number_input.h"
#include "cli/usage_error.h"

namespace cli {
namespace {

constexpr std::string_view separators = " \t\r\f\v,";

}  // namespace

std::span<const double> number_lines::numbers_of(std::string_view line) {
  std::size_t count = 0;
  std::size_t pos = line.find_first_not_of(separators);
  if (pos != std::string_view::npos && line[pos] == '#') return {};  // a comment
  while (pos != std::string_view::npos) {
    const std::size_t end = line.find_first_of(separators, pos);
    const std::string_view text = line.substr(pos, end == std::string_view::npos ? end : end - pos);
    if (count == most_numbers) {
      throw usage_error(line_name() + ": more than " + std::to_string(most_numbers) + " numbers");
    }
    numbers_[count++] = parse_number(text, line_name());
    pos = end == std::string_view::npos ? end : line.find_first_not_of(separators, end);
  }
  return std::span<const double>(numbers_).first(count);
}

std::optional<std::span<const double>> number_lines::next() {
  while (const auto line = lines_.next()) {
    const std::span<const double> numbers = numbers_of(*line);
    if (!numbers.empty()) return numbers;
  }
  return std::nullopt;
}

std::vector<double> parse_number_lines(std::string_view text) {
  number_lines lines;
  lines.append(text);
  lines.finish();
  std::vector<double> out;
  while (const auto numbers = lines.next()) {
    if (numbers->size() != 1) {
      throw usage_error(lines.line_name() + ": one number a line, not " +
                        std::to_string(numbers->size()));
    }
    out.push_back(numbers->front());
  }
  return out;
}

}  // namespace cli
