#include "cli/number_lines.h"

#include "cli/number_input.h"
#include "cli/usage_error.h"

namespace cli {
namespace {

constexpr std::string_view byte_order_mark = "\xef\xbb\xbf";
constexpr std::string_view separators = " \t\r\f\v,";

}  // namespace

void number_lines::append(std::string_view bytes) {
  if (start_ > 0) {  // drop the lines already read before the buffer grows
    pending_.erase(0, start_);
    start_ = 0;
  }
  pending_.append(bytes);
}

std::string number_lines::line_name() const { return "stdin line " + std::to_string(line_number_); }

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
      throw usage_error(line_name() + " is longer than " + std::to_string(longest_line) + " bytes");
    }
    start_ += end == std::string_view::npos ? rest.size() : end + 1;
    const std::span<const double> numbers = numbers_of(line);
    if (!numbers.empty()) return numbers;
  }
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
