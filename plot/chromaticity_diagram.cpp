#include "plot/chromaticity_diagram.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "colour/colour_model.h"
#include "colour/exact_arithmetic.h"
#include "plot/chromaticity_geometry.h"
#include "plot/colour_fill.h"
#include "plot/rich_text.h"
#include "plot/srgb_colour.h"
#include "plot/svg_canvas.h"
#include "textio/shortest_number.h"

namespace plot {
namespace {

// The colours of the constructions, one per wavelength in turn: the
// Okabe-Ito palette, told apart also by readers with a colour vision
// deficiency.
constexpr std::string_view construction_colours[] = {"#d55e00", "#0072b2", "#009e73",
                                                     "#cc79a7", "#e69f00", "#56b4e9"};
constexpr int colour_count = static_cast<int>(std::size(construction_colours));

// The axes: x 0..0.8, y 0..0.9 in steps of 0.1.
constexpr int x_steps = 8;
constexpr int y_steps = 9;
constexpr double x_extent = 0.8;
constexpr double y_extent = 0.9;

// A label as placed: its box and its lines of text.
struct label {
  box bounds;
  std::vector<rich_text> lines;
  std::string css_class;
  double font;
  std::optional<segment> leader;
};

// Height of one line of text, from its top to its bottom (a subscript
// reaches below the descent of the main text).
double line_height(double font) { return (ascent_em + subscript_drop + descent_em) * font; }

// Widths get a little room for fonts whose advances differ from DejaVu's.
double label_width(const rich_text& text, double font) { return text.width(font) * 1.03 + 1.0; }

px_point unit(px_point v) {
  const double n = std::hypot(v.x, v.y);
  return n > 0 ? px_point{v.x / n, v.y / n} : px_point{0.0, 1.0};
}

std::string fixed(double v, int decimals) {
  if (!std::isfinite(v)) return "\u2013";
  char text[40];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  return text;
}

// Wavelengths as the dialogue has them, with a typographic minus sign.
std::string nm_text(double v) {
  if (!std::isfinite(v)) return "\u2013";
  const std::string t = textio::shortest_text(std::fabs(v));
  return v < 0 ? "\u2212" + t : t;
}

rich_text lambda_equals(double nm) { return rich_text().var("\u03bb").plain(" = " + nm_text(nm) + " nm"); }

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
  for (int i = 0; i < colour_count; ++i) {
    const std::string c(construction_colours[i]);
    const std::string n = std::to_string(i);
    sheet += ".c" + n + " { stroke: " + c + "; } .f" + n + " { fill: " + c + "; }\n";
  }
  return sheet;
}

class diagram {
 public:
  explicit diagram(const diagram_request& request)
      : request_(request),
        model_(*request.model),
        white_(white_point_of(model_)),
        size_(request.size),
        font_(size_.label_px),
        small_(size_.small_px),
        tick_length_(0.45 * small_),
        padding_(std::max(1.5, 0.18 * font_)),
        left_(tick_length_ + 0.35 * small_ + advance_em("0.9", run_style::plain) * small_ +
              1.6 * font_),
        top_(request.title.empty() ? 0.75 * small_ : 0.75 * small_ + 1.6 * size_.title_px),
        scale_((size_.width_px - left_ - 0.9 * small_) / x_extent),
        bottom_(top_ + y_extent * scale_),
        placer_({left_ + 1, top_ + 1, left_ + x_extent * scale_ - 1, bottom_ - 1}, padding_) {
    for (const double w : request.wavelengths) passes_.push_back(colour::compute_pass(w, 0.0, model_));
  }

  drawn_figure draw() {
    gather_lines();
    place_labels();
    return emit();
  }

 private:
  px_point to_px(xy_point p) const {
    return {left_ + p.x * scale_, top_ + (y_extent - p.y) * scale_};
  }
  px_point locus_px(double w) const { return to_px(spectral_locus_point(w, model_)); }

  // Outward normal of the locus at w: perpendicular to the local tangent and
  // pointing away from E; where the locus bunches up, simply away from E.
  px_point locus_normal(double w) const {
    const px_point a = locus_px(w - 1.0);
    const px_point b = locus_px(w + 1.0);
    const px_point p = locus_px(w);
    const px_point e = to_px(white_);
    const px_point away = unit({p.x - e.x, p.y - e.y});
    if (std::hypot(b.x - a.x, b.y - a.y) < 0.5) return away;
    px_point n = unit({a.y - b.y, b.x - a.x});
    if (n.x * away.x + n.y * away.y < 0) n = {-n.x, -n.y};
    return n;
  }

  px_point away_from_white(px_point p) const {
    const px_point e = to_px(white_);
    return unit({p.x - e.x, p.y - e.y});
  }

  // --- what is drawn -------------------------------------------------------

  struct marker {
    px_point centre;
    double radius;
    std::string css_class;
  };

  struct wavelength_tick {
    int nm;
    segment mark;
    px_point normal;
  };

  struct construction_lines {
    std::vector<std::pair<px_point, px_point>> pair;   // solid
    std::vector<std::vector<px_point>> hue;            // dashed
  };

  void add_marker(px_point centre, double radius, std::string css_class) {
    const box b{centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius};
    markers_.push_back({centre, radius, std::move(css_class)});
    placer_.add_box(b);
    marker_boxes_.push_back(b);
  }

  void gather_lines() {
    for (const auto& p : spectral_locus(0.5, model_)) locus_.push_back(to_px(p));
    placer_.add_polyline(locus_, false);
    placer_.add_line({locus_.back(), locus_.front()});  // the purple line
    const px_point corners[] = {to_px({0, 0}), to_px({x_extent, 0}), to_px({x_extent, y_extent}),
                                to_px({0, y_extent})};
    placer_.add_polyline({std::begin(corners), std::end(corners)}, true);
    if (request_.ring) {
      for (const auto& p : full_colour_ring(model_)) ring_.push_back(to_px(p));
      placer_.add_polyline(ring_, true);
    }
    add_marker(to_px(white_), 0.35 * font_, "white");
    for (const colour::model* m : request_.compared) {
      std::vector<px_point> locus;
      for (const auto& p : spectral_locus(0.5, *m)) locus.push_back(to_px(p));
      placer_.add_polyline(locus, false);
      placer_.add_line({locus.back(), locus.front()});
      compared_loci_.push_back(std::move(locus));
      add_marker(to_px(white_point_of(*m)), 0.25 * font_, "white-compared");
    }
    for (std::size_t i = 0; i < passes_.size(); ++i) gather_construction(passes_[i]);
    gather_ticks();
  }

  // The hue-equal construction: from the locus at |l1| through E to the far
  // side, the locus at |l2| or, for l2 = -l1, the purple line.
  std::optional<px_point> hue_line_end(const colour::hue_equal_pair& h) const {
    if (!std::isfinite(h.l2)) return std::nullopt;
    const xy_point end1 = spectral_locus_point(std::fabs(h.l1), model_);
    if (h.l2 < 0 && h.l1 > 0) {
      const auto hit = purple_line_hit_opposite(end1, model_);
      return hit ? std::optional(to_px(*hit)) : std::nullopt;
    }
    return locus_px(std::fabs(h.l2));
  }

  void gather_hue_line(const colour::hue_equal_pair& h, const colour::pigment& pigment,
                       construction_lines& lines) {
    if (!std::isfinite(h.l1)) return;
    std::vector<px_point> line{locus_px(std::fabs(h.l1)), to_px(white_)};
    if (const auto end2 = hue_line_end(h)) {
      line.push_back(*end2);
    } else if (h.l1 < 0 && std::isfinite(pigment.xy.x) && std::isfinite(pigment.xy.y)) {
      line.push_back(to_px({pigment.xy.x, pigment.xy.y}));  // a purple beyond E
    }
    placer_.add_polyline(line, false);
    lines.hue.push_back(std::move(line));
  }

  void gather_construction(const colour::pass_result& p) {
    construction_lines lines;
    const std::string dot = "point f" + std::to_string(constructions_.size() % colour_count);
    if (p.middle_path) {
      lines.pair.push_back({locus_px(p.l), locus_px(p.lc)});
      placer_.add_line({locus_px(p.l), locus_px(p.lc)});
      gather_hue_line(p.hue_equal_first, p.first, lines);
    } else {
      gather_hue_line(p.hue_equal_first, p.first, lines);
      if (!one_hue_line(p)) gather_hue_line(p.hue_equal_second, p.second, lines);
    }
    constructions_.push_back(std::move(lines));
    if (p.middle_path) add_marker(locus_px(p.l), 0.27 * font_, dot);
    add_marker(locus_px(p.lc), 0.27 * font_, dot);
    for (const auto* pigment : {&p.first, &p.second}) {
      if (std::isfinite(pigment->xy.x) && std::isfinite(pigment->xy.y)) {
        add_marker(to_px({pigment->xy.x, pigment->xy.y}), 0.36 * font_, dot);
      }
    }
  }

  // Short-end and long-end pigments are complementary: usually one line
  // through E, where each pigment's l1 is the other's l2.
  static bool one_hue_line(const colour::pass_result& p) {
    const auto& a = p.hue_equal_first;
    const auto& b = p.hue_equal_second;
    return std::fabs(a.l1) == std::fabs(b.l2) && std::fabs(a.l2) == std::fabs(b.l1);
  }

  // 10 nm everywhere; 5 nm where neighbouring ticks lie far enough apart.
  void gather_ticks() {
    const auto& bounds = model_.bounds();
    for (int nm = static_cast<int>(std::ceil(bounds.locus_blue_end / 5) * 5);
         nm <= static_cast<int>(bounds.locus_red_end); nm += 5) {
      if (nm % 10 != 0) {
        const px_point a = locus_px(nm - 2.5);
        const px_point b = locus_px(nm + 2.5);
        if (std::hypot(b.x - a.x, b.y - a.y) < 1.3 * small_) continue;
      }
      const px_point p = locus_px(nm);
      const px_point n = locus_normal(nm);
      const segment tick{p, {p.x + tick_length_ * n.x, p.y + tick_length_ * n.y}};
      ticks_.push_back({nm, tick, n});
      placer_.add_line(tick);
    }
  }

  // --- labels --------------------------------------------------------------

  // A block of text lines near `point`, with a leader if it has to move away.
  // The first of the `forms` (from the fullest to the shortest) that finds
  // a free place; none at all only where the figure is too crowded.
  void place(px_point point, px_point preferred, double point_radius,
             std::vector<std::vector<rich_text>> forms) {
    for (auto& lines : forms) {
      double width = 0;
      for (const auto& line : lines) width = std::max(width, label_width(line, font_));
      const double height = line_height(font_) * static_cast<double>(lines.size());
      const label_request request{point, preferred, width, height, point_radius + 0.35 * font_,
                                  point_radius, true};
      if (const auto placed = placer_.place(request)) {
        labels_.push_back({placed->bounds, std::move(lines), "label", font_, placed->leader});
        return;
      }
    }
    figure_.omitted.push_back(forms.back().front().plain_text());
  }

  void place_locus_mark(double w, rich_text text) {
    place(locus_px(w), locus_normal(w), 0.27 * font_, {{std::move(text)}});
  }

  static rich_text named(std::string_view name, std::string_view sub, double value,
                         std::string_view suffix) {
    return rich_text().var(name).sub(sub).plain(" = " + nm_text(value)).plain(suffix);
  }

  void place_pigment(const colour::pigment& pigment, std::string name) {
    const xy_point c{pigment.xy.x, pigment.xy.y};
    if (!std::isfinite(c.x) || !std::isfinite(c.y)) return;
    const px_point p = to_px(c);
    const rich_text xy =
        rich_text().var("x").plain(" = " + fixed(c.x, 4) + ", ").var("y").plain(" = " + fixed(c.y, 4));
    const rich_text moment = rich_text().var("M").plain(" = " + textio::shortest_text(pigment.moment));
    place(p, away_from_white(p), 0.36 * font_,
          {{rich_text(name), xy, moment}, {rich_text(name), moment}, {rich_text(name)}});
  }

  void place_hue_labels(const colour::hue_equal_pair& h, std::string_view suffix, bool label_l2) {
    if (!std::isfinite(h.l1)) return;
    place_locus_mark(std::fabs(h.l1), named("l", "1", h.l1, suffix));
    if (!label_l2) return;
    if (const auto end2 = hue_line_end(h)) {
      const bool on_purple_line = h.l2 < 0 && h.l1 > 0;
      const px_point normal = on_purple_line ? away_from_white(*end2) : locus_normal(std::fabs(h.l2));
      place(*end2, normal, 0.27 * font_, {{named("l", "2", h.l2, suffix)}});
    }
  }

  // The pigments' blocks first: they are the largest and need the most room.
  void place_pigment_labels(const colour::pass_result& p, double entered) {
    const std::string of = passes_.size() > 1 ? " (" + nm_text(entered) + " nm)" : "";
    place_pigment(p.first, (p.middle_path ? "middle pigment" : "short-end pigment") + of);
    place_pigment(p.second, (p.middle_path ? "middle-gap pigment" : "long-end pigment") + of);
  }

  void place_locus_labels(const colour::pass_result& p) {
    if (p.middle_path) {
      place_locus_mark(p.l, named("l", "", p.l, ""));
      place_locus_mark(p.lc, named("l", "c", p.lc, ""));
      place_hue_labels(p.hue_equal_first, "", true);
    } else {
      const bool one_line = one_hue_line(p);
      place_locus_mark(p.lc, named("l", "c", p.lc, ""));
      place_hue_labels(p.hue_equal_first, " (short-end)", !one_line);
      place_hue_labels(p.hue_equal_second, " (long-end)", !one_line);
    }
  }

  // A tick's number goes just beyond its tick, outside the locus or, for a
  // 10 nm tick where the frame leaves no room, inside it; it is left out
  // only when no such place is free.
  void place_tick_label(const wavelength_tick& t) {
    const rich_text text(std::to_string(t.nm));
    const double width = label_width(text, small_);
    const double height = (ascent_em + descent_em) * small_;
    const bool tens = t.nm % 10 == 0;
    for (const px_point side : {t.normal, px_point{-t.normal.x, -t.normal.y}}) {
      if (!tens && side.x != t.normal.x) break;
      const label_request request{t.mark.a, side, width, height,
                                  tick_length_ + padding_ + 1.0, tick_length_, false};
      if (const auto placed = placer_.place(request)) {
        labels_.push_back({placed->bounds, {text}, "small", small_, std::nullopt});
        tick_labels_.push_back(t.nm);
        return;
      }
    }
  }

  void place_labels() {
    for (std::size_t i = 0; i < passes_.size(); ++i) {
      place_pigment_labels(passes_[i], request_.wavelengths[i]);
    }
    for (const auto& p : passes_) place_locus_labels(p);
    place(to_px(white_), unit({-1, 1.2}), 0.35 * font_, {{rich_text("E")}});
    for (const bool tens : {true, false}) {
      for (const auto& t : ticks_) {
        if ((t.nm % 10 == 0) == tens) place_tick_label(t);
      }
    }
  }

  // --- output ----------------------------------------------------------------

  void text_label(svg_canvas& canvas, const label& l) {
    double baseline = l.bounds.top + ascent_em * l.font;
    for (const auto& line : l.lines) {
      canvas.text({l.bounds.left, baseline}, line, text_anchor::start, l.css_class, l.font);
      baseline += line_height(l.font);
    }
  }

  // The locus filled with the sRGB colours of its chromaticities, one
  // image pixel per drawing unit (smooth when printed larger), clipped to
  // the locus and the purple line.
  void fill(svg_canvas& canvas) {
    const px_point top_left = to_px({0.0, y_extent});
    const int columns = static_cast<int>(std::ceil(x_extent * scale_));
    const int rows = static_cast<int>(std::ceil(y_extent * scale_));
    const std::string png = colour_fill_png(columns, rows, [&](double column, double row) {
      return xy_point{column / scale_, y_extent - row / scale_};
    });
    canvas.open_group("colour-fill");
    canvas.clipped_image(top_left, columns, rows, png, locus_, "locus");
    canvas.close_group();
  }

  // The axes with their numbers outside the frame; recorded as labels.
  void axes(svg_canvas& canvas) {
    canvas.open_group("axes");
    const double tick = tick_length_;
    const double digit_height = ascent_em * small_;
    for (int i = 0; i <= y_steps; ++i) {
      const double v = i / 10.0;
      if (i <= x_steps) {
        const px_point bottom = to_px({v, 0.0});
        canvas.line(to_px({v, y_extent}), bottom, "grid");
        canvas.line(bottom, {bottom.x, bottom.y + tick}, "tick");
        figure_.lines.push_back({bottom, {bottom.x, bottom.y + tick}});
        axis_label(canvas, {bottom.x, bottom.y + tick + 0.3 * small_ + digit_height},
                   fixed(v, 1), text_anchor::middle);
      }
      const px_point left = to_px({0.0, v});
      canvas.line(left, to_px({x_extent, v}), "grid");
      canvas.line(left, {left.x - tick, left.y}, "tick");
      figure_.lines.push_back({left, {left.x - tick, left.y}});
      axis_label(canvas, {left.x - tick - 0.35 * small_, left.y + 0.35 * small_}, fixed(v, 1),
                 text_anchor::end);
    }
    canvas.polyline({to_px({0, 0}), to_px({x_extent, 0}), to_px({x_extent, y_extent}),
                     to_px({0, y_extent})},
                    "frame", true);
    // Axis names: italic serif x and y, as in the literature.
    const double x_baseline = bottom_ + tick + 0.3 * small_ + (ascent_em + descent_em) * small_ +
                              ascent_em * font_ + 0.1 * font_;
    const double centre_x = left_ + x_extent * scale_ / 2;
    name_label(canvas, {centre_x - 0.3 * font_, x_baseline}, rich_text().var("x"));
    name_label(canvas, {0.4 * font_, top_ + y_extent * scale_ / 2}, rich_text().var("y"));
    canvas.close_group();
    axes_bottom_ = x_baseline + descent_em * font_;
  }

  void axis_label(svg_canvas& canvas, px_point baseline, const std::string& text,
                  text_anchor anchor) {
    const double w = advance_em(text, run_style::plain) * small_;
    const double left = anchor == text_anchor::middle ? baseline.x - w / 2 : baseline.x - w;
    canvas.text(baseline, text, anchor, "small");
    figure_.labels.push_back(
        {left, baseline.y - ascent_em * small_, left + w, baseline.y + descent_em * small_});
  }

  void name_label(svg_canvas& canvas, px_point baseline, const rich_text& text) {
    canvas.text(baseline, text, text_anchor::start, "label", font_);
    figure_.labels.push_back({baseline.x, baseline.y - ascent_em * font_,
                              baseline.x + label_width(text, font_),
                              baseline.y + descent_em * font_});
  }

  struct legend_entry {
    std::string sample_class;
    rich_text text;
  };

  std::vector<legend_entry> legend_entries() const {
    std::vector<legend_entry> entries;
    if (request_.compared.empty()) {
      entries = {{"locus", rich_text("spectrum locus")}, {"purple", rich_text("purple line")}};
    } else {
      // Each model's locus and white point (its marker beside the name).
      entries.push_back({"locus", rich_text(std::string(model_.description()) + " (white: open dot)")});
      for (std::size_t i = 0; i < request_.compared.size(); ++i) {
        entries.push_back({"compared" + std::to_string(i % 2),
                           rich_text(std::string(request_.compared[i]->description()) +
                                     " (white: filled dot)")});
      }
    }
    bool any_middle = false;
    for (std::size_t i = 0; i < passes_.size(); ++i) {
      entries.push_back({"pair c" + std::to_string(i % colour_count),
                         lambda_equals(request_.wavelengths[i])});
      any_middle = any_middle || passes_[i].middle_path;
    }
    if (any_middle) {
      entries.push_back({"pair sample",
                         rich_text("compensative pair ").var("l").plain(", ").var("l").sub("c")});
    }
    if (!passes_.empty()) {
      entries.push_back({"hue sample", rich_text("hue-equal ").var("l").sub("1").plain(", ")
                                           .var("l").sub("2")});
    }
    if (request_.ring) entries.push_back({"ring", rich_text("full-colour ring")});
    return entries;
  }

  // Below the axes, entries side by side, as many to a row as fit.
  // Without a canvas it only measures; returns the legend's bottom.
  double legend(svg_canvas* canvas, double top) {
    const bool draw = canvas != nullptr;
    const double sample = 2.2 * font_;
    const double gap = 0.4 * font_;
    const double spacing = 1.2 * font_;
    const double row_height = line_height(font_) + 0.25 * font_;
    const double right = size_.width_px - 0.5 * font_;
    double x = left_;
    double row_top = top;
    if (draw) canvas->open_group("legend");
    for (const auto& e : legend_entries()) {
      const double w = sample + gap + label_width(e.text, font_);
      if (x > left_ && x + w > right) {
        x = left_;
        row_top += row_height;
      }
      const double middle = row_top + (ascent_em * 0.62) * font_;
      if (draw) {
        canvas->line({x, middle}, {x + sample, middle}, e.sample_class);
        figure_.lines.push_back({{x, middle}, {x + sample, middle}});
        const rich_text& t = e.text;
        canvas->text({x + sample + gap, row_top + ascent_em * font_}, t, text_anchor::start,
                    "label", font_);
        figure_.labels.push_back({x + sample + gap, row_top, x + w,
                                  row_top + line_height(font_)});
      }
      x += w + spacing;
    }
    if (draw) canvas->close_group();
    return row_top + row_height;
  }

  drawn_figure emit() {
    const double legend_top = bottom_ + tick_length_ + 0.3 * small_ +
                              (ascent_em + descent_em) * small_ + (ascent_em + descent_em) * font_ +
                              0.7 * font_;
    const double height = legend(nullptr, legend_top) +
                          0.3 * font_;
    figure_.width = size_.width_px;
    figure_.height = height;
    std::string heading = "CIE 1931 chromaticity diagram";
    for (const double w : request_.wavelengths) heading += ", dialogue pass for " + nm_text(w) + " nm";
    figure_.title = request_.title.empty() ? heading : request_.title;
    svg_canvas canvas(size_.width_px, height, figure_.title, style_sheet(size_));
    if (!request_.title.empty()) {
      const double baseline = 0.4 * small_ + ascent_em * size_.title_px;
      canvas.text({left_, baseline}, request_.title, text_anchor::start, "title");
      figure_.labels.push_back({left_, baseline - ascent_em * size_.title_px,
                                left_ + advance_em(request_.title, run_style::plain) * size_.title_px,
                                baseline + descent_em * size_.title_px});
    }
    axes(canvas);
    if (request_.fill) fill(canvas);

    canvas.open_group("spectrum-locus");
    canvas.polyline(locus_, "locus", false);
    canvas.line(locus_.back(), locus_.front(), "purple");
    canvas.close_group();
    for (std::size_t i = 0; i < compared_loci_.size(); ++i) {
      const std::string style = "compared" + std::to_string(i % 2);
      canvas.open_group("spectrum-locus-" + std::string(request_.compared[i]->name()));
      canvas.polyline(compared_loci_[i], style, false);
      canvas.line(compared_loci_[i].back(), compared_loci_[i].front(), style);
      canvas.close_group();
    }
    if (request_.ring) {
      canvas.open_group("full-colour-ring");
      canvas.polyline(ring_, "ring", true);
      canvas.close_group();
    }
    for (std::size_t i = 0; i < constructions_.size(); ++i) {
      const std::string colour = "c" + std::to_string(i % colour_count);
      canvas.open_group("dialogue-pass-" + std::to_string(i + 1));
      for (const auto& [a, b] : constructions_[i].pair) canvas.line(a, b, "pair " + colour);
      for (const auto& line : constructions_[i].hue) canvas.polyline(line, "hue " + colour, false);
      canvas.close_group();
    }
    canvas.open_group("wavelength-ticks");
    for (const auto& t : ticks_) canvas.line(t.mark.a, t.mark.b, "tick");
    canvas.close_group();
    canvas.open_group("points");
    for (const auto& m : markers_) canvas.circle(m.centre, m.radius, m.css_class);
    canvas.close_group();
    canvas.open_group("labels");
    for (const auto& l : labels_) {
      if (l.leader) canvas.line(l.leader->a, l.leader->b, "leader");
    }
    for (const auto& l : labels_) text_label(canvas, l);
    canvas.close_group();
    legend(&canvas, legend_top);

    for (const auto& l : labels_) figure_.labels.push_back(l.bounds);
    figure_.markers = marker_boxes_;
    figure_.lines.insert(figure_.lines.end(), placer_.lines().begin(), placer_.lines().end());
    figure_.tick_labels = tick_labels_;
    figure_.svg = canvas.finish();
    return std::move(figure_);
  }

  diagram_request request_;
  const colour::model& model_;  // the locus, white point and passes come from it
  xy_point white_;
  figure_size size_;
  double font_;
  double small_;
  double tick_length_;
  double padding_;
  double left_;    // frame edges
  double top_;
  double scale_;   // px per chromaticity unit
  double bottom_;
  double axes_bottom_ = 0;
  label_placer placer_;
  std::vector<colour::pass_result> passes_;
  std::vector<px_point> locus_;
  std::vector<std::vector<px_point>> compared_loci_;
  std::vector<px_point> ring_;
  std::vector<construction_lines> constructions_;
  std::vector<marker> markers_;
  std::vector<box> marker_boxes_;
  std::vector<wavelength_tick> ticks_;
  std::vector<label> labels_;
  std::vector<int> tick_labels_;
  drawn_figure figure_;
};

}  // namespace

drawn_figure draw_chromaticity_diagram(const diagram_request& request) {
  // The locus and the ring come from the model's own steps.
  const colour::exact_arithmetic arithmetic;
  return diagram(request).draw();
}

}  // namespace plot
