#include "command_rows/table_writer.h"

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

namespace {

cli::record_layout layout_of(table_format format, const std::vector<std::string>& model_names) {
  std::vector<cli::column> columns{{std::string(table_column_names[0]), false}};
  for (const std::string& name : model_names) {
    const std::string prefix = name.empty() ? "" : name + "_";
    for (std::size_t i = 1; i < table_column_names.size(); ++i) {
      columns.push_back({prefix + std::string(table_column_names[i]), i == 1});  // the path is text
    }
  }
  return cli::record_layout(format, std::move(columns));
}

}  // namespace

row_formatter::row_formatter(table_format format) : row_formatter(format, {""}) {}

row_formatter::row_formatter(table_format format, const std::vector<std::string>& model_names)
    : layout_(layout_of(format, model_names)), parts_(model_names.size()) {}

char* row_formatter::write_row(char* out, std::span<const table_row> parts, bool first) const {
  const std::string_view not_finite = layout_.not_finite();
  const auto number = [&](char* at, double v) {
    return std::isfinite(v) ? textio::write_shortest(v, at) : put(at, not_finite);
  };
  out = put(out, layout_.row_start(first));
  out = number(out, parts[0].numbers[0]);
  std::size_t column = 1;
  for (std::size_t p = 0; p < parts_; ++p) {
    const table_row& r = parts[p];
    out = put(out, layout_.before(column++));
    out = put(out, r.path);
    for (std::size_t i = 1; i < r.numbers.size(); ++i) {
      out = put(out, layout_.before(column++));
      out = number(out, r.numbers[i]);
    }
  }
  return put(out, layout_.row_end());
}

}  // namespace table
