// Wavelengths typed by the user for the batch commands: single numbers and
// lists read from a stream, one per line. Arguments are checked before any
// result is written; lines from a stream are checked as they arrive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace table {

// A finite decimal number, nothing else; blanks around it are allowed:
//   "600" -> 600, " 489.996 " -> 489.996, "+5e2" -> 500,
//   "600nm", "6,5", "", "nan", "inf" -> usage_error "... is not a number",
//   "1e400", "1e-400" -> usage_error "... is out of range".
// `what` names the entry in the message, e.g. "wavelength" or "--from".
double parse_wavelength(std::string_view text, std::string_view what);

// Wavelengths one per line from a stream that arrives in pieces: blank lines
// are skipped, CR LF line ends allowed, a UTF-8 byte-order mark at the very
// start is skipped. Only the line being read is held, never the whole input.
//   append("600\n5"); next() -> 600; next() -> nullopt (needs more);
//   append("20\n"); next() -> 520;  finish(); next() -> nullopt (the end)
class wavelength_lines {
 public:
  // A line longer than this cannot be a wavelength; it is refused rather
  // than held in memory without bound.
  static constexpr std::size_t longest_line = 4096;

  void append(std::string_view bytes);
  // The input has ended: a last line without a line end still counts.
  void finish() { finished_ = true; }
  bool finished() const { return finished_; }

  // The next wavelength of the complete lines, or nullopt when more input is
  // needed (or, after finish(), at the end). A bad line throws usage_error
  // "stdin line N: ...".
  std::optional<double> next();
  // The number of the line that next() returned last (from 1).
  std::uint64_t line_number() const { return line_number_; }

 private:
  std::string pending_;  // bytes from the start of the current line on
  std::size_t start_ = 0;
  std::uint64_t line_number_ = 0;
  bool finished_ = false;
  bool at_start_ = true;  // no byte of the input looked at yet (BOM check)
};

// All wavelengths of a complete text, as wavelength_lines reads them.
std::vector<double> parse_wavelength_lines(std::string_view text);

}  // namespace table
