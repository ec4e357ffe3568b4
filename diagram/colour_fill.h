// The fill of the diagram: an image whose every pixel has the sRGB colour
// (see srgb_colour.h) of the chromaticity at its centre, as a PNG for the
// SVG to embed and clip to the locus. Per pixel rather than per triangle:
// no seams, no facets near E where the colours change fastest, and a file
// smaller than a fine mesh.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "diagram/chromaticity_geometry.h"

namespace diagram {

// A PNG of `columns` x `rows` pixels; `chromaticity_at(column + 0.5,
// row + 0.5)` says which chromaticity a pixel shows. Encoded by the renderer
// module (raster/raster_output.h); "" when it cannot be.
std::string colour_fill_png(int columns, int rows,
                            const std::function<xy_point(double, double)>& chromaticity_at);

// RFC 4648 base64: "Man" -> "TWFu", "Ma" -> "TWE=".
std::string base64(std::string_view bytes);

}  // namespace diagram
