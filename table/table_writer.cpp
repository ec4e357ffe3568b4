#include "table/table_writer.h"

namespace table {

std::optional<table_format> table_format_named(std::string_view name) {
  if (name == "csv") return table_format::csv;
  if (name == "tsv") return table_format::tsv;
  if (name == "json") return table_format::json;
  if (name == "jsonl") return table_format::jsonl;
  return std::nullopt;
}

void table_writer::begin() {
  switch (format_) {
    case table_format::csv:
    case table_format::tsv: {
      const char separator = format_ == table_format::csv ? ',' : '\t';
      for (std::size_t i = 0; i < table_column_names.size(); ++i) {
        if (i != 0) out_.put(separator);
        out_.put(table_column_names[i]);
      }
      out_.put('\n');
      break;
    }
    case table_format::json:
      out_.put('[');
      break;
    case table_format::jsonl:
      break;
  }
}

void table_writer::row(const table_row& r) {
  switch (format_) {
    case table_format::csv:
      delimited_row(r, ',');
      break;
    case table_format::tsv:
      delimited_row(r, '\t');
      break;
    case table_format::json:
      out_.put(first_row_ ? "\n" : ",\n");
      json_object(r);
      break;
    case table_format::jsonl:
      json_object(r);
      out_.put('\n');
      break;
  }
  first_row_ = false;
}

void table_writer::end() {
  if (format_ == table_format::json) out_.put("\n]\n");
}

void table_writer::delimited_row(const table_row& r, char separator) {
  out_.put_number(r.numbers[0], "");
  out_.put(separator);
  out_.put(r.path);
  for (std::size_t i = 1; i < r.numbers.size(); ++i) {
    out_.put(separator);
    out_.put_number(r.numbers[i], "");
  }
  out_.put('\n');
}

void table_writer::json_object(const table_row& r) {
  // Column names and the path are plain ASCII words: no escaping needed.
  out_.put("{\"");
  out_.put(table_column_names[0]);
  out_.put("\":");
  out_.put_number(r.numbers[0], "null");
  out_.put(",\"path\":\"");
  out_.put(r.path);
  out_.put('"');
  for (std::size_t i = 1; i < r.numbers.size(); ++i) {
    out_.put(",\"");
    out_.put(table_column_names[i + 1]);
    out_.put("\":");
    out_.put_number(r.numbers[i], "null");
  }
  out_.put('}');
}

}  // namespace table
