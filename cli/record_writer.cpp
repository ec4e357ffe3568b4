#include "cli/record_writer.h"

#include <cmath>

#include "cli/usage_error.h"
#include "cli/utf8_sequence.h"
#include "cli/number_input.h"
#include "textio/shortest_number.h"

namespace cli {
namespace {

std::string json_key(std::string_view name) { return "\"" + std::string(name) + "\":"; }

// JSON string content: quotes, backslashes and controls escaped, invalid
// UTF-8 replaced by U+FFFD, so that any parser accepts the file.
void append_json_text(std::string& out, std::string_view text) {
  constexpr char hex[] = "0123456789abcdef";
  while (!text.empty()) {
    char32_t code = 0;
    const std::size_t n = utf8_sequence(text, code);
    if (n == 0) {
      out += "\xef\xbf\xbd";
      text.remove_prefix(1);
      continue;
    }
    if (code == '"' || code == '\\') {
      out += '\\';
      out += static_cast<char>(code);
    } else if (code < 0x20) {
      out += "\\u00";
      out += hex[code >> 4];
      out += hex[code & 0xf];
    } else {
      out.append(text.substr(0, n));
    }
    text.remove_prefix(n);
  }
}

}  // namespace

std::optional<record_format> record_format_named(std::string_view name) {
  if (name == "csv") return record_format::csv;
  if (name == "tsv") return record_format::tsv;
  if (name == "json") return record_format::json;
  if (name == "jsonl") return record_format::jsonl;
  return std::nullopt;
}

record_format parse_record_format(std::string_view name) {
  if (const auto format = record_format_named(name)) return *format;
  throw usage_error("--format: " + quoted(name) + " is not csv, tsv, json or jsonl");
}

record_layout::record_layout(record_format format, std::vector<column> columns)
    : format_(format), columns_(std::move(columns)), before_(columns_.size()) {
  if (!json()) {
    const std::string separator = format == record_format::csv ? "," : "\t";
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      header_ += (i ? separator : "") + columns_[i].name;
      if (i) before_[i] = separator;
    }
    header_ += '\n';
    row_end_ = "\n";
  } else {
    // Column names are plain words: no escaping needed.
    not_finite_ = "null";
    const auto opening = [&](std::size_t i) { return columns_[i].text ? "\"" : ""; };
    const std::string start = "{" + json_key(columns_.front().name) + opening(0);
    for (std::size_t i = 1; i < columns_.size(); ++i) {
      before_[i] = std::string(opening(i - 1)) + "," + json_key(columns_[i].name) + opening(i);
    }
    const bool array = format == record_format::json;
    first_row_start_ = (array ? "\n" : "") + start;
    later_row_start_ = (array ? ",\n" : "") + start;
    row_end_ = std::string(opening(columns_.size() - 1)) + (array ? "}" : "}\n");
    if (array) {
      header_ = "[";
      footer_ = "\n]\n";
    }
  }
}

void record_writer::put_text(std::string_view text) {
  scratch_.clear();
  switch (layout_.format()) {
    case record_format::json:
    case record_format::jsonl:
      append_json_text(scratch_, text);
      break;
    case record_format::csv:
      if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        scratch_ = text;
        break;
      }
      scratch_ = "\"";
      for (const char c : text) scratch_ += c == '"' ? std::string_view("\"\"") : std::string_view(&c, 1);
      scratch_ += '"';
      break;
    case record_format::tsv:
      for (const char c : text) scratch_ += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
      break;
  }
  out_.put(scratch_);
}

void record_writer::write(std::span<const field> fields) {
  if (records_ == 0) out_.put(layout_.header());
  out_.put(layout_.row_start(records_ == 0));
  const auto& columns = layout_.columns();
  for (std::size_t i = 0; i < columns.size() && i < fields.size(); ++i) {
    if (i) out_.put(layout_.before(i));
    if (columns[i].text) {
      put_text(fields[i].text);
    } else if (std::isfinite(fields[i].number)) {
      char* const at = out_.reserve(32);
      out_.commit(textio::write_shortest(fields[i].number, at));
    } else {
      out_.put(layout_.not_finite());
    }
  }
  out_.put(layout_.row_end());
  ++records_;
}

bool record_writer::finish() {
  if (records_ == 0) out_.put(layout_.header());
  out_.put(layout_.footer());
  return out_.finish();
}

}  // namespace cli
