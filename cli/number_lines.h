// Lines of numbers from a stream that arrives in pieces, for every command
// that reads stdin ("-"): `table` (a wavelength a line), `dominant` (x y or
// X Y Z a line) and the commands after them. One set of rules for all:
// - the lines are those of cli::text_lines: a UTF-8 byte-order mark at the
//   very start is skipped (one later in the input is an error, quoted
//   escaped), LF or CR LF line ends, no line over `longest_line` bytes;
// - blank lines and lines whose first non-blank character is '#' are skipped;
// - numbers are separated by blanks, tabs or commas: "0.3 0.4", "0.3,0.4".
//
//   append("600\n5"); next() -> {600}; next() -> nullopt (needs more);
//   append("20\n"); next() -> {520}; finish(); next() -> nullopt (the end)
//   "0.3, 0.4\n# note\n\n31 32 33\n" -> {0.3, 0.4}, {31, 32, 33}
//   "600x\n" -> usage_error "stdin line 1: \"600x\" is not a number"
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/text_lines.h"

namespace cli {

class number_lines {
 public:
  // No line of numbers comes near these; longer lines and more numbers are
  // refused rather than held without bound.
  static constexpr std::size_t longest_line = text_lines::longest_line;
  static constexpr std::size_t most_numbers = 16;

  void append(std::string_view bytes) { lines_.append(bytes); }
  // The input has ended: a last line without a line end still counts.
  void finish() { lines_.finish(); }
  bool finished() const { return lines_.finished(); }

  // The numbers of the next line that has any, or nullopt when more input is
  // needed (or, after finish(), at the end). A bad line throws usage_error
  // "stdin line N: ...". The span lives until the next call.
  std::optional<std::span<const double>> next();
  // The number of the line that next() returned last (from 1).
  std::uint64_t line_number() const { return lines_.line_number(); }
  // "stdin line N", for the callers' own messages about a line.
  std::string line_name() const { return lines_.line_name(); }

 private:
  std::span<const double> numbers_of(std::string_view line);

  text_lines lines_;
  std::array<double, most_numbers> numbers_{};
};

// Every line of a complete text with exactly one number: "600\n\n520" -> {600, 520}.
std::vector<double> parse_number_lines(std::string_view text);

}  // namespace cli
