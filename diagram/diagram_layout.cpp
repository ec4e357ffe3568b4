#include "diagram/diagram_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "colour/colour_model.h"
#include "colour/exact_arithmetic.h"
#include "diagram/chromaticity_geometry.h"
#include "diagram/diagram_legend.h"
#include "diagram/label_text.h"
#include "diagram/rich_text.h"
#include "textio/shortest_number.h"

namespace diagram {
namespace {

// The axes: x 0..0.8, y 0..0.9 in steps of 0.1.
constexpr int x_steps = 8;
constexpr int y_steps = 9;
constexpr double x_extent = 0.8;
constexpr double y_extent = 0.9;

px_point unit(px_point v) {
  const double n = std::hypot(v.x, v.y);
  return n > 0 ? px_point{v.x / n, v.y / n} : px_point{0.0, 1.0};
}

// The orders in which the pigments' blocks and the wavelengths on the locus
// are placed: the passes as given, each pigment before its partner; the
// passes and pigments the other way round; the locus's labels first.
enum class label_order { as_given, reversed, locus_first };

class diagram_builder {
 public:
  explicit diagram_builder(const diagram_request& request)
      : request_(request),
        model_(*request.model),
        white_(white_point_of(model_)),
        size_(request.size),
        font_(size_.label_px),
        small_(size_.small_px),
        tick_length_(0.45 * small_),
        padding_(std::max(1.5, 0.18 * font_)),
        passes_(passes_of(request)),
        top_(request.title.empty() ? 0.75 * small_ : 0.75 * small_ + 1.6 * size_.title_px),
        frame_(place_frame()),
        left_(frame_.left),
        scale_(frame_.scale),
        bottom_(top_ + y_extent * scale_),
        placer_({left_ + 1, top_ + 1, left_ + x_extent * scale_ - 1, bottom_ - 1}, padding_) {}

  // The frame's left edge and the scale (px per chromaticity unit): across
  // the width with the legend below; on a figure of fixed height, as tall as
  // the height allows beside the legend, the two centred together.
  struct frame_placement {
    double left;
    double scale;
  };

  static std::vector<colour::pass_result> passes_of(const diagram_request& request) {
    std::vector<colour::pass_result> passes;
    for (const double w : request.wavelengths) {
      passes.push_back(colour::compute_pass(w, 0.0, *request.model));
    }
    return passes;
  }

  double y_axis_room() const {
    return tick_length_ + 0.35 * small_ + advance_em("0.9", run_style::plain) * small_ +
           1.6 * font_;
  }

  // From the frame's bottom to the x axis name's descent.
  double x_axis_room() const {
    return tick_length_ + 0.3 * small_ + (ascent_em + descent_em) * small_ +
           (ascent_em + descent_em) * font_ + 0.1 * font_;
  }

  double legend_gap() const { return 1.5 * font_; }

  frame_placement place_frame() const {
    const double left = y_axis_room();
    if (size_.height_px <= 0) return {left, (size_.width_px - left - 0.9 * small_) / x_extent};
    const double legend = legend_column_width(legend_items(request_, passes_), font_);
    const double right_margin = 0.5 * font_;
    const double by_height = (size_.height_px - top_ - x_axis_room() - 0.3 * font_) / y_extent;
    const double by_width =
        (size_.width_px - left - legend_gap() - legend - right_margin) / x_extent;
    const double scale = std::min(by_height, by_width);
    const double spare =
        size_.width_px - right_margin - (left + x_extent * scale + legend_gap() + legend);
    return {left + std::max(0.0, spare / 2), scale};
  }

  double legend_left() const { return left_ + x_extent * scale_ + legend_gap(); }

  // Label placement is greedy: an early label can take the only place a
  // later one had. Where the first order leaves labels out, the others are
  // tried on the same drawing, and the one that leaves out fewest is kept.
  diagram_layout lay_out() {
    gather_lines();
    std::optional<diagram_builder> best;
    for (const label_order order :
         {label_order::as_given, label_order::reversed, label_order::locus_first}) {
      diagram_builder attempt(*this);
      attempt.place_labels(order);
      if (!best || attempt.layout_.omitted.size() < best->layout_.omitted.size()) {
        best.emplace(std::move(attempt));
      }
      if (best->layout_.omitted.empty()) break;
    }
    best->lay_out_frame();
    return std::move(best->layout_);
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

  void add_marker(px_point centre, double radius, std::string style) {
    layout_.markers.push_back({centre, radius, std::move(style)});
    placer_.add_box(layout_.markers.back().bounds());
  }

  void gather_lines() {
    auto& own = layout_.locus;
    for (const auto& p : spectral_locus(0.5, model_)) own.push_back(to_px(p));
    placer_.add_polyline(own, false);
    placer_.add_line({own.back(), own.front()});  // the purple line
    layout_.frame = {to_px({0, 0}), to_px({x_extent, 0}), to_px({x_extent, y_extent}),
                     to_px({0, y_extent})};
    placer_.add_polyline(layout_.frame, true);
    if (request_.ring) {
      for (const auto& p : full_colour_ring(model_)) layout_.ring.push_back(to_px(p));
      placer_.add_polyline(layout_.ring, true);
    }
    add_marker(to_px(white_), 0.35 * font_, "white");
    for (const colour::model* m : request_.compared) {
      std::vector<px_point> locus;
      for (const auto& p : spectral_locus(0.5, *m)) locus.push_back(to_px(p));
      placer_.add_polyline(locus, false);
      placer_.add_line({locus.back(), locus.front()});
      layout_.compared.push_back({std::string(m->name()), std::move(locus)});
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
    const std::string dot =
        "point f" + std::to_string(layout_.constructions.size() % construction_colour_count);
    if (p.middle_path) {
      lines.pair.push_back({locus_px(p.l), locus_px(p.lc)});
      placer_.add_line({locus_px(p.l), locus_px(p.lc)});
      gather_hue_line(p.hue_equal_first, p.first, lines);
    } else {
      gather_hue_line(p.hue_equal_first, p.first, lines);
      if (!one_hue_line(p)) gather_hue_line(p.hue_equal_second, p.second, lines);
    }
    layout_.constructions.push_back(std::move(lines));
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
      layout_.ticks.push_back({nm, tick, n});
      placer_.add_line(tick);
    }
  }

  // --- labels --------------------------------------------------------------

  // A block of text lines near `point`, with a leader if it has to move away.
  // The first of the `forms` (from the fullest to the shortest) that finds
  // a place next to the point or on a short leader; failing that, the first
  // that finds a place at all; none only where the figure is too crowded.
  void place(px_point point, px_point preferred, double point_radius,
             std::vector<std::vector<rich_text>> forms) {
    std::optional<std::pair<std::size_t, placement>> fallback;
    for (std::size_t i = 0; i < forms.size(); ++i) {
      double width = 0;
      for (const auto& line : forms[i]) width = std::max(width, label_width(line, font_));
      const double height = line_height(font_) * static_cast<double>(forms[i].size());
      // A leader longer than a few words reads as a line of the figure.
      const label_request request{point, preferred, width, height, point_radius + 0.35 * font_,
                                  point_radius, true, 8 * font_};
      const auto found = placer_.find(request);
      if (!found) continue;
      if (!found->leader || leader_length(*found->leader) <= 6 * font_) {
        fallback = {i, *found};
        break;
      }
      if (!fallback) fallback = {i, *found};
    }
    if (!fallback) {
      layout_.omitted.push_back(forms.front().front().plain_text());
      return;
    }
    const auto& [form, placed] = *fallback;
    placer_.take(placed);
    layout_.labels.push_back({placed.bounds, std::move(forms[form]), "label", font_, placed.leader});
  }

  static double leader_length(const segment& s) { return std::hypot(s.b.x - s.a.x, s.b.y - s.a.y); }

  void place_locus_mark(double w, std::vector<std::vector<rich_text>> forms) {
    place(locus_px(w), locus_normal(w), 0.27 * font_, std::move(forms));
  }

  // "l1 = 464.502 (short-end)" on one line or, where that finds no room,
  // the qualifier on a second line.
  static std::vector<std::vector<rich_text>> named(std::string_view name, std::string_view sub,
                                                   double value, std::string_view suffix) {
    const rich_text value_text = rich_text().var(name).sub(sub).plain(" = " + nm_text(value));
    if (suffix.empty()) return {{value_text}};
    std::vector<std::vector<rich_text>> forms{{rich_text(value_text).plain(suffix)}};
    forms.push_back({value_text, rich_text(suffix.substr(suffix.find_first_not_of(' ')))});
    return forms;
  }

  void place_pigment(const colour::pigment& pigment, std::string name) {
    const xy_point c{pigment.xy.x, pigment.xy.y};
    if (!std::isfinite(c.x) || !std::isfinite(c.y)) return;
    const px_point p = to_px(c);
    const rich_text xy =
        rich_text().var("x").plain(" = " + fixed(c.x, 4) + ", ").var("y").plain(" = " + fixed(c.y, 4));
    const rich_text moment = rich_text().var("M").plain(" = " + textio::shortest_text(pigment.moment));
    // The name narrower on two lines, "middle-gap pigment" over "(450 nm)"
    // or "middle-gap" over "pigment", or on three.
    const auto bracket = name.find(" (");
    const auto split = bracket != std::string::npos ? bracket : name.rfind(' ');
    const rich_text head(name.substr(0, split));
    const rich_text tail(name.substr(split + 1));
    std::vector<std::vector<rich_text>> forms{{rich_text(name), xy, moment},
                                              {rich_text(name), moment},
                                              {head, tail, moment},
                                              {rich_text(name)},
                                              {head, tail}};
    if (bracket != std::string::npos) {
      const std::string words = name.substr(0, bracket);
      const auto space = words.rfind(' ');
      forms.push_back({rich_text(words.substr(0, space)), rich_text(words.substr(space + 1)), tail});
    }
    place(p, away_from_white(p), 0.36 * font_, std::move(forms));
  }

  static bool on_purple_line(const colour::hue_equal_pair& h) { return h.l2 < 0 && h.l1 > 0; }

  void place_hue_labels(const colour::hue_equal_pair& h, std::string_view suffix, bool label_l2) {
    if (!std::isfinite(h.l1)) return;
    place_locus_mark(std::fabs(h.l1), named("l", "1", h.l1, suffix));
    if (label_l2 && !on_purple_line(h)) place_l2_label(h, suffix);
  }

  void place_l2_label(const colour::hue_equal_pair& h, std::string_view suffix) {
    if (const auto end2 = hue_line_end(h)) {
      const px_point normal =
          on_purple_line(h) ? away_from_white(*end2) : locus_normal(std::fabs(h.l2));
      place(*end2, normal, 0.27 * font_, named("l", "2", h.l2, suffix));
    }
  }

  // An l2 on the purple line has only the narrow wedge below it, which a
  // pigment's block would otherwise take.
  void place_purple_line_labels(const colour::pass_result& p) {
    const auto place_one = [&](const colour::hue_equal_pair& h, std::string_view suffix) {
      if (std::isfinite(h.l1) && on_purple_line(h)) place_l2_label(h, suffix);
    };
    if (p.middle_path) {
      place_one(p.hue_equal_first, "");
    } else if (!one_hue_line(p)) {
      place_one(p.hue_equal_first, " (short-end)");
      place_one(p.hue_equal_second, " (long-end)");
    }
  }

  // The pigments' blocks first: they are the largest and need the most room.
  void place_pigment_labels(const colour::pass_result& p, double entered, bool reversed) {
    const std::string of = passes_.size() > 1 ? " (" + nm_text(entered) + " nm)" : "";
    const std::string first = (p.middle_path ? "middle pigment" : "short-end pigment") + of;
    const std::string second = (p.middle_path ? "middle-gap pigment" : "long-end pigment") + of;
    if (reversed) place_pigment(p.second, second);
    place_pigment(p.first, first);
    if (!reversed) place_pigment(p.second, second);
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

  // A tick's number goes just beyond its tick, outside the locus or, with
  // `inside`, next to it inside the locus (where the frame leaves no room
  // outside); it is left out only when no such place is free.
  bool place_tick_label(const wavelength_tick& t, bool inside) {
    const rich_text text(std::to_string(t.nm));
    const double width = label_width(text, small_);
    const double height = (ascent_em + descent_em) * small_;
    const px_point side = inside ? px_point{-t.normal.x, -t.normal.y} : t.normal;
    const label_request request{t.mark.a, side, width, height,
                                tick_length_ + padding_ + 1.0, tick_length_, false};
    const auto placed = placer_.place(request);
    if (!placed) return false;
    layout_.labels.push_back({placed->bounds, {text}, "small", small_, std::nullopt});
    layout_.numbered_ticks.push_back(t.nm);
    return true;
  }

  // The scale first: every 10 nm tick's number beside its tick outside the
  // locus, so that the constructions' labels find their places around the
  // numbers rather than pushing them away from their ticks; then an l2 on
  // the purple line (its room is the narrow wedge below the line), the
  // pigments' blocks (the largest), the other wavelengths on the locus, E,
  // the 10 nm numbers that found no room outside next to their ticks inside
  // the locus, and the 5 nm numbers where room is left.
  void place_labels(label_order order) {
    std::vector<const wavelength_tick*> unnumbered;
    for (const auto& t : layout_.ticks) {
      if (t.nm % 10 == 0 && !place_tick_label(t, false)) unnumbered.push_back(&t);
    }
    for (const auto& p : passes_) place_purple_line_labels(p);
    if (order == label_order::locus_first) {
      for (const auto& p : passes_) place_locus_labels(p);
    }
    const bool reversed = order == label_order::reversed;
    for (std::size_t k = 0; k < passes_.size(); ++k) {
      const std::size_t i = reversed ? passes_.size() - 1 - k : k;
      place_pigment_labels(passes_[i], request_.wavelengths[i], reversed);
    }
    if (order != label_order::locus_first) {
      for (const auto& p : passes_) place_locus_labels(p);
    }
    place(to_px(white_), unit({-1, 1.2}), 0.35 * font_, {{rich_text("E")}});
    for (const auto* t : unnumbered) place_tick_label(*t, true);
    for (const auto& t : layout_.ticks) {
      if (t.nm % 10 != 0) place_tick_label(t, false);
    }
  }

  // --- the frame: heading, axes, legend ---------------------------------

  placed_text plain_text_at(px_point baseline, const std::string& text, text_anchor anchor,
                            std::string style, double font) const {
    const double w = advance_em(text, run_style::plain) * font;
    const double left = anchor == text_anchor::start    ? baseline.x
                        : anchor == text_anchor::middle ? baseline.x - w / 2
                                                        : baseline.x - w;
    return {baseline, rich_text(text), anchor, std::move(style), font,
            {left, baseline.y - ascent_em * font, left + w, baseline.y + descent_em * font}};
  }

  // The axes with their numbers outside the frame.
  void lay_out_axes() {
    const double tick = tick_length_;
    const double digit_height = ascent_em * small_;
    for (int i = 0; i <= y_steps; ++i) {
      const double v = i / 10.0;
      if (i <= x_steps) {
        const px_point bottom = to_px({v, 0.0});
        layout_.axis_marks.push_back(
            {{to_px({v, y_extent}), bottom},
             {bottom, {bottom.x, bottom.y + tick}},
             plain_text_at({bottom.x, bottom.y + tick + 0.3 * small_ + digit_height}, fixed(v, 1),
                           text_anchor::middle, "small", small_)});
      }
      const px_point left = to_px({0.0, v});
      layout_.axis_marks.push_back(
          {{left, to_px({x_extent, v})},
           {left, {left.x - tick, left.y}},
           plain_text_at({left.x - tick - 0.35 * small_, left.y + 0.35 * small_}, fixed(v, 1),
                         text_anchor::end, "small", small_)});
    }
    // Axis names: italic serif x and y, as in the literature.
    const double x_baseline = bottom_ + tick + 0.3 * small_ + (ascent_em + descent_em) * small_ +
                              ascent_em * font_ + 0.1 * font_;
    const double centre_x = left_ + x_extent * scale_ / 2;
    name_label({centre_x - 0.3 * font_, x_baseline}, rich_text().var("x"));
    name_label({left_ - y_axis_room() + 0.4 * font_, top_ + y_extent * scale_ / 2},
               rich_text().var("y"));
  }

  void name_label(px_point baseline, const rich_text& text) {
    layout_.axis_names.push_back(
        {baseline, text, text_anchor::start, "label", font_,
         {baseline.x, baseline.y - ascent_em * font_, baseline.x + label_width(text, font_),
          baseline.y + descent_em * font_}});
  }

  void lay_out_frame() {
    layout_.size = size_;
    layout_.width = size_.width_px;
    std::string heading = "CIE 1931 chromaticity diagram";
    for (const double w : request_.wavelengths) heading += ", dialogue pass for " + nm_text(w) + " nm";
    layout_.title = request_.title.empty() ? heading : request_.title;
    if (!request_.title.empty()) {
      layout_.heading = plain_text_at({left_, 0.4 * small_ + ascent_em * size_.title_px},
                                      request_.title, text_anchor::start, "title",
                                      size_.title_px);
    }
    lay_out_axes();
    if (request_.fill) {
      const px_point top_left = to_px({0.0, y_extent});
      layout_.fill = fill_picture{top_left, static_cast<int>(std::ceil(x_extent * scale_)),
                                  static_cast<int>(std::ceil(y_extent * scale_)), scale_, y_extent};
    }
    const auto items = legend_items(request_, passes_);
    if (size_.height_px > 0) {
      const double bottom =
          lay_out_legend_column(items, font_, legend_left(), top_, layout_.legend);
      layout_.height = std::max(size_.height_px, bottom + 0.3 * font_);
    } else {
      const double legend_top = bottom_ + tick_length_ + 0.3 * small_ +
                                (ascent_em + descent_em) * small_ +
                                (ascent_em + descent_em) * font_ + 0.7 * font_;
      layout_.height = lay_out_legend_rows(items, font_, left_, size_.width_px - 0.5 * font_,
                                           legend_top, layout_.legend) +
                       0.3 * font_;
    }
    layout_.obstacles = placer_.lines();
  }

  diagram_request request_;
  const colour::model& model_;  // the locus, white point and passes come from it
  xy_point white_;
  figure_size size_;
  double font_;
  double small_;
  double tick_length_;
  double padding_;
  std::vector<colour::pass_result> passes_;
  double top_;     // frame edges
  frame_placement frame_;
  double left_;
  double scale_;   // px per chromaticity unit
  double bottom_;
  label_placer placer_;
  diagram_layout layout_;
};

}  // namespace

box marker::bounds() const {
  return {centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius};
}

std::vector<box> diagram_layout::text_boxes() const {
  std::vector<box> boxes;
  if (heading) boxes.push_back(heading->bounds);
  for (const auto& m : axis_marks) boxes.push_back(m.number.bounds);
  for (const auto& n : axis_names) boxes.push_back(n.bounds);
  for (const auto& e : legend) boxes.push_back(e.text.bounds);
  for (const auto& l : labels) boxes.push_back(l.bounds);
  return boxes;
}

std::vector<box> diagram_layout::marker_boxes() const {
  std::vector<box> boxes;
  for (const auto& m : markers) boxes.push_back(m.bounds());
  return boxes;
}

std::vector<segment> diagram_layout::drawn_lines() const {
  std::vector<segment> lines;
  for (const auto& m : axis_marks) lines.push_back(m.tick);
  for (const auto& e : legend) lines.push_back(e.sample);
  lines.insert(lines.end(), obstacles.begin(), obstacles.end());
  return lines;
}

diagram_layout lay_out_chromaticity_diagram(const diagram_request& request) {
  // The locus and the ring come from the model's own steps.
  const colour::exact_arithmetic arithmetic;
  return diagram_builder(request).lay_out();
}

}  // namespace diagram
