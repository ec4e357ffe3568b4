#include "diagram/chromaticity_diagram.h"

#include <utility>

#include "diagram/diagram_svg.h"

namespace diagram {

drawn_figure draw_chromaticity_diagram(const diagram_request& request) {
  diagram_layout layout = lay_out_chromaticity_diagram(request);
  std::string svg = diagram_svg(layout);
  const std::string title = layout.title;
  const double width = layout.width;
  const double height = layout.height;
  return {std::move(svg), title, width, height, std::move(layout)};
}

}  // namespace diagram
