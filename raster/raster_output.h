// The figure's SVG rendered by librsvg onto cairo surfaces: a PNG at a given
// resolution (with that resolution recorded in the file, so that it prints
// at the figure's size) or a vector PDF page of the figure's size. The SVG
// stays the one drawing; these only render it. The rendering libraries live
// in a module of their own (raster_module.h), loaded at the first call: a
// run that never renders never maps them. When the module cannot be loaded,
// the rendering fails with the loader's reason.
//   SVG 321.26 x 400 px (85 mm wide), 300 dpi -> PNG 1004 x 1250 pixels, pHYs 11811 px/m
//   the same SVG                              -> PDF page 240.94 x 300 pt
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace raster {

struct rendering {
  bool ok = false;
  std::string bytes;  // the file's contents
  std::string error;  // why not, when !ok
};

// `width` and `height` in CSS pixels (96 per inch), as the SVG states them.
rendering render_png(std::string_view svg, double width, double height, double dpi);
// `title` goes into the PDF's metadata.
rendering render_pdf(std::string_view svg, double width, double height, const std::string& title);

// A PNG of `columns` x `rows` pixels given row by row from the top, each
// 0x00RRGGBB (as the colour fill makes them); "" when it cannot be encoded.
std::string encode_png(int columns, int rows, std::span<const std::uint32_t> pixels);

// Why the renderer module cannot be loaded, or nothing when it can (it is
// loaded by the first call of this or of the functions above): checked
// before a figure that needs it is drawn.
std::optional<std::string> raster_renderer_problem();

}  // namespace raster
