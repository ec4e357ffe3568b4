// Records of named columns written as CSV, TSV, a JSON array of objects or
// JSON Lines, for every command that writes rows. Numbers are the shortest
// text that reads back to the same double; NaN and the infinities are empty
// fields in CSV/TSV and null in JSON.
//   csv:   x,y,dominant\n0.3,0.4,553.512\n
//   tsv:   x\ty\tdominant\n0.3\t0.4\t553.512\n
//   json:  [\n{"x":0.3,"y":0.4,"dominant":553.512},\n...\n]\n
//   jsonl: {"x":0.3,"y":0.4,"dominant":553.512}\n
// Text fields are quoted where the format needs it: CSV as RFC 4180 does
// ("a,b" -> "\"a,b\""), JSON escaped with invalid UTF-8 replaced by U+FFFD,
// TSV with tabs and line ends as spaces.
//
// `record_layout` is the fixed text around the fields, made once; a writer
// that knows its texts need no quoting (the table's fast row writer) puts
// the fields between these pieces itself and gives the same bytes.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/output_buffer.h"

namespace cli {

enum class record_format { csv, tsv, json, jsonl };

// "csv", "tsv", "json", "jsonl" -> the format; anything else -> nullopt.
std::optional<record_format> record_format_named(std::string_view name);
// The same, or a usage_error: --format: "xml" is not csv, tsv, json or jsonl.
record_format parse_record_format(std::string_view name);

struct column {
  std::string name;  // a plain word: letters, digits, '_'
  bool text = false;   // a text field (quoted in JSON), or a number
};

class record_layout {
 public:
  record_layout(record_format format, std::vector<column> columns);

  record_format format() const { return format_; }
  const std::vector<column>& columns() const { return columns_; }
  bool json() const { return format_ == record_format::json || format_ == record_format::jsonl; }

  std::string_view header() const { return header_; }  // the CSV/TSV header line, or "["
  std::string_view footer() const { return footer_; }  // "\n]\n" for a JSON array
  // What starts a record, up to its first field (JSON arrays separate the
  // records after the first with ",\n").
  std::string_view row_start(bool first) const { return first ? first_row_start_ : later_row_start_; }
  // What comes between field i - 1 and field i (i >= 1): "," or "\",\"l\":".
  std::string_view before(std::size_t i) const { return before_[i]; }
  std::string_view row_end() const { return row_end_; }
  std::string_view not_finite() const { return not_finite_; }  // "" or "null"

 private:
  record_format format_;
  std::vector<column> columns_;
  std::string header_;
  std::string footer_;
  std::string first_row_start_;
  std::string later_row_start_;
  std::vector<std::string> before_;
  std::string row_end_;
  std::string not_finite_;
};

// One field of a record: a number, or a text for a text column.
struct field {
  field(double n) : number(n) {}              // NOLINT: a number converts implicitly
  field(std::string_view t) : text(t) {}      // NOLINT: so does a text
  double number = 0;
  std::string_view text;
};

// Writes records through a byte sink: the header before the first, the
// footer at finish(). Every text goes out quoted as its format needs.
class record_writer {
 public:
  record_writer(const record_layout& layout, output_buffer& out) : layout_(layout), out_(out) {}

  // One field for each column, in the layout's order.
  void write(std::span<const field> fields);
  // The header (when no record came), the footer, and everything flushed;
  // whether every byte reached the sink.
  bool finish();
  std::uint64_t records() const { return records_; }

 private:
  void put_text(std::string_view text);

  const record_layout& layout_;
  output_buffer& out_;
  std::uint64_t records_ = 0;
  std::string scratch_;
};

}  // namespace cli
