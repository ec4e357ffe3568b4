#include "plot/macadam_figure.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "cli/number_input.h"
#include "cli/usage_error.h"
#include "colour/solid/macadam_limits.h"
#include "diagram/chromaticity_geometry.h"
#include "diagram/svg_canvas.h"
#include "textio/shortest_number.h"

namespace plot {

// Drawn with the chromaticity diagram's own geometry and canvas.
using diagram::drawn_figure;
using diagram::figure_size;
using diagram::px_point;
using diagram::svg_canvas;
using diagram::text_anchor;
using diagram::xy_point;

namespace {

// Where the labels sit: straight below the white point the loci cross in
// the order of their Y, well apart and running nearly level.
constexpr double label_hue = 270;
constexpr int hues_per_locus = 720;

std::string style(const figure_size& s) {
  char text[1024];
  std::snprintf(text, sizeof text,
                "text { font-family: \"DejaVu Sans\", \"Bitstream Vera Sans\", Verdana, sans-serif; "
                "font-size: %.2fpx; fill: #1a1a1a; }\n"
                ".small { font-size: %.2fpx; fill: #333333; }\n"
                ".title { font-size: %.2fpx; }\n"
                ".label { paint-order: stroke; stroke: #ffffff; stroke-width: %.2fpx; }\n"
                ".grid { stroke: #e4e4e4; stroke-width: %.2f; }\n"
                ".frame { fill: none; stroke: #555555; stroke-width: %.2f; }\n"
                ".locus { fill: none; stroke: #1a1a1a; stroke-width: %.2f; stroke-linejoin: round; }\n"
                ".limit { fill: none; stroke: #c0392b; stroke-width: %.2f; stroke-linejoin: round; }\n"
                ".white { fill: #ffffff; stroke: #1a1a1a; stroke-width: %.2f; }\n",
                s.label_px, s.small_px, s.title_px, 0.25 * s.label_px, 0.05 * s.label_px,
                0.06 * s.label_px, 0.09 * s.label_px, 0.09 * s.label_px, 0.06 * s.label_px);
  return text;
}

}  // namespace

std::vector<double> limit_luminances(const std::string& list) {
  std::vector<double> out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    const std::string item = list.substr(start, comma == std::string::npos ? comma : comma - start);
    const double Y = cli::parse_number(item, "--limits");
    if (!(Y > 0 && Y < 100)) {
      throw cli::usage_error("--limits: a MacAdam limit needs 0 < Y < 100, not " + cli::quoted(item));
    }
    out.push_back(Y);
    if (comma == std::string::npos) return out;
    start = comma + 1;
  }
}

drawn_figure draw_macadam_limits(const limits_request& r) {
  const colour::model& m = *r.model;
  const colour::optimal_solid solid(m);
  const figure_size& size = r.size;
  // A square plot of x 0 .. 0.8, y 0 .. 0.9 in the width, axes' room around it.
  const double font = size.label_px;
  const double left = 3.2 * font, right = 1.0 * font, top = (r.title.empty() ? 1.0 : 2.6) * font;
  const double unit = (size.width_px - left - right) / 0.8;
  const double height = top + 0.9 * unit + 3.0 * font;
  const auto to_px = [&](double x, double y) { return px_point{left + x * unit, top + (0.9 - y) * unit}; };

  drawn_figure figure;
  figure.width = size.width_px;
  figure.height = height;
  figure.title = r.title.empty() ? "MacAdam limits, " + std::string(m.description()) : r.title;
  svg_canvas canvas(size.width_px, height, figure.title, style(size));
  if (!r.title.empty()) {
    canvas.text({size.width_px / 2, 1.6 * font}, r.title, text_anchor::middle, "title");
  }
  for (int i = 0; i <= 8; ++i) {
    const double x = i / 10.0;
    canvas.line(to_px(x, 0), to_px(x, 0.9), "grid");
    canvas.text({to_px(x, 0).x, to_px(x, 0).y + 1.3 * size.small_px}, textio::shortest_text(x),
                text_anchor::middle, "small");
  }
  for (int i = 0; i <= 9; ++i) {
    const double y = i / 10.0;
    canvas.line(to_px(0, y), to_px(0.8, y), "grid");
    canvas.text({to_px(0, y).x - 0.4 * size.small_px, to_px(0, y).y + 0.35 * size.small_px},
                textio::shortest_text(y), text_anchor::end, "small");
  }
  canvas.polyline({to_px(0, 0), to_px(0.8, 0), to_px(0.8, 0.9), to_px(0, 0.9)}, "frame", true);
  canvas.text({to_px(0.4, 0).x, to_px(0.4, 0).y + 2.6 * size.small_px}, "x", text_anchor::middle, "");
  canvas.text({left - 2.6 * font, to_px(0, 0.45).y}, "y", text_anchor::middle, "");

  std::vector<px_point> locus;
  for (const xy_point p : diagram::spectral_locus(1, m)) locus.push_back(to_px(p.x, p.y));
  canvas.polyline(locus, "locus", true);

  std::vector<double> hues(hues_per_locus);
  for (int i = 0; i < hues_per_locus; ++i) hues[static_cast<std::size_t>(i)] = 360.0 * i / hues_per_locus;
  for (const double Y : r.luminances) {
    std::vector<px_point> points;
    for (const colour::limit_point& p : colour::macadam_locus(solid, Y, hues)) {
      points.push_back(to_px(p.xy.x, p.xy.y));
    }
    canvas.polyline(points, "limit", true);
    const colour::limit_point at = colour::macadam_limit(solid, Y, label_hue);
    const px_point where = to_px(at.xy.x, at.xy.y);
    canvas.text({where.x, where.y + 1.15 * font}, "Y = " + textio::shortest_text(Y),
                text_anchor::middle, "label");
  }
  const colour::chromaticity w = m.white_point();
  canvas.circle(to_px(w.x, w.y), 0.3 * font, "white");
  canvas.text({to_px(0.8, 0.9).x - 0.5 * font, to_px(0.8, 0.9).y + 1.5 * font},
              std::string(m.description()), text_anchor::end, "label");
  figure.svg = canvas.finish();
  return figure;
}

}  // namespace plot
