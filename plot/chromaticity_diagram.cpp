#include "plot/chromaticity_diagram.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "plot/chromaticity_geometry.h"
#include "plot/label_layout.h"
#include "textio/shortest_number.h"
#include "plot/svg_canvas.h"
#include "colour/colour_model.h"
#include "colour/exact_arithmetic.h"

namespace plot {
namespace {

// Page geometry in pixels: 900 px per chromaticity unit, x 0..0.8, y 0..0.9.
constexpr double scale = 900.0;
constexpr double left_margin = 72.0;
constexpr double top_margin = 58.0;
constexpr double plot_width = 0.8 * scale;
constexpr double plot_height = 0.9 * scale;
constexpr double page_width = left_margin + plot_width + 24.0;
constexpr double page_height = top_margin + plot_height + 62.0;
constexpr double font = 13.0;
constexpr double small_font = 11.0;

constexpr std::string_view style = R"(text { font-family: "DejaVu Sans", "Helvetica Neue", Arial, sans-serif; font-size: 13px; fill: #1a1a1a; }
.title { font-size: 17px; font-weight: bold; }
.axis-title { font-size: 15px; font-style: italic; }
.small { font-size: 11px; fill: #333333; }
.label, .small, .name { paint-order: stroke; stroke: #ffffff; stroke-width: 3.5px; stroke-linejoin: round; }
.name { font-weight: bold; }
.grid { stroke: #e4e4e4; stroke-width: 1; }
.frame { fill: none; stroke: #555555; stroke-width: 1; }
.tick { stroke: #555555; stroke-width: 1; }
.locus { fill: #f5f5f0; stroke: #1a1a1a; stroke-width: 1.6; stroke-linejoin: round; }
.purple { stroke: #1a1a1a; stroke-width: 1.2; stroke-dasharray: 6 4; }
.ring { fill: none; stroke: #2a9d8f; stroke-width: 1.6; }
.pair { stroke: #d35400; stroke-width: 1.5; }
.hue { fill: none; stroke: #1f5fbf; stroke-width: 1.3; stroke-dasharray: 5 3; }
.white { fill: #ffffff; stroke: #1a1a1a; stroke-width: 1.5; }
.pigment { fill: #1a1a1a; stroke: #ffffff; stroke-width: 1.2; }
.end { fill: #d35400; stroke: #ffffff; stroke-width: 1; }
)";

px_point to_px(xy_point p) {
  return {left_margin + p.x * scale, top_margin + (0.9 - p.y) * scale};
}

px_point unit(px_point v) {
  const double n = std::hypot(v.x, v.y);
  return n > 0 ? px_point{v.x / n, v.y / n} : px_point{0.0, 1.0};
}

// Direction away from E, in screen coordinates.
px_point away_from_white(xy_point p) {
  const px_point a = to_px(p);
  const px_point e = to_px(white_point_of());
  return unit({a.x - e.x, a.y - e.y});
}

// Outward normal of the locus at w: perpendicular to the local tangent and
// pointing away from E; where the locus bunches up, simply away from E.
px_point locus_normal(double w) {
  const px_point a = to_px(spectral_locus_point(w - 1.0));
  const px_point b = to_px(spectral_locus_point(w + 1.0));
  const px_point away = away_from_white(spectral_locus_point(w));
  if (std::hypot(b.x - a.x, b.y - a.y) < 1.0) return away;
  px_point n = unit({a.y - b.y, b.x - a.x});
  if (n.x * away.x + n.y * away.y < 0) n = {-n.x, -n.y};
  return n;
}

std::string fixed(double v, int decimals) {
  if (!std::isfinite(v)) return "–";
  char text[40];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  return text;
}

// Wavelengths as the dialogue has them, with a typographic minus sign.
std::string nm_text(double v) {
  if (!std::isfinite(v)) return "–";
  const std::string t = textio::shortest_text(std::fabs(v));
  return v < 0 ? "\u2212" + t : t;
}

class diagram {
 public:
  explicit diagram(const diagram_request& request)
      : request_(request),
        canvas_(page_width, page_height, "CIE 1931 chromaticity diagram", style),
        layout_({left_margin + 2, top_margin + 2, left_margin + plot_width - 2,
                 top_margin + plot_height - 2}) {}

  std::string draw() {
    axes();
    locus();
    if (request_.ring) ring();
    legend();
    if (pass_) draw_pass(*pass_);
    white();
    wavelength_ticks();
    return canvas_.finish();
  }

 private:
  void put_label(const placed_text& t, std::string_view text, std::string_view css_class) {
    canvas_.text(t.baseline, text, t.anchor, css_class);
    layout_.take(t.bounds);
  }

  void axes() {
    std::string title = "CIE 1931 chromaticity diagram";
    if (request_.wavelength) title += " \u2014 dialogue pass for " + nm_text(*request_.wavelength) + " nm";
    canvas_.text({left_margin, top_margin - 24}, title, text_anchor::start, "title");
    canvas_.open_group("axes");
    for (int i = 0; i <= 9; ++i) {
      const double v = i / 10.0;
      if (i <= 8) {
        const px_point bottom = to_px({v, 0.0});
        canvas_.line(to_px({v, 0.9}), bottom, "grid");
        canvas_.line(bottom, {bottom.x, bottom.y + 6}, "tick");
        canvas_.text({bottom.x, bottom.y + 21}, fixed(v, 1), text_anchor::middle, "label");
      }
      const px_point left = to_px({0.0, v});
      canvas_.line(left, to_px({0.8, v}), "grid");
      canvas_.line(left, {left.x - 6, left.y}, "tick");
      canvas_.text({left.x - 10, left.y + 4.5}, fixed(v, 1), text_anchor::end, "label");
    }
    canvas_.polyline({to_px({0, 0}), to_px({0.8, 0}), to_px({0.8, 0.9}), to_px({0, 0.9})},
                     "frame", true);
    canvas_.text({left_margin + plot_width / 2, top_margin + plot_height + 46}, "x",
                 text_anchor::middle, "axis-title");
    canvas_.text({left_margin - 50, top_margin + plot_height / 2}, "y", text_anchor::middle,
                 "axis-title");
    canvas_.close_group();
  }

  void locus() {
    canvas_.open_group("spectrum-locus");
    std::vector<px_point> points;
    for (const auto& p : spectral_locus(0.5)) points.push_back(to_px(p));
    canvas_.polyline(points, "locus", true);
    canvas_.line(points.front(), points.back(), "purple");
    canvas_.close_group();
    // Keep labels off the line itself.
    for (const auto& p : points) layout_.take({p.x - 1, p.y - 1, p.x + 1, p.y + 1});
  }

  void ring() {
    canvas_.open_group("full-colour-ring");
    std::vector<px_point> points;
    for (const auto& p : full_colour_ring()) points.push_back(to_px(p));
    canvas_.polyline(points, "ring", true);
    canvas_.close_group();
  }

  void white() {
    const px_point e = to_px(white_point_of());
    canvas_.open_group("white-point-E");
    canvas_.circle(e, 4.5, "white");
    const auto t = text_towards(e, unit({-1, 1.2}), 7, "E", font);
    put_label(t, "E", "name");
    canvas_.close_group();
  }

  // A point on the locus marked for the pass, e.g. "lc 600".
  void locus_mark(double w, const std::string& text) {
    const px_point p = to_px(spectral_locus_point(w));
    canvas_.circle(p, 3.5, "end");
    place_outside(p, locus_normal(w), text);
  }

  // Outside the locus if there is room, else inside it (the locus runs close
  // to the frame from 495 to 510 nm), else wherever it overlaps least harm.
  void place_outside(px_point p, px_point normal, const std::string& text) {
    const px_point inward{-normal.x, -normal.y};
    for (const auto& [direction, gap] : {std::pair{normal, 9.0}, std::pair{normal, 20.0},
                                         std::pair{inward, 9.0}, std::pair{inward, 20.0}}) {
      const auto t = text_towards(p, direction, gap, text, font);
      if (layout_.fits(t.bounds)) {
        put_label(t, text, "label");
        return;
      }
    }
    put_label(text_towards(p, inward, 9.0, text, font), text, "label");
  }

  // A pigment: a point with its name and, below, chromaticity and moment.
  void pigment_mark(const colour::pigment& pigment, std::string_view name) {
    const xy_point c{pigment.xy.x, pigment.xy.y};
    if (!std::isfinite(c.x) || !std::isfinite(c.y)) return;
    const px_point p = to_px(c);
    canvas_.circle(p, 4.5, "pigment");
    const std::string values = "x " + fixed(c.x, 4) + ", y " + fixed(c.y, 4) + ", moment " +
                               textio::shortest_text(pigment.moment);
    const double width = std::max(text_width(name, font), text_width(values, small_font));
    const double height = font + small_font + 6;
    const px_point away = away_from_white(c);
    // Try the side away from E first, then the other corners.
    const double sx = away.x >= 0 ? 1.0 : -1.0;
    const double sy = away.y >= 0 ? 1.0 : -1.0;
    const px_point corners[] = {{sx, sy}, {-sx, sy}, {sx, -sy}, {-sx, -sy}};
    box chosen{};
    for (const auto& k : corners) {
      const double left = k.x > 0 ? p.x + 8 : p.x - 8 - width;
      const double top = k.y > 0 ? p.y + 6 : p.y - 6 - height;
      chosen = {left, top, left + width, top + height};
      if (layout_.fits(chosen)) break;
      chosen = {};
    }
    if (chosen.right == 0) {
      chosen = {p.x + 8, p.y + 6, p.x + 8 + width, p.y + 6 + height};
    }
    canvas_.text({chosen.left, chosen.top + 0.75 * font}, name, text_anchor::start, "name");
    canvas_.text({chosen.left, chosen.bottom - 0.22 * small_font}, values, text_anchor::start,
                 "small");
    layout_.take(chosen);
    layout_.take({p.x - 5, p.y - 5, p.x + 5, p.y + 5});
  }

  // The hue-equal construction: the line from the locus at |l1| through E to
  // the far side, the locus at |l2| or, for l2 = -l1, the purple line.
  void hue_equal_line(const colour::hue_equal_pair& h, const colour::pigment& pigment,
                      std::string_view which, bool label_l2 = true) {
    if (!std::isfinite(h.l1)) return;
    const xy_point end1 = spectral_locus_point(std::fabs(h.l1));
    std::vector<px_point> line{to_px(end1), to_px(white_point_of())};
    std::optional<xy_point> end2;
    if (std::isfinite(h.l2)) {
      if (h.l2 < 0 && h.l1 > 0) {
        end2 = purple_line_hit_opposite(end1);
      } else {
        end2 = spectral_locus_point(std::fabs(h.l2));
      }
    }
    if (end2) {
      line.push_back(to_px(*end2));
    } else if (h.l1 < 0 && std::isfinite(pigment.xy.x) && std::isfinite(pigment.xy.y)) {
      line.push_back(to_px({pigment.xy.x, pigment.xy.y}));  // a purple beyond E
    }
    canvas_.polyline(line, "hue", false);
    const std::string suffix = which.empty() ? "" : " (" + std::string(which) + ")";
    place_outside(to_px(end1), locus_normal(std::fabs(h.l1)), "l1 " + nm_text(h.l1) + suffix);
    if (end2 && label_l2) {
      const bool on_purple_line = h.l2 < 0 && h.l1 > 0;
      const px_point normal = on_purple_line ? away_from_white(*end2)
                                             : locus_normal(std::fabs(h.l2));
      place_outside(to_px(*end2), normal, "l2 " + nm_text(h.l2) + suffix);
    }
  }

  void draw_pass(const colour::pass_result& p) {
    canvas_.open_group("dialogue-pass");
    if (p.middle_path) {
      canvas_.line(to_px(spectral_locus_point(p.l)), to_px(spectral_locus_point(p.lc)), "pair");
      hue_equal_line(p.hue_equal_first, p.first, "");
      locus_mark(p.l, "l " + nm_text(p.l));
      locus_mark(p.lc, "lc " + nm_text(p.lc));
      pigment_mark(p.first, "middle pigment");
      pigment_mark(p.second, "middle-gap pigment");
    } else {
      // Short-end and long-end pigments are complementary: usually one line
      // through E, where each pigment's l1 is the other's l2.
      const auto& a = p.hue_equal_first;
      const auto& b = p.hue_equal_second;
      const bool one_line = std::fabs(a.l1) == std::fabs(b.l2) && std::fabs(a.l2) == std::fabs(b.l1);
      hue_equal_line(a, p.first, "short-end", !one_line);
      hue_equal_line(b, p.second, "long-end", !one_line);
      locus_mark(p.lc, "lc " + nm_text(p.lc));
      pigment_mark(p.first, "short-end pigment");
      pigment_mark(p.second, "long-end pigment");
    }
    canvas_.close_group();
  }

  void wavelength_ticks() {
    // 10 nm everywhere; 5 nm where neighbouring ticks lie far enough apart.
    std::vector<double> labelled{380.0, 700.0};
    for (int nm = 390; nm < 700; nm += 10) labelled.push_back(nm);
    for (int nm = 385; nm < 700; nm += 10) {
      const px_point a = to_px(spectral_locus_point(nm - 2.5));
      const px_point b = to_px(spectral_locus_point(nm + 2.5));
      if (std::hypot(b.x - a.x, b.y - a.y) >= 14.0) labelled.push_back(nm);
    }
    canvas_.open_group("wavelength-ticks");
    for (const double w : labelled) {
      const px_point p = to_px(spectral_locus_point(w));
      const px_point n = locus_normal(w);
      canvas_.line(p, {p.x + 6 * n.x, p.y + 6 * n.y}, "tick");
      const std::string text = textio::shortest_text(w);
      // Inside the locus only where the frame leaves no room outside it.
      auto t = text_towards(p, n, 9, text, small_font);
      if (!layout_.inside(t.bounds)) t = text_towards(p, {-n.x, -n.y}, 9, text, small_font);
      if (layout_.fits(t.bounds)) put_label(t, text, "small");
    }
    canvas_.close_group();
  }

  void legend() {
    struct entry {
      std::string_view css_class;
      std::string_view text;
      bool shown;
    };
    const entry entries[] = {
        {"locus", "spectrum locus 380\u2013700 nm, purple line", true},
        {"pair", "compensative pair l, lc", pass_ && pass_->middle_path},
        {"hue", "hue-equal wavelengths l1, l2", request_.wavelength.has_value()},
        {"ring", "full-colour ring", request_.ring},
    };
    const double left = left_margin + 0.44 * scale;
    double y = top_margin + 22;
    canvas_.open_group("legend");
    for (const auto& e : entries) {
      if (!e.shown) continue;
      canvas_.line({left, y - 4}, {left + 28, y - 4}, e.css_class);
      canvas_.text({left + 36, y}, e.text, text_anchor::start, "label");
      y += 20;
    }
    canvas_.close_group();
    layout_.take({left - 4, top_margin + 4, left_margin + plot_width, y});
  }

  diagram_request request_;
  // The dialogue's first pass for the requested wavelength, if any.
  std::optional<colour::pass_result> pass_ =
      request_.wavelength ? std::optional(colour::compute_pass(*request_.wavelength, 0.0))
                          : std::nullopt;
  svg_canvas canvas_;
  label_layout layout_;
};

}  // namespace

std::string chromaticity_diagram_svg(const diagram_request& request) {
  // The locus and the ring come from the model's own steps.
  const colour::exact_arithmetic arithmetic;
  return diagram(request).draw();
}

}  // namespace plot
