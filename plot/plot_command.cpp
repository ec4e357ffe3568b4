#include "plot/plot_command.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "plot/chromaticity_diagram.h"
#include "plot/chromaticity_geometry.h"
#include "table/usage_error.h"
#include "table/wavelength_input.h"
#include "textio/shortest_number.h"

namespace plot {

int run_plot(const plot_options& options, std::FILE* out) {
  diagram_request request;
  request.ring = options.ring;
  if (options.wavelength) {
    const double w = table::parse_wavelength(*options.wavelength, "--wavelength");
    const colour::model_bounds& covered = colour::legacy_model().bounds();
    if (w < covered.data_lo || w > covered.data_hi) {
      throw table::usage_error("--wavelength: " + textio::shortest_text(w) +
                               " nm lies outside the range the model covers, " +
                               textio::shortest_text(covered.data_lo) + " to " +
                               textio::shortest_text(covered.data_hi) + " nm");
    }
    request.wavelength = w;
  }
  const std::string svg = chromaticity_diagram_svg(request);

  const bool to_stdout = options.output == "-";
  std::FILE* sink = to_stdout ? out : std::fopen(options.output.c_str(), "wb");
  if (sink == nullptr) {
    std::fprintf(stderr, "vollfarbe plot: cannot create %s: %s\n", options.output.c_str(),
                 std::strerror(errno));
    return 1;
  }
  bool written = std::fwrite(svg.data(), 1, svg.size(), sink) == svg.size();
  written = (to_stdout ? std::fflush(sink) : std::fclose(sink)) == 0 && written;
  if (!written) {
    std::fprintf(stderr, "vollfarbe plot: cannot write %s\n", options.output.c_str());
    return 1;
  }
  return 0;
}

}  // namespace plot
