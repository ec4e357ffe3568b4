#include "plot/plot_command.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "colour/solid/optimal_solid.h"
#include "diagram/chromaticity_diagram.h"
#include "diagram/svg_canvas.h"
#include "plot/macadam_figure.h"
#include "plot/output_file.h"
#include "raster/raster_output.h"
#include "cli/usage_error.h"
#include "cli/number_input.h"
#include "textio/shortest_number.h"

namespace plot {
namespace {

enum class file_kind { svg, png, pdf };

// The kind of file by its name's ending, in any case; any other ending is a
// usage error, since writing SVG into "figure.jpg" would only mislead.
file_kind kind_of(const std::string& name) {
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower.ends_with(".svg")) return file_kind::svg;
  if (lower.ends_with(".png")) return file_kind::png;
  if (lower.ends_with(".pdf")) return file_kind::pdf;
  throw cli::usage_error("-o " + cli::quoted(name) +
                         ": the file name must end in .svg, .png or .pdf");
}

// More than any figure can show: each marked wavelength adds its labels to
// the placer (about 60 ms each), and more titles' letters than the widest
// figure holds in one line.
constexpr std::size_t max_marked_wavelengths = 50;
constexpr std::size_t max_title_characters = 500;

std::size_t characters_in(std::string_view utf8) {
  std::size_t count = 0;
  for (const char c : utf8) count += (static_cast<unsigned char>(c) & 0xc0) != 0x80;
  return count;
}

std::vector<double> wavelengths_of(const std::vector<std::string>& entries,
                                   const colour::model& model) {
  const colour::model_bounds& covered = model.bounds();
  std::vector<double> wavelengths;
  for (const auto& entry : entries) {
    std::string_view rest = entry;
    for (;;) {
      const auto comma = rest.find(',');
      const double w = cli::parse_number(rest.substr(0, comma), "--wavelength");
      if (w < covered.data_lo || w > covered.data_hi) {
        throw cli::usage_error("--wavelength: " + textio::shortest_text(w) +
                                 " nm lies outside the range the model covers, " +
                                 textio::shortest_text(covered.data_lo) + " to " +
                                 textio::shortest_text(covered.data_hi) + " nm");
      }
      wavelengths.push_back(w);
      if (wavelengths.size() > max_marked_wavelengths) {
        throw cli::usage_error("--wavelength: more than " +
                                 std::to_string(max_marked_wavelengths) +
                                 " wavelengths, which no figure can show apart");
      }
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
  }
  return wavelengths;
}

double dpi_of(const std::string& text) {
  const double dpi = cli::parse_number(text, "--dpi");
  if (!(dpi >= 10.0 && dpi <= 2400.0)) {
    throw cli::usage_error("--dpi: " + textio::shortest_text(dpi) + " is outside 10 to 2400");
  }
  return dpi;
}

// The finished bytes to the file (whole or not at all) or to stdout; the
// exit status.
int write_output(const std::string& name, std::string_view bytes, std::FILE* out) {
  if (name != "-") {
    if (const auto problem = write_file_whole(name, bytes)) {
      std::fprintf(stderr, "vollfarbe plot: cannot write %s: %s\n", name.c_str(),
                   problem->c_str());
      return 1;
    }
    return 0;
  }
  errno = 0;
  const bool written =
      std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() && std::fflush(out) == 0;
  if (!written) {
    if (errno != EPIPE) {  // a reader that has gone ends the command quietly
      std::fprintf(stderr, "vollfarbe plot: cannot write the output: %s\n",
                   std::strerror(errno != 0 ? errno : EIO));
    }
    return 1;
  }
  return 0;
}

// The MacAdam limits instead of the diagram: the model must have a solid.
diagram::drawn_figure limits_figure(const plot_options& options, const colour::model& model,
                                    const diagram::figure_size& size) {
  if (!options.wavelengths.empty() || options.ring || options.fill) {
    throw cli::usage_error("--limits draws the limits alone: no wavelengths, --ring or --fill");
  }
  limits_request limits;
  limits.model = &model;
  limits.luminances = limit_luminances(options.limits);
  limits.size = size;
  limits.title = options.title;
  try {
    return draw_macadam_limits(limits);
  } catch (const colour::solid_model_error& e) {
    throw cli::usage_error(e.what());
  }
}

}  // namespace

int run_plot(const plot_options& options, std::span<const colour::model* const> models,
             std::FILE* out) {
  diagram::diagram_request request;
  request.model = models.front();
  request.compared.assign(models.begin() + 1, models.end());
  request.wavelengths = wavelengths_of(options.wavelengths, *request.model);
  request.ring = options.ring;
  request.fill = options.fill;
  // Control bytes and invalid UTF-8 shown as U+FFFD: the SVG and the PDF's
  // title stay readable by any XML parser.
  request.title = diagram::xml_character_data(options.title);
  if (characters_in(request.title) > max_title_characters) {
    throw cli::usage_error("--title: " + std::to_string(characters_in(request.title)) +
                             " characters, more than the " + std::to_string(max_title_characters) +
                             " a figure's title line holds");
  }
  if (options.size) request.size = diagram::figure_size_named(*options.size);
  const file_kind kind = options.output == "-" ? file_kind::svg : kind_of(options.output);
  // 24 KB of SVG on a screen help nobody; as compressors do, refuse.
  if (options.output == "-" && ::isatty(::fileno(out)) == 1) {
    throw cli::usage_error(
        "plot writes a figure, not text for the terminal: give -o FILE (.svg, .png or .pdf) "
        "or redirect the output (> figure.svg)");
  }
  if (options.dpi && kind != file_kind::png) {
    throw cli::usage_error("--dpi applies to PNG output only (-o FILE.png)");
  }
  const double dpi = options.dpi ? dpi_of(*options.dpi) : request.size.default_dpi;
  // The fill's picture and PNG and PDF output are encoded by the renderer.
  if (request.fill || kind != file_kind::svg) {
    if (const auto problem = raster::raster_renderer_problem()) {
      std::fprintf(stderr, "vollfarbe plot: %s\n", problem->c_str());
      return 1;
    }
  }

  diagram::drawn_figure figure;
  if (options.limits.empty()) {
    figure = diagram::draw_chromaticity_diagram(request);
    for (const auto& label : figure.layout.omitted) {
      std::fprintf(stderr, "vollfarbe plot: no room for the label \"%s\" (a larger --size has room)\n",
                   label.c_str());
    }
  } else {
    figure = limits_figure(options, *request.model, request.size);
  }
  if (kind == file_kind::svg) return write_output(options.output, figure.svg, out);
  const raster::rendering r =
      kind == file_kind::png ? raster::render_png(figure.svg, figure.width, figure.height, dpi)
                             : raster::render_pdf(figure.svg, figure.width, figure.height, figure.title);
  if (!r.ok) {
    std::fprintf(stderr, "vollfarbe plot: %s: %s\n", options.output.c_str(), r.error.c_str());
    return 1;
  }
  return write_output(options.output, r.bytes, out);
}

}  // namespace plot
