// How large the figure is and how large its text: `--size column` prints at
// single-column width (85 mm) with 8.5 pt labels, `page` at 170 mm with
// 10 pt, `slide` 1280 x 720 px (16:9, landscape) with 22 px text for a
// projector; a width like "120mm" or "900px" gets text by the rule below. Drawing units are CSS
// pixels (96 per inch).
//   "column" -> 85 mm = 321.26 px, labels 11.33 px (8.5 pt), PNG at 300 dpi
//   "120mm"  -> labels 9.12 pt: 8.5 pt + 1.5 pt per 85 mm above 85 mm
//   "900px"  -> 238.1 mm, labels 11.2 pt, PNG at 96 dpi (900 px wide)
#pragma once

#include <string>
#include <string_view>

namespace diagram {

struct figure_size {
  double width_px;      // drawing units across the figure
  double label_px;      // labels, legend, pigment names and values
  double small_px;      // wavelength and axis tick labels
  double title_px;
  double default_dpi;   // for PNG: 300 for print sizes, 96 for screen sizes
  // A fixed height (a slide's 720 px), the diagram fitted into it with the
  // legend beside it; 0: as tall as the figure needs, the legend below.
  double height_px;
};

inline constexpr double px_per_mm = 96.0 / 25.4;
inline constexpr double px_per_pt = 96.0 / 72.0;

// "column", "page" (the default), "slide", "<N>mm" (40..1000) or "<N>px"
// (150..4000); a cli::usage_error naming the text otherwise.
figure_size figure_size_named(std::string_view name);

}  // namespace diagram
