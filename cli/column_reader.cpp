#include "cli/column_reader.h"

#include <algorithm>

#include "cli/number_input.h"
#include "cli/usage_error.h"

namespace cli {
namespace {

constexpr std::string_view blanks = " \t\f\v";

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool is_comment(std::string_view line) { return trimmed(line).starts_with('#'); }

bool all_empty(const std::vector<std::string>& fields) {
  return std::all_of(fields.begin(), fields.end(),
                     [](const std::string& f) { return trimmed(f).empty(); });
}

char separator_of(std::string_view header) {
  if (header.find('\t') != std::string_view::npos) return '\t';
  if (header.find(';') != std::string_view::npos && header.find(',') == std::string_view::npos) {
    return ';';
  }
  return ',';
}

std::optional<std::size_t> position_number(std::string_view text) {
  if (text.empty() || text.size() > 6 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(std::stoul(std::string(text)));
}

}  // namespace

void split_fields(std::string_view line, char separator, std::vector<std::string>& fields) {
  fields.clear();
  fields.emplace_back();
  bool in_quotes = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (in_quotes) {
      if (c != '"') {
        fields.back() += c;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        in_quotes = false;
      }
    } else if (c == separator) {
      fields.emplace_back();
    } else if (c == '"' && trimmed(fields.back()).empty()) {
      fields.back().clear();
      in_quotes = true;
    } else {
      fields.back() += c;
    }
  }
}

void column_reader::choose_column(std::string_view header) {
  separator_ = separator_of(header);
  split_fields(header, separator_, fields_);
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (trimmed(fields_[i]) == column_) {
      index_ = i;
      return;
    }
  }
  const std::string where = "--column " + quoted(column_) + ": the header (" + line_name() + ")";
  if (const auto number = position_number(column_)) {
    if (*number >= 1 && *number <= fields_.size()) {
      index_ = *number - 1;
      return;
    }
    if (*number == 0) throw usage_error("--column 0: columns are counted from 1");
    throw usage_error(where + " has " + std::to_string(fields_.size()) + " column" +
                      (fields_.size() == 1 ? "" : "s"));
  }
  std::string names;
  for (std::size_t i = 0; i < fields_.size() && i < 12; ++i) {
    names += (i == 0 ? "" : ", ") + quoted(trimmed(fields_[i]));
  }
  if (fields_.size() > 12) names += ", ...";
  throw usage_error(where + " has no such column; its columns are " + names);
}

std::optional<std::span<const double>> column_reader::next() {
  while (const auto line = lines_.next()) {
    if (trimmed(*line).empty() || is_comment(*line)) continue;
    if (!index_) {
      choose_column(*line);
      continue;
    }
    split_fields(*line, separator_, fields_);
    if (all_empty(fields_)) continue;
    const std::string what = line_name() + ", column " + quoted(column_);
    if (*index_ >= fields_.size()) {
      throw usage_error(what + ": the line has " + std::to_string(fields_.size()) + " field" +
                        (fields_.size() == 1 ? "" : "s"));
    }
    const std::string_view cell = trimmed(fields_[*index_]);
    if (cell.empty()) throw usage_error(what + ": the cell is empty");
    value_ = parse_number(cell, what);
    return std::span<const double>(&value_, 1);
  }
  return std::nullopt;
}

}  // namespace cli
