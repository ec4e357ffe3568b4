// Writes table rows as CSV, TSV, a JSON array of objects or JSON Lines.
// Numbers are the shortest text that reads back to the same double; NaN and
// the infinities are empty fields in CSV/TSV and null in JSON.
//   csv:   wavelength,path,l,lc,...\n600,middle,489.996,600,...\n
//   json:  [\n{"wavelength":600,"path":"middle",...},\n...\n]\n
//   jsonl: {"wavelength":600,"path":"middle",...}\n
// Several models side by side: the wavelength once, then every other column
// once per model, prefixed by its name:
//   csv:   wavelength,legacy_path,legacy_l,...,cie1931_path,cie1931_l,...\n
// A row is written into memory the caller provides (max_row_bytes), so that
// threads can format blocks of rows of their own; every piece of text but
// the numbers comes from the commands' record layout (cli/record_writer.h),
// made once: the path is a plain word, so the fields go between its pieces
// with no quoting, and the bytes are those of the record writer.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/record_writer.h"
#include "command_rows/table_columns.h"

namespace table {

using table_format = cli::record_format;

// Room for any row in any format: 19 numbers of at most 24 characters, the
// path and the JSON keys come to about 730.
inline constexpr std::size_t max_row_bytes = 1024;

class row_formatter {
 public:
  explicit row_formatter(table_format format);
  // One part per model, each column but the wavelength prefixed "<name>_".
  row_formatter(table_format format, const std::vector<std::string>& model_names);

  // Room for any row of this formatter.
  std::size_t row_bytes() const { return max_row_bytes * parts_; }

  std::string_view header() const { return layout_.header(); }  // the CSV/TSV header line, or "["
  std::string_view footer() const { return layout_.footer(); }  // "\n]\n" for a JSON array

  // Writes row r at `out` (room for max_row_bytes); `first` tells whether it
  // is the table's first row (JSON separates the others with ",\n").
  // Returns the end of the row.
  char* write_row(char* out, const table_row& r, bool first) const {
    return write_row(out, std::span(&r, 1), first);
  }
  // The same wavelength's row from each model, in the order of the names.
  char* write_row(char* out, std::span<const table_row> parts, bool first) const;

 private:
  // The columns: the wavelength, then path, l, lc, ... once per model.
  cli::record_layout layout_;
  std::size_t parts_;
};

}  // namespace table
