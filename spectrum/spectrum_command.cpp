#include "spectrum/spectrum_command.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "cli/number_input.h"
#include "cli/output_buffer.h"
#include "cli/record_writer.h"
#include "cli/printable_text.h"
#include "cli/usage_error.h"
#include "cli/white_point_input.h"
#include "colour/cie/cie_model.h"
#include "colour/exact_arithmetic.h"
#include "colour/solid/colour_standing.h"
#include "colour/solid/optimal_solid.h"
#include "colour/spectrum/spectrum_temperature.h"
#include "colour/spectrum/spectrum_colour.h"
#include "colour/spectrum/spectrum_reading.h"

namespace spectrum {
namespace {

using colour::cie_model;

// No sample file comes near this; a larger one is a mistake.
constexpr std::size_t max_file_bytes = 64u << 20;

struct file_error : std::runtime_error {
  explicit file_error(const std::string& message) : std::runtime_error(message) {}
};

std::string read_all(const std::string& path, std::FILE* in) {
  const bool from_stdin = path == "-";
  std::FILE* f = from_stdin ? in : std::fopen(path.c_str(), "rb");
  const std::string name = from_stdin ? "stdin" : path;
  if (!f) throw file_error(name + ": cannot read: " + std::strerror(errno));
  std::string text;
  char buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
    text.append(buffer, n);
    if (text.size() > max_file_bytes) break;
  }
  const bool failed = std::ferror(f) != 0;
  const int error = errno;
  if (!from_stdin) std::fclose(f);
  if (failed) throw file_error(name + ": cannot read: " + std::strerror(error));
  if (text.size() > max_file_bytes) throw file_error(name + ": too large for sample spectra");
  return text;
}

// X + Y + Z <= 0 (a negative reflectance, no light) has no chromaticity:
// NaN, which no locus holds.
colour::chromaticity xy_of(const colour::tristimulus& t) {
  if (!((t.X + t.Y) + t.Z > 0)) return {NAN, NAN};
  return colour::chromaticity_xy(t);
}

struct row {
  std::string sample;
  colour::tristimulus t;
  colour::dominant_hue hue;
  colour::colour_temperature temperature;
  // Where a surface colour stands in the optimal-colour solid.
  colour::limit_standing standing{NAN, false, NAN};
  colour::full_colour_content full{colour::full_colour_status::outside, NAN, NAN, false,
                                   {NAN, NAN, NAN}, NAN, NAN, NAN};
};

std::vector<cli::column> columns_of(bool with_temperature) {
  std::vector<cli::column> c{{"sample", true}, {"X"}, {"Y"}, {"Z"}, {"x"}, {"y"}, {"u_prime"},
                             {"v_prime"}, {"dominant"}, {"complementary"}, {"excitation_purity"},
                             {"colorimetric_purity"}, {"inside_locus", true}};
  if (with_temperature) {
    c.insert(c.end(), {{"cct"}, {"duv"}});
  } else {
    c.insert(c.end(), {{"limit_ratio"}, {"inside_solid", true}, {"full_l"}, {"full_lc"},
                       {"full_kind", true}, {"c"}, {"w"}, {"s"}});
  }
  return c;
}

// The full colour's kind: the band between its pair, or the spectrum without it.
std::string_view full_kind(const colour::full_colour_content& f) {
  if (f.status == colour::full_colour_status::achromatic) return "achromatic";
  if (f.status != colour::full_colour_status::found) return "";
  return f.band_stop ? "band-stop" : "band-pass";
}

void write_row(cli::record_writer& writer, const row& w, bool with_temperature) {
  const colour::chromaticity xy = xy_of(w.t);
  const colour::chromaticity uv =
      std::isnan(xy.x) ? colour::chromaticity{NAN, NAN} : colour::uv_1960(w.t);
  std::vector<cli::field> fields{std::string_view(w.sample), w.t.X, w.t.Y, w.t.Z, xy.x, xy.y,
                                 uv.x, 1.5 * uv.y, w.hue.dominant, w.hue.complementary,
                                 w.hue.excitation_purity, w.hue.colorimetric_purity,
                                 std::string_view(w.hue.inside_locus ? "yes" : "no")};
  if (with_temperature) {
    fields.emplace_back(w.temperature.cct);
    fields.emplace_back(w.temperature.duv);
  } else {
    const colour::full_colour_content& f = w.full;
    fields.insert(fields.end(), {w.standing.ratio, std::string_view(w.standing.inside ? "yes" : "no"),
                                 f.l, f.lc, full_kind(f), f.c, f.w, f.s});
  }
  writer.write(fields);
}

const cie_model& cie_of(const colour::model& m) {
  const auto* cie = dynamic_cast<const cie_model*>(&m);
  if (!cie) {
    throw cli::usage_error("the built-in tables have no spectral data: use --observer cie1931 or cie1964");
  }
  return *cie;
}

}  // namespace

int run_spectrum(const spectrum_options& options, const colour::model& model,
                 const colour::model& cie1931, std::string_view illuminant_label, std::FILE* in,
                 std::FILE* out, std::FILE* err) {
  const cli::record_format format = cli::parse_record_format(options.format);
  const auto kind = colour::spectrum_kind_named(options.kind);
  if (!kind) {
    throw cli::usage_error("--kind: " + cli::quoted(options.kind) +
                           " is not reflectance, transmittance or emission");
  }
  const auto method = colour::summation_method_named(options.method);
  if (!method) throw cli::usage_error("--method: " + cli::quoted(options.method) + " is not exact or cie15");
  const cie_model& m = cie_of(model);
  const cie_model& observer1931 = cie_of(cie1931);
  std::optional<colour::chromaticity> white;
  if (options.white) {
    const cli::white_point w = cli::parse_white_point(*options.white);
    white = colour::chromaticity{w.x, w.y};
  }

  std::vector<colour::sample_spectrum> samples;
  if (!options.file.empty()) {
    try {
      const std::string text = read_all(options.file, in);
      samples = colour::read_spectra(text, options.percent);
    } catch (const file_error& e) {
      std::fprintf(err, "vollfarbe spectrum: %s\n", cli::printable_text(e.what()).c_str());
      return 2;
    } catch (const colour::spectrum_read_error& e) {
      const std::string name = options.file == "-" ? "stdin" : options.file;
      std::fprintf(err, "vollfarbe spectrum: %s:%zu: %s\n", cli::printable_text(name).c_str(),
                   e.line(), cli::printable_text(e.what()).c_str());
      return 2;
    }
  }

  const colour::exact_arithmetic scope;
  // The hues are taken around the white the colours are measured by: the
  // summed one under cie15, or the one given.
  std::unique_ptr<cie_model> rewhite;
  if (white) {
    rewhite = std::make_unique<cie_model>(m, *white);
  } else if (*method == colour::summation_method::cie15) {
    rewhite = std::make_unique<cie_model>(
        m, colour::chromaticity_xy(colour::white_tristimulus(m, *method)));
  }
  const cie_model& hues = rewhite ? *rewhite : m;

  std::vector<row> rows;
  std::unique_ptr<colour::optimal_solid> solid;
  bool linear = false;
  bool held = false;
  const bool emission = options.file.empty() || *kind == colour::spectrum_kind::emission;
  if (options.file.empty()) {
    // The illuminant itself: its light, and its temperature by CIE 1931.
    const colour::tristimulus t = colour::white_tristimulus(m, *method);
    const colour::chromaticity xy = colour::chromaticity_xy(t);
    rows.push_back({std::string(illuminant_label), t, *hues.dominant(xy.x, xy.y),
                    colour::correlated_colour_temperature(observer1931.full_spectrum(), observer1931)});
  }
  for (const colour::sample_spectrum& s : samples) {
    std::optional<colour::spectrum_function> checked;
    try {
      checked.emplace(s);
    } catch (const std::invalid_argument& e) {  // what the reader let through
      std::fprintf(err, "vollfarbe spectrum: %s\n", cli::printable_text(e.what()).c_str());
      return 2;
    }
    const colour::spectrum_function& function = *checked;
    linear = linear || function.linear();
    held = held || s.wavelengths.front() > m.bounds().data_lo || s.wavelengths.back() < m.bounds().data_hi;
    const colour::tristimulus t = colour::spectrum_tristimulus(function, m, *kind, *method);
    const colour::chromaticity xy = xy_of(t);
    row r{s.id, t, *hues.dominant(xy.x, xy.y), {NAN, NAN}};
    if (!emission) {
      // The solid depends on the model alone: made once, for the first surface colour.
      if (!solid) solid = std::make_unique<colour::optimal_solid>(m);
      r.standing = colour::limit_ratio(*solid, t);
      r.full = colour::full_colour(*solid, t);
    }
    if (emission) {
      const colour::tristimulus t1931 = colour::spectrum_tristimulus(
          function, observer1931, colour::spectrum_kind::emission, colour::summation_method::exact);
      r.temperature = colour::correlated_colour_temperature(t1931, observer1931);
    }
    rows.push_back(std::move(r));
  }

  std::size_t outside = 0;
  for (const row& r : rows) outside += r.hue.inside_locus ? 0 : 1;
  if (outside > 0 && options.strict) {
    throw cli::usage_error(std::to_string(outside) + " of " + std::to_string(rows.size()) +
                           " colours lie outside the spectrum locus (--strict)");
  }
  const cli::record_layout layout(format, columns_of(emission));
  cli::output_buffer buffer(out);
  cli::record_writer writer(layout, buffer);
  for (const row& r : rows) write_row(writer, r, emission);
  if (!writer.finish()) {
    if (buffer.error() != EPIPE) {
      std::fprintf(err, "vollfarbe spectrum: cannot write the output: %s\n",
                   std::strerror(buffer.error()));
    }
    return 1;
  }
  if (linear) {
    std::fprintf(err, "vollfarbe spectrum: warning: the wavelengths are not evenly spaced: the "
                      "samples are interpolated linearly\n");
  }
  if (held) {
    std::fprintf(err, "vollfarbe spectrum: warning: the samples cover less than the observer's "
                      "%g to %g nm: their end values are held beyond (the CIE's advice for "
                      "missing data)\n",
                 m.bounds().data_lo, m.bounds().data_hi);
  }
  if (outside > 0) {
    std::fprintf(err, "vollfarbe spectrum: warning: %zu of %zu colours lie outside the spectrum "
                      "locus: their purities are left empty\n",
                 outside, rows.size());
  }
  return 0;
}

}  // namespace spectrum
