#include "app/dominant_command.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <string_view>

#include "colour/exact_arithmetic.h"
#include "table/table_writer.h"
#include "cli/usage_error.h"
#include "cli/number_input.h"
#include "textio/shortest_number.h"

namespace app {
namespace {

constexpr std::array<std::string_view, 6> columns{
    "x", "y", "dominant", "complementary", "excitation_purity", "colorimetric_purity"};

colour::chromaticity xy_of(std::span<const double> v) {
  if (v.size() == 2) return {v[0], v[1]};
  const double sum = (v[0] + v[1]) + v[2];
  return {v[0] / sum, v[1] / sum};
}

std::vector<double> numbers_of(const std::vector<std::string>& texts, std::string_view what) {
  std::vector<double> v;
  for (const auto& t : texts) v.push_back(cli::parse_number(t, what));
  return v;
}

// One colour a line: two numbers (x y) or three (X Y Z), blanks or commas between.
std::vector<colour::chromaticity> read_colours(std::FILE* in) {
  std::vector<colour::chromaticity> colours;
  std::string line;
  std::size_t number = 0;
  for (int c = 0; c != EOF;) {
    line.clear();
    while ((c = std::fgetc(in)) != EOF && c != '\n') line += static_cast<char>(c);
    if (c == EOF && line.empty()) break;
    ++number;
    std::vector<double> v;
    std::size_t pos = 0;
    const auto separator = [](char ch) { return ch == ' ' || ch == '\t' || ch == ',' || ch == '\r'; };
    while (pos < line.size()) {
      while (pos < line.size() && separator(line[pos])) ++pos;
      std::size_t end = pos;
      while (end < line.size() && !separator(line[end])) ++end;
      if (end > pos) {
        v.push_back(cli::parse_number(std::string_view(line).substr(pos, end - pos),
                                            "stdin line " + std::to_string(number)));
      }
      pos = end;
    }
    if (v.empty()) continue;
    if (v.size() != 2 && v.size() != 3) {
      throw cli::usage_error("stdin line " + std::to_string(number) +
                               ": two numbers (x y) or three (X Y Z), not " +
                               std::to_string(v.size()));
    }
    colours.push_back(xy_of(v));
  }
  if (colours.empty()) throw cli::usage_error("stdin: no colours");
  return colours;
}

std::string field(double v, bool json) {
  if (!std::isfinite(v)) return json ? "null" : "";
  return textio::shortest_text(v);
}

}  // namespace

int run_dominant(const dominant_options& options, const colour::model& model, std::FILE* in,
                 std::FILE* out) {
  const auto format = table::table_format_named(options.format);
  if (!format) {
    throw cli::usage_error("--format: \"" + options.format + "\" is not csv, tsv, json or jsonl");
  }
  const int given = (options.xy.empty() ? 0 : 1) + (options.XYZ.empty() ? 0 : 1) + (options.from_stdin ? 1 : 0);
  if (given != 1) throw cli::usage_error("give one of --xy X Y, --XYZ X Y Z or - (stdin)");
  std::vector<colour::chromaticity> colours;
  if (!options.xy.empty()) {
    if (options.xy.size() != 2) throw cli::usage_error("--xy takes two numbers: x y");
    colours.push_back(xy_of(numbers_of(options.xy, "--xy")));
  } else if (!options.XYZ.empty()) {
    if (options.XYZ.size() != 3) throw cli::usage_error("--XYZ takes three numbers: X Y Z");
    colours.push_back(xy_of(numbers_of(options.XYZ, "--XYZ")));
  } else {
    colours = read_colours(in);
  }
  {
    const colour::exact_arithmetic probe;
    if (!model.dominant(0.3, 0.3)) {
      throw cli::usage_error("the built-in tables give no purities: use --observer cie1931 or cie1964");
    }
  }
  const bool json = *format == table::table_format::json || *format == table::table_format::jsonl;
  const char separator = *format == table::table_format::tsv ? '\t' : ',';
  std::string text;
  if (!json) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (i) text += separator;
      text += columns[i];
    }
    text += '\n';
  } else if (*format == table::table_format::json) {
    text += '[';
  }
  const colour::exact_arithmetic scope;
  for (std::size_t r = 0; r < colours.size(); ++r) {
    const colour::chromaticity c = colours[r];
    const colour::dominant_hue h = *model.dominant(c.x, c.y);
    const std::array<double, 6> v{c.x, c.y, h.dominant, h.complementary, h.excitation_purity,
                                  h.colorimetric_purity};
    if (!json) {
      for (std::size_t i = 0; i < v.size(); ++i) {
        if (i) text += separator;
        text += field(v[i], false);
      }
      text += '\n';
    } else {
      if (*format == table::table_format::json) text += r == 0 ? "\n" : ",\n";
      text += '{';
      for (std::size_t i = 0; i < v.size(); ++i) {
        text += (i ? ",\"" : "\"") + std::string(columns[i]) + "\":" + field(v[i], true);
      }
      text += *format == table::table_format::json ? "}" : "}\n";
    }
  }
  if (*format == table::table_format::json) text += "\n]\n";
  if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) {
    std::fprintf(stderr, "vollfarbe dominant: cannot write the output: %s\n", std::strerror(errno));
    return 1;
  }
  return 0;
}

}  // namespace app
