// Writes table rows as CSV, TSV, a JSON array of objects or JSON Lines.
// Numbers are the shortest text that reads back to the same double; NaN and
// the infinities are empty fields in CSV/TSV and null in JSON.
//   csv:   wavelength,path,l,lc,...\n600,middle,489.996,600,...\n
//   json:  [\n{"wavelength":600,"path":"middle",...},\n...\n]\n
//   jsonl: {"wavelength":600,"path":"middle",...}\n
#pragma once

#include <optional>
#include <string_view>

#include "table/output_buffer.h"
#include "table/table_columns.h"

namespace table {

enum class table_format { csv, tsv, json, jsonl };

// "csv", "tsv", "json", "jsonl" -> the format; anything else -> nullopt.
std::optional<table_format> table_format_named(std::string_view name);

class table_writer {
 public:
  table_writer(output_buffer& out, table_format format) : out_(out), format_(format) {}

  void begin();  // header row or "["
  void row(const table_row& r);
  void end();  // "]" for JSON

 private:
  void delimited_row(const table_row& r, char separator);
  void json_object(const table_row& r);

  output_buffer& out_;
  table_format format_;
  bool first_row_ = true;
};

}  // namespace table
