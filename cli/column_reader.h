// One column of numbers from a CSV or TSV table with a header line, read from
// stdin as it arrives, so that a measured data file works as it is:
//
//   column_reader nm("nm");
//   "# spectrometer 3\nnm,R\n380,0.12\n\n385,0.13\n" -> 380, 385
//   column_reader("2") on the same input -> 0.12, 0.13 (a 1-based number)
//
// The first line that is not blank or a '#' comment is the header; its
// fields name the columns (a name wins over a number: a column may be called
// "2"). The separator is the header's: a tab if it has one, else a
// semicolon if it has one and no comma, else a comma. A field may be quoted
// ("a, b", with "" for a quote). After the header, blank lines, '#' comments
// and lines of empty fields alone (a spreadsheet's trailing rows) are
// skipped; a row without that column, an empty cell or one that is no
// number is a usage_error naming its line:
//   stdin line 4, column "nm": "3.8e" is not a number
// The lines are those of cli::text_lines (bounded; BOM, CR LF).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/text_lines.h"

namespace cli {

class column_reader {
 public:
  // `column`: a header name, or a 1-based number.
  explicit column_reader(std::string column) : column_(std::move(column)) {}

  void append(std::string_view bytes) { lines_.append(bytes); }
  void finish() { lines_.finish(); }
  bool finished() const { return lines_.finished(); }

  // The column's number on the next row that has one (a span of one), or
  // nullopt when more input is needed (or, after finish(), at the end). The
  // span lives until the next call.
  std::optional<std::span<const double>> next();
  std::string line_name() const { return lines_.line_name(); }

 private:
  void choose_column(std::string_view header);

  text_lines lines_;
  std::string column_;
  std::optional<std::size_t> index_;  // set once the header is read
  char separator_ = ',';
  std::vector<std::string> fields_;
  double value_ = 0.0;
};

// The fields of one line, unquoted: split_fields("a,\"b,c\",", ',') -> {"a", "b,c", ""}.
void split_fields(std::string_view line, char separator, std::vector<std::string>& fields);

}  // namespace cli
