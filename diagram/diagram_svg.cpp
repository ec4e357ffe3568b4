#include "diagram/diagram_svg.h"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "diagram/colour_fill.h"
#include "diagram/svg_canvas.h"

namespace diagram {
namespace {

// The colours of the constructions, one per pass in turn: the Okabe-Ito
// palette, told apart also by readers with a colour vision deficiency.
constexpr std::string_view construction_colours[construction_colour_count] = {
    "#d55e00", "#0072b2", "#009e73", "#cc79a7", "#e69f00", "#56b4e9"};

std::string style_sheet(const figure_size& size) {
  char text[2048];
  const double s = size.label_px / 13.0;  // line widths grow with the text
  std::snprintf(
      text, sizeof text,
      "text { font-family: \"DejaVu Sans\", \"Bitstream Vera Sans\", Verdana, sans-serif; "
      "font-size: %.2fpx; fill: #1a1a1a; }\n"
      ".var { font-family: \"DejaVu Serif\", \"Bitstream Vera Serif\", Georgia, serif; "
      "font-style: italic; }\n"
      ".sub { font-size: %.2fpx; }\n"
      ".title { font-size: %.2fpx; }\n"
      ".small { font-size: %.2fpx; fill: #333333; }\n"
      ".label, .small, .name { paint-order: stroke; stroke: #ffffff; stroke-width: %.2fpx; "
      "stroke-linejoin: round; }\n"
      ".grid { stroke: #e4e4e4; stroke-width: %.2f; }\n"
      ".frame { fill: none; stroke: #555555; stroke-width: %.2f; }\n"
      ".tick, .leader { stroke: #555555; stroke-width: %.2f; }\n"
      ".locus { fill: none; stroke: #1a1a1a; stroke-width: %.2f; stroke-linejoin: round; }\n"
      ".purple { stroke: #1a1a1a; stroke-width: %.2f; stroke-dasharray: %.2f %.2f; }\n"
      ".ring { fill: none; stroke: #2a9d8f; stroke-width: %.2f; }\n"
      ".pair { stroke-width: %.2f; }\n"
      ".hue { fill: none; stroke-width: %.2f; stroke-dasharray: %.2f %.2f; }\n"
      ".sample { stroke: #555555; }\n"
      ".white { fill: #ffffff; stroke: #1a1a1a; stroke-width: %.2f; }\n"
      ".point { stroke: #1a1a1a; stroke-width: %.2f; }\n",
      size.label_px, size.label_px * subscript_scale, size.title_px, size.small_px,
      0.27 * size.label_px, s, s, s, 1.6 * s, 1.2 * s, 6 * s, 4 * s, 1.6 * s, 1.6 * s, 1.3 * s,
      5 * s, 3 * s, 1.4 * s, 1.0 * s);
  std::string sheet = text;
  // Compared loci: the same ink, told apart by their dashes in print.
  char compared[512];
  std::snprintf(compared, sizeof compared,
                ".compared0 { fill: none; stroke: #1a1a1a; stroke-width: %.2f; stroke-dasharray: %.2f %.2f; }\n"
                ".compared1 { fill: none; stroke: #1a1a1a; stroke-width: %.2f; stroke-dasharray: %.2f %.2f %.2f %.2f; }\n"
                ".white-compared { fill: #1a1a1a; stroke: #1a1a1a; stroke-width: %.2f; }\n",
                1.3 * s, 5 * s, 2.5 * s, 1.3 * s, 6 * s, 2 * s, 1.2 * s, 2 * s, 1.0 * s);
  sheet += compared;
  for (int i = 0; i < construction_colour_count; ++i) {
    const std::string c(construction_colours[i]);
    const std::string n = std::to_string(i);
    sheet += ".c" + n + " { stroke: " + c + "; } .f" + n + " { fill: " + c + "; }\n";
  }
  return sheet;
}

void write_text(svg_canvas& canvas, const placed_text& t) {
  canvas.text(t.baseline, t.text, t.anchor, t.style, t.font);
}

// Numbers and the heading are plain text, written without tspans.
void write_plain_text(svg_canvas& canvas, const placed_text& t) {
  canvas.text(t.baseline, t.text.plain_text(), t.anchor, t.style);
}

void write_label(svg_canvas& canvas, const point_label& l) {
  double baseline = l.bounds.top + ascent_em * l.font;
  for (const auto& line : l.lines) {
    canvas.text({l.bounds.left, baseline}, line, text_anchor::start, l.style, l.font);
    baseline += (ascent_em + subscript_drop + descent_em) * l.font;
  }
}

void write_axes(svg_canvas& canvas, const diagram_layout& layout) {
  canvas.open_group("axes");
  for (const auto& m : layout.axis_marks) {
    canvas.line(m.grid.a, m.grid.b, "grid");
    canvas.line(m.tick.a, m.tick.b, "tick");
    write_plain_text(canvas, m.number);
  }
  canvas.polyline(layout.frame, "frame", true);
  for (const auto& name : layout.axis_names) write_text(canvas, name);
  canvas.close_group();
}

// The locus filled with the sRGB colours of its chromaticities, clipped to
// the locus and the purple line.
void write_fill(svg_canvas& canvas, const diagram_layout& layout) {
  const fill_picture& f = *layout.fill;
  const std::string png = colour_fill_png(f.columns, f.rows, [&](double column, double row) {
    return xy_point{column / f.scale, f.y_top - row / f.scale};
  });
  canvas.open_group("colour-fill");
  canvas.clipped_image(f.top_left, f.columns, f.rows, png, layout.locus, "locus");
  canvas.close_group();
}

void write_curves(svg_canvas& canvas, const diagram_layout& layout) {
  canvas.open_group("spectrum-locus");
  canvas.polyline(layout.locus, "locus", false);
  canvas.line(layout.locus.back(), layout.locus.front(), "purple");
  canvas.close_group();
  for (std::size_t i = 0; i < layout.compared.size(); ++i) {
    const auto& locus = layout.compared[i].points;
    const std::string style = "compared" + std::to_string(i % 2);
    canvas.open_group("spectrum-locus-" + layout.compared[i].model_name);
    canvas.polyline(locus, style, false);
    canvas.line(locus.back(), locus.front(), style);
    canvas.close_group();
  }
  if (!layout.ring.empty()) {
    canvas.open_group("full-colour-ring");
    canvas.polyline(layout.ring, "ring", true);
    canvas.close_group();
  }
  for (std::size_t i = 0; i < layout.constructions.size(); ++i) {
    const std::string colour = "c" + std::to_string(i % construction_colour_count);
    canvas.open_group("dialogue-pass-" + std::to_string(i + 1));
    for (const auto& s : layout.constructions[i].pair) canvas.line(s.a, s.b, "pair " + colour);
    for (const auto& line : layout.constructions[i].hue) {
      canvas.polyline(line, "hue " + colour, false);
    }
    canvas.close_group();
  }
}

}  // namespace

std::string diagram_svg(const diagram_layout& layout) {
  svg_canvas canvas(layout.width, layout.height, layout.title, style_sheet(layout.size));
  if (layout.heading) write_plain_text(canvas, *layout.heading);
  write_axes(canvas, layout);
  if (layout.fill) write_fill(canvas, layout);
  write_curves(canvas, layout);
  canvas.open_group("wavelength-ticks");
  for (const auto& t : layout.ticks) canvas.line(t.mark.a, t.mark.b, "tick");
  canvas.close_group();
  canvas.open_group("points");
  for (const auto& m : layout.markers) canvas.circle(m.centre, m.radius, m.style);
  canvas.close_group();
  canvas.open_group("labels");
  for (const auto& l : layout.labels) {
    if (l.leader) canvas.line(l.leader->a, l.leader->b, "leader");
  }
  for (const auto& l : layout.labels) write_label(canvas, l);
  canvas.close_group();
  canvas.open_group("legend");
  for (const auto& e : layout.legend) {
    canvas.line(e.sample.a, e.sample.b, e.sample_style);
    write_text(canvas, e.text);
  }
  canvas.close_group();
  return canvas.finish();
}

}  // namespace diagram
