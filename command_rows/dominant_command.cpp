#include "command_rows/dominant_command.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <span>
#include <string_view>

#include "cli/number_input.h"
#include "cli/output_buffer.h"
#include "cli/record_writer.h"
#include "cli/stdin_records.h"
#include "cli/usage_error.h"
#include "cli/white_point_input.h"
#include "colour/cie/cie_model.h"
#include "colour/exact_arithmetic.h"

namespace dominant {
namespace {

const std::vector<cli::column>& columns() {
  static const std::vector<cli::column> names{
      {"x"},
      {"y"},
      {"dominant"},
      {"complementary"},
      {"excitation_purity"},
      {"colorimetric_purity"},
      {"inside_locus", true}};
  return names;
}

// x = X / (X + Y + Z), y = Y / (X + Y + Z), in doubles as the colour's row
// has always been computed. A sum that overflows a double (three values near
// 1e308) or falls below its normal range would give (0, 0) or lose digits:
// such a triple is taken at a power-of-two scale (chromaticity_xy).
// X + Y + Z <= 0 has no chromaticity: NaN, which no locus holds.
colour::chromaticity xy_of(std::span<const double> v) {
  if (v.size() == 2) return {v[0], v[1]};
  const double sum = (v[0] + v[1]) + v[2];
  if (!(sum > 0)) {
    return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
  }
  if (std::isfinite(sum) && std::fabs(sum) >= std::numeric_limits<double>::min()) {
    return {v[0] / sum, v[1] / sum};
  }
  return colour::chromaticity_xy({v[0], v[1], v[2]});
}

std::vector<double> numbers_of(const std::vector<std::string>& texts, std::string_view what) {
  std::vector<double> v;
  for (const auto& t : texts) v.push_back(cli::parse_number(t, what));
  return v;
}

// The hue of one colour. The caller holds the exact arithmetic.
colour::dominant_hue hue_of(const colour::model& model, colour::chromaticity c) {
  constexpr double none = std::numeric_limits<double>::quiet_NaN();
  colour::dominant_hue h{none, none, none, none};
  if (model.has_purities()) {
    h = *model.dominant(c.x, c.y);
  } else {
    // The hue-equal construction finds a hue in the last bits of any point
    // but the white itself, which has none.
    const colour::chromaticity white = model.white_point();
    if (c.x != white.x || c.y != white.y) {
      const colour::hue_equal_pair pair = model.hue_equal_wavelengths(c.x, c.y);
      h.dominant = pair.l1;
      h.complementary = pair.l2;
    }
  }
  return h;
}

// inside_locus: yes or no; empty for a model that has no locus test (the
// built-in tables).
std::array<cli::field, 7> row_of(const colour::model& model, colour::chromaticity c,
                                 const colour::dominant_hue& h) {
  const std::string_view inside = !model.has_purities() ? "" : h.inside_locus ? "yes" : "no";
  return {c.x, c.y, h.dominant, h.complementary, h.excitation_purity, h.colorimetric_purity,
          inside};
}

// The rows are out, or writing failed: a reader that has gone (EPIPE) ends
// the command quietly, as it ends other tools.
int finish(cli::record_writer& writer, cli::output_buffer& buffer) {
  if (writer.finish()) return 0;
  if (buffer.error() != EPIPE) {
    std::fprintf(stderr, "vollfarbe dominant: cannot write the output: %s\n",
                 std::strerror(buffer.error()));
  }
  return 1;
}

}  // namespace

int run_dominant(const dominant_options& options, const colour::model& model, std::FILE* in,
                 std::FILE* out) {
  const cli::record_layout layout(cli::parse_record_format(options.format), columns());
  const int given = (options.xy.empty() ? 0 : 1) + (options.XYZ.empty() ? 0 : 1) +
                    (options.from_stdin ? 1 : 0);
  if (given != 1) throw cli::usage_error("give one of --xy X Y, --XYZ X Y Z or - (stdin)");
  std::vector<colour::chromaticity> given_colour;
  if (!options.xy.empty()) {
    if (options.xy.size() != 2) throw cli::usage_error("--xy takes two numbers: x y");
    given_colour.push_back(xy_of(numbers_of(options.xy, "--xy")));
  } else if (!options.XYZ.empty()) {
    if (options.XYZ.size() != 3) throw cli::usage_error("--XYZ takes three numbers: X Y Z");
    given_colour.push_back(xy_of(numbers_of(options.XYZ, "--XYZ")));
  }
  // --white: the same observer, its hues taken around the given point.
  std::unique_ptr<colour::cie_model> rewhite;
  if (options.white) {
    const cli::white_point w = cli::parse_white_point(*options.white);
    const auto* cie = dynamic_cast<const colour::cie_model*>(&model);
    if (!cie) throw cli::usage_error("--white needs a CIE observer (cie1931, cie1964 or --cmf)");
    const colour::exact_arithmetic scope;
    rewhite = std::make_unique<colour::cie_model>(*cie, colour::chromaticity{w.x, w.y});
  }
  const colour::model& hues = rewhite ? *rewhite : model;

  cli::output_buffer buffer(out);
  cli::record_writer writer(layout, buffer);
  const colour::exact_arithmetic scope;
  std::uint64_t outside = 0;
  // A colour outside the locus: counted for the warning, or refused with --strict.
  const auto write = [&](colour::chromaticity c, std::string_view where) {
    const colour::dominant_hue h = hue_of(hues, c);
    if (!h.inside_locus) {
      if (options.strict) {
        throw cli::usage_error(std::string(where) + ": the colour lies outside the spectrum locus (--strict)");
      }
      ++outside;
    }
    writer.write(row_of(hues, c, h));
  };
  const auto warn = [&] {
    if (outside > 0) {
      std::fprintf(stderr,
                   "vollfarbe dominant: warning: %llu of %llu colours lie outside the spectrum "
                   "locus: their purities are left empty\n",
                   static_cast<unsigned long long>(outside),
                   static_cast<unsigned long long>(writer.records()));
    }
  };
  if (!options.from_stdin) {
    write(given_colour.front(), options.xy.empty() ? "--XYZ" : "--xy");
    warn();
    return finish(writer, buffer);
  }
  cli::number_lines lines;
  try {
    cli::read_stdin_records(
        in, lines,
        [&](std::span<const double> numbers) {
          if (numbers.size() != 2 && numbers.size() != 3) {
            throw cli::usage_error(lines.line_name() + ": two numbers (x y) or three (X Y Z), not " +
                                   std::to_string(numbers.size()));
          }
          write(xy_of(numbers), lines.line_name());
        },
        [&] { buffer.flush(); }, [&] { return !buffer.failed(); });
  } catch (const cli::usage_error&) {
    buffer.flush();  // the rows before the bad line stay complete
    throw;
  }
  if (writer.records() == 0 && !buffer.failed()) throw cli::usage_error("stdin: no colours");
  warn();
  return finish(writer, buffer);
}

}  // namespace dominant
