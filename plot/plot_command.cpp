#include "plot/plot_command.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "plot/chromaticity_diagram.h"
#include "plot/chromaticity_geometry.h"
#include "plot/output_file.h"
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

  if (options.output != "-") {
    if (const auto problem = write_file_whole(options.output, svg)) {
      std::fprintf(stderr, "vollfarbe plot: cannot write %s: %s\n", options.output.c_str(),
                   problem->c_str());
      return 1;
    }
    return 0;
  }
  errno = 0;
  const bool written =
      std::fwrite(svg.data(), 1, svg.size(), out) == svg.size() && std::fflush(out) == 0;
  if (!written) {
    if (errno != EPIPE) {  // a reader that has gone ends the command quietly
      std::fprintf(stderr, "vollfarbe plot: cannot write the output: %s\n",
                   std::strerror(errno != 0 ? errno : EIO));
    }
    return 1;
  }
  return 0;
}

}  // namespace plot
