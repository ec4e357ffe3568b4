// Lines of numbers from a stream that arrives in pieces, for every command
// that reads stdin ("-"): `table` (a wavelength a line), `dominant` (x y or
// X Y Z a line) and the commands after them. One set of rules for all:
// - a UTF-8 byte-order mark at the very start is skipped (one later in the
//   input is an error, quoted escaped);
// - LF or CR LF line ends, a last line without one;
// - blank lines and lines whose first non-blank character is '#' are skipped;
// - numbers are separated by blanks, tabs or commas: "0.3 0.4", "0.3,0.4";
// - a line longer than `longest_line` bytes is refused, before its end
//   arrives: only the line being read is held, never the whole input.
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

namespace cli {

class number_lines {
 public:
  // No line of numbers comes near these; longer lines and more numbers are
  // refused rather than held without bound.
  static constexpr std::size_t longest_line = 4096;
  static constexpr std::size_t most_numbers = 16;

  void append(std::string_view bytes);
  // The input has ended: a last line without a line end still counts.
  void finish() { finished_ = true; }
  bool finished() const { return finished_; }

  // The numbers of the next line that has any, or nullopt when more input is
  // needed (or, after finish(), at the end). A bad line throws usage_error
  // "stdin line N: ...". The span lives until the next call.
  std::optional<std::span<const double>> next();
  // The number of the line that next() returned last (from 1).
  std::uint64_t line_number() const { return line_number_; }
  // "stdin line N", for the callers' own messages about a line.
  std::string line_name() const;

 private:
  std::span<const double> numbers_of(std::string_view line);

  std::string pending_;  // bytes from the start of the current line on
  std::size_t start_ = 0;
  std::uint64_t line_number_ = 0;
  bool finished_ = false;
  bool at_start_ = true;  // no byte of the input looked at yet (BOM check)
  std::array<double, most_numbers> numbers_{};
};

// Every line of a complete text with exactly one number: "600\n\n520" -> {600, 520}.
std::vector<double> parse_number_lines(std::string_view text);

}  // namespace cli
