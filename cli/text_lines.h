// The lines of a text that arrives in pieces (stdin read as it comes), for
// the readers of lines of numbers and of a table's column:
// - a UTF-8 byte-order mark at the very start is skipped;
// - LF or CR LF line ends (the CR is dropped), a last line without one;
// - a line longer than `longest_line` bytes is refused before its end
//   arrives: only the line being read is held, never the whole input.
//
//   append("600\r\n5"); next() -> "600"; next() -> nullopt (needs more);
//   append("20"); finish(); next() -> "520"; next() -> nullopt (the end)
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cli {

class text_lines {
 public:
  static constexpr std::size_t longest_line = 4096;

  void append(std::string_view bytes);
  // The input has ended: a last line without a line end still counts.
  void finish() { finished_ = true; }
  bool finished() const { return finished_; }

  // The next complete line, or nullopt when more input is needed (or, after
  // finish(), at the end). A line too long throws usage_error "stdin line N
  // is longer than 4096 bytes". The view lives until the next call.
  std::optional<std::string_view> next();
  // The number of the line that next() returned last (from 1).
  std::uint64_t line_number() const { return line_number_; }
  // "stdin line N", for messages about that line.
  std::string line_name() const;

 private:
  std::string pending_;  // bytes from the start of the current line on
  std::size_t start_ = 0;
  std::uint64_t line_number_ = 0;
  bool finished_ = false;
  bool at_start_ = true;  // no byte of the input looked at yet (BOM check)
};

}  // namespace cli
