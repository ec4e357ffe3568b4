#include "command_rows/limits_command.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>

#include "cli/number_input.h"
#include "cli/number_lines.h"
#include "cli/output_buffer.h"
#include "cli/record_writer.h"
#include "cli/stdin_records.h"
#include "cli/usage_error.h"
#include "colour/solid/colour_standing.h"
#include "colour/solid/macadam_limits.h"
#include "command_rows/value_lists.h"
#include "textio/shortest_number.h"

namespace limits {
namespace {

// Hues from --hues N: no more than one a thousandth of a degree.
constexpr double most_hues = 360'000;

// The rows are out, or writing failed: a reader that has gone (EPIPE) ends
// the command quietly, as it ends other tools.
int finish(cli::record_writer& writer, cli::output_buffer& buffer) {
  if (writer.finish()) return 0;
  if (buffer.error() != EPIPE) {
    std::fprintf(stderr, "vollfarbe limits: cannot write the output: %s\n",
                 std::strerror(buffer.error()));
  }
  return 1;
}

std::vector<double> hues_of(const limits_options& o) {
  if (!o.hues.empty() && !o.hue.empty()) throw cli::usage_error("give --hues N or --hue H,..., not both");
  if (!o.hue.empty()) {
    std::vector<double> hues = parse_value_list(o.hue, "--hue");
    for (double& h : hues) {
      h = std::fmod(h, 360.0);
      if (h < 0) h += 360;
    }
    return hues;
  }
  double count = 360;
  if (!o.hues.empty()) {
    count = cli::parse_number(o.hues, "--hues");
    if (!(count >= 1 && count <= most_hues && count == std::floor(count))) {
      throw cli::usage_error("--hues: a whole number from 1 to 360000, not " + cli::quoted(o.hues));
    }
  }
  std::vector<double> hues(static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < hues.size(); ++i) hues[i] = 360.0 * static_cast<double>(i) / count;
  return hues;
}

std::string_view kind_of(const colour::limit_point& p) {
  if (p.on_face) return "face";
  return p.count_defined ? "optimal" : "red_tail";
}

const std::vector<cli::column>& limit_columns() {
  static const std::vector<cli::column> columns{
      {"Y"}, {"h"}, {"x"}, {"y"}, {"X"}, {"Y_limit"}, {"Z"}, {"transitions"}, {"first"},
      {"second"}, {"wavelengths", true}, {"kind", true}};
  return columns;
}

// All transition wavelengths in one field, blanks between them.
std::string wavelength_list(const std::vector<double>& transitions) {
  std::string text;
  for (const double w : transitions) {
    if (!text.empty()) text += ' ';
    text += textio::shortest_text(w);
  }
  return text;
}

int write_limits(const limits_options& o, const colour::optimal_solid& solid, std::FILE* out,
                 cli::record_format format) {
  if (o.Y.empty()) throw cli::usage_error("give the luminance factors: --Y 10,20,...,90");
  const std::vector<double> Ys = parse_value_list(o.Y, "--Y");
  for (const double Y : Ys) {
    if (!(Y > 0 && Y < 100)) {
      throw cli::usage_error("--Y: a MacAdam limit needs 0 < Y < 100, not " +
                             textio::shortest_text(Y));
    }
  }
  const std::vector<double> hues = hues_of(o);
  const cli::record_layout layout(format, limit_columns());
  cli::output_buffer buffer(out);
  cli::record_writer writer(layout, buffer);
  constexpr double none = std::numeric_limits<double>::quiet_NaN();
  for (const double Y : Ys) {
    for (const colour::limit_point& p : colour::macadam_locus(solid, Y, hues)) {
      const std::size_t n = p.transitions.size();
      const std::string wavelengths = wavelength_list(p.transitions);
      const cli::field fields[] = {
          p.Y, p.hue, p.xy.x, p.xy.y, p.XYZ.X, p.XYZ.Y, p.XYZ.Z,
          p.count_defined ? static_cast<double>(n) : none,
          n > 0 ? p.transitions[0] : none, n > 1 ? p.transitions[1] : none,
          std::string_view(wavelengths), kind_of(p)};
      writer.write(fields);
    }
    buffer.flush();  // a locus at a time
    if (buffer.failed()) break;
  }
  return finish(writer, buffer);
}

// --- where colours stand --------------------------------------------------

std::string_view status_name(colour::full_colour_status s) {
  switch (s) {
    case colour::full_colour_status::found: return "found";
    case colour::full_colour_status::achromatic: return "achromatic";
    case colour::full_colour_status::outside: return "outside";
    case colour::full_colour_status::no_pair: return "no pair";
  }
  return "";
}

const std::vector<cli::column>& standing_columns() {
  static const std::vector<cli::column> columns{
      {"x"}, {"y"}, {"Y"}, {"ratio"}, {"inside", true}, {"h"}, {"full_colour", true},
      {"pigment", true}, {"l"}, {"lc"}, {"c"}, {"w"}, {"s"}};
  return columns;
}

void standing_row(cli::record_writer& writer, const colour::optimal_solid& solid,
                  const colour::tristimulus& t) {
  const colour::limit_standing r = colour::limit_ratio(solid, t);
  const colour::full_colour_content f = colour::full_colour(solid, t);
  const double sum = (t.X + t.Y) + t.Z;
  const bool has_xy = sum > 0;
  const bool found = f.status == colour::full_colour_status::found;
  const bool decomposed = found || f.status == colour::full_colour_status::achromatic;
  constexpr double none = std::numeric_limits<double>::quiet_NaN();
  const cli::field fields[] = {
      has_xy ? t.X / sum : none, has_xy ? t.Y / sum : none, t.Y, r.ratio,
      std::string_view(r.inside ? "yes" : "no"), r.hue, status_name(f.status),
      std::string_view(found ? (f.band_stop ? "band-stop" : "band") : ""), f.l, f.lc,
      decomposed ? f.c : none, decomposed ? f.w : none, decomposed ? f.s : none};
  writer.write(fields);
}

colour::tristimulus colour_of(std::span<const double> v, bool xyY, const std::string& where) {
  if (v.size() != 3) {
    throw cli::usage_error(where + ": three numbers (" + (xyY ? "x y Y" : "X Y Z") + "), not " +
                           std::to_string(v.size()));
  }
  if (!xyY) return {v[0], v[1], v[2]};
  if (!(v[1] > 0)) throw cli::usage_error(where + ": y must be above 0");
  return {v[0] / v[1] * v[2], v[2], (1 - v[0] - v[1]) / v[1] * v[2]};
}

std::vector<double> numbers_of(const std::vector<std::string>& texts, std::string_view what) {
  std::vector<double> v;
  for (const auto& t : texts) v.push_back(cli::parse_number(t, what));
  return v;
}

int write_standings(const limits_options& o, const colour::optimal_solid& solid, std::FILE* in,
                    std::FILE* out, cli::record_format format) {
  const bool from_stdin = !o.rest.empty();
  for (const auto& arg : o.rest) {
    if (arg != "-") throw cli::usage_error("limits: " + cli::quoted(arg) + " is no option; - reads stdin");
  }
  const int given = (o.xy.empty() ? 0 : 1) + (o.XYZ.empty() ? 0 : 1) + (from_stdin ? 1 : 0);
  if (given != 1) throw cli::usage_error("--inside: give one of --xy x y --Y Y, --XYZ X Y Z or - (stdin)");
  if (!o.hue.empty() || !o.hues.empty()) throw cli::usage_error("--inside takes no --hue or --hues");
  std::optional<colour::tristimulus> single;
  if (!o.xy.empty()) {
    if (o.Y.empty()) throw cli::usage_error("--xy needs the colour's luminance factor: --Y Y");
    std::vector<double> v = numbers_of(o.xy, "--xy");
    v.push_back(cli::parse_number(o.Y, "--Y"));
    single = colour_of(v, true, "--xy");
  } else {
    if (!o.Y.empty()) throw cli::usage_error("--Y goes with --xy; --XYZ and stdin carry their own Y");
    if (!o.XYZ.empty()) single = colour_of(numbers_of(o.XYZ, "--XYZ"), false, "--XYZ");
  }
  const cli::record_layout layout(format, standing_columns());
  cli::output_buffer buffer(out);
  cli::record_writer writer(layout, buffer);
  if (single) {
    standing_row(writer, solid, *single);
    return finish(writer, buffer);
  }
  cli::number_lines lines;
  try {
    cli::read_stdin_records(
        in, lines,
        [&](std::span<const double> v) {
          standing_row(writer, solid, colour_of(v, o.xyY_lines, lines.line_name()));
        },
        [&] { buffer.flush(); }, [&] { return !buffer.failed(); });
  } catch (const cli::usage_error&) {
    buffer.flush();  // the rows before the bad line stay complete
    throw;
  }
  if (writer.records() == 0 && !buffer.failed()) throw cli::usage_error("stdin: no colours");
  return finish(writer, buffer);
}

}  // namespace

int run_limits(const limits_options& o, const colour::model& model, std::FILE* in, std::FILE* out) {
  const cli::record_format format = cli::parse_record_format(o.format);
  std::unique_ptr<colour::optimal_solid> solid;
  try {
    solid = std::make_unique<colour::optimal_solid>(model);
  } catch (const colour::solid_model_error& e) {
    throw cli::usage_error(e.what());
  }
  if (o.inside) return write_standings(o, *solid, in, out, format);
  if (!o.xy.empty() || !o.XYZ.empty() || !o.rest.empty() || o.xyY_lines) {
    throw cli::usage_error("--xy, --XYZ, --xyY and - (stdin) go with --inside");
  }
  return write_limits(o, *solid, out, format);
}

}  // namespace limits
