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
// the numbers is a string made once.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "table/table_columns.h"

namespace table {

enum class table_format { csv, tsv, json, jsonl };

// "csv", "tsv", "json", "jsonl" -> the format; anything else -> nullopt.
std::optional<table_format> table_format_named(std::string_view name);

// Room for any row in any format: 19 numbers of at most 24 characters, the
// path and the JSON keys come to about 730.
inline constexpr std::size_t max_row_bytes = 1024;

class row_formatter {
 public:
  explicit row_formatter(table_format format);
  // One part per model, each column but the wavelength prefixed "<name>_".
  row_formatter(table_format format, const std::vector<std::string>& model_names);

  // Room for any row of this formatter.
  std::size_t row_bytes() const { return max_row_bytes * parts_.size(); }

  std::string_view header() const { return header_; }  // the CSV/TSV header line, or "["
  std::string_view footer() const { return footer_; }  // "\n]\n" for a JSON array

  // Writes row r at `out` (room for max_row_bytes); `first` tells whether it
  // is the table's first row (JSON separates the others with ",\n").
  // Returns the end of the row.
  char* write_row(char* out, const table_row& r, bool first) const {
    return write_row(out, std::span(&r, 1), first);
  }
  // The same wavelength's row from each model, in the order of the names.
  char* write_row(char* out, std::span<const table_row> parts, bool first) const;

 private:
  std::string header_;
  std::string footer_;
  std::string_view not_finite_;  // "" or "null"
  std::string row_start_;        // "" or "{\"wavelength\":"
  std::string first_row_start_;  // the same, after "\n" for a JSON array
  std::string later_row_start_;  // the same, after ",\n" for a JSON array
  struct part_text {
    std::string path_start;  // "," or ",\"path\":\""
    // What comes before number i (1...) of a row: "," or ",\"l\":"; after
    // the path, the first of them closes its quote for JSON.
    std::array<std::string, table_numbers{}.size()> before_number;
  };
  std::vector<part_text> parts_;
  std::string row_end_;          // "\n", "}" or "}\n"
};

}  // namespace table
