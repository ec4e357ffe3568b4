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

row_formatter::row_formatter(table_format format) : row_formatter(format, {""}) {}

row_formatter::row_formatter(table_format format, const std::vector<std::string>& model_names) {
  std::vector<std::string> prefixes;
  for (const std::string& name : model_names) prefixes.push_back(name.empty() ? "" : name + "_");
  parts_.resize(prefixes.size());
  const bool json = format == table_format::json || format == table_format::jsonl;
  if (!json) {
    const std::string separator = format == table_format::csv ? "," : "\t";
    header_ = table_column_names[0];
    for (const std::string& prefix : prefixes) {
      for (std::size_t i = 1; i < table_column_names.size(); ++i) {
        header_ += separator + prefix + std::string(table_column_names[i]);
      }
    }
    header_ += '\n';
    for (part_text& part : parts_) {
      part.path_start = separator;
      for (std::size_t i = 1; i < part.before_number.size(); ++i) part.before_number[i] = separator;
    }
    row_end_ = "\n";
  } else {
    // Column names, model names and the path are plain words: no escaping needed.
    const auto key = [](std::string_view name) { return "\"" + std::string(name) + "\":"; };
    not_finite_ = "null";
    row_start_ = "{" + key(table_column_names[0]);
    for (std::size_t p = 0; p < parts_.size(); ++p) {
      part_text& part = parts_[p];
      part.path_start = "," + key(prefixes[p] + std::string(table_column_names[1])) + "\"";
      for (std::size_t i = 1; i < part.before_number.size(); ++i) {
        part.before_number[i] = "," + key(prefixes[p] + std::string(table_column_names[i + 1]));
      }
      part.before_number[1] = "\"" + part.before_number[1];  // closes the path's quote
    }
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

char* row_formatter::write_row(char* out, std::span<const table_row> parts, bool first) const {
  const auto number = [&](char* at, double v) {
    return std::isfinite(v) ? textio::write_shortest(v, at) : put(at, not_finite_);
  };
  out = put(out, first ? first_row_start_ : later_row_start_);
  out = number(out, parts[0].numbers[0]);
  for (std::size_t p = 0; p < parts_.size(); ++p) {
    const table_row& r = parts[p];
    const part_text& text = parts_[p];
    out = put(out, text.path_start);
    out = put(out, r.path);
    for (std::size_t i = 1; i < r.numbers.size(); ++i) {
      out = put(out, text.before_number[i]);
      out = number(out, r.numbers[i]);
    }
  }
  return put(out, row_end_);
}

}  // namespace table
