#include "table/table_writer.h"

#include <cmath>
#include <cstring>

#include "textio/shortest_number.h"

namespace table {
namespace {

char* put(char* out, std::string_view text) {
  if (text.empty()) return out;  // its data() may be null, which memcpy must not get
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

}  // namespace

std::optional<table_format> table_format_named(std::string_view name) {
  if (name == "csv") return table_format::csv;
  if (name == "tsv") return table_format::tsv;
  if (name == "json") return table_format::json;
  if (name == "jsonl") return table_format::jsonl;
  return std::nullopt;
}

row_formatter::row_formatter(table_format format) {
  const bool json = format == table_format::json || format == table_format::jsonl;
  if (!json) {
    const std::string separator = format == table_format::csv ? "," : "\t";
    for (std::size_t i = 0; i < table_column_names.size(); ++i) {
      if (i != 0) header_ += separator;
      header_ += table_column_names[i];
    }
    header_ += '\n';
    path_start_ = separator;
    for (std::size_t i = 1; i < before_number_.size(); ++i) before_number_[i] = separator;
    row_end_ = "\n";
  } else {
    // Column names and the path are plain ASCII words: no escaping needed.
    const auto key = [](std::string_view name) { return "\"" + std::string(name) + "\":"; };
    not_finite_ = "null";
    row_start_ = "{" + key(table_column_names[0]);
    path_start_ = "," + key(table_column_names[1]) + "\"";
    for (std::size_t i = 1; i < before_number_.size(); ++i) {
      before_number_[i] = "," + key(table_column_names[i + 1]);
    }
    before_number_[1] = "\"" + before_number_[1];  // closes the path's quote
    if (format == table_format::json) {
      header_ = "[";
      footer_ = "\n]\n";
      row_end_ = "}";
    } else {
      row_end_ = "}\n";
    }
  }
  const bool array = format == table_format::json;
  first_row_start_ = (array ? "\n" : "") + row_start_;
  later_row_start_ = (array ? ",\n" : "") + row_start_;
}

char* row_formatter::write_row(char* out, const table_row& r, bool first) const {
  const auto number = [&](char* at, double v) {
    return std::isfinite(v) ? textio::write_shortest(v, at) : put(at, not_finite_);
  };
  out = put(out, first ? first_row_start_ : later_row_start_);
  out = number(out, r.numbers[0]);
  out = put(out, path_start_);
  out = put(out, r.path);
  for (std::size_t i = 1; i < r.numbers.size(); ++i) {
    out = put(out, before_number_[i]);
    out = number(out, r.numbers[i]);
  }
  return put(out, row_end_);
}

}  // namespace table
