#include "diagram/diagram_legend.h"

#include <algorithm>

#include "diagram/label_text.h"

namespace diagram {
namespace {

// A sample line, then the text.
constexpr double sample_em = 2.2;
constexpr double gap_em = 0.4;

double entry_width(const legend_item& item, double font) {
  return sample_em * font + gap_em * font + label_width(item.text, font);
}

double row_height(double font) { return line_height(font) + 0.25 * font; }

legend_entry entry_at(const legend_item& item, double font, double x, double row_top) {
  const double sample = sample_em * font;
  const double gap = gap_em * font;
  const double middle = row_top + (ascent_em * 0.62) * font;
  const box bounds{x + sample + gap, row_top, x + entry_width(item, font),
                   row_top + line_height(font)};
  return {{{x, middle}, {x + sample, middle}},
          item.sample_style,
          {{x + sample + gap, row_top + ascent_em * font}, item.text, text_anchor::start, "label",
           font, bounds}};
}

}  // namespace

std::vector<legend_item> legend_items(const diagram_request& request,
                                      const std::vector<colour::pass_result>& passes) {
  std::vector<legend_item> items;
  if (request.compared.empty()) {
    items = {{"locus", rich_text("spectrum locus")}, {"purple", rich_text("purple line")}};
  } else {
    // Each model's locus and white point (its marker beside the name).
    items.push_back(
        {"locus", rich_text(std::string(request.model->description()) + " (white: open dot)")});
    for (std::size_t i = 0; i < request.compared.size(); ++i) {
      items.push_back({"compared" + std::to_string(i % 2),
                       rich_text(std::string(request.compared[i]->description()) +
                                 " (white: filled dot)")});
    }
  }
  bool any_middle = false;
  for (std::size_t i = 0; i < passes.size(); ++i) {
    items.push_back({"pair c" + std::to_string(i % construction_colour_count),
                     rich_text().var("\u03bb").plain(" = " + nm_text(request.wavelengths[i]) +
                                                     " nm")});
    any_middle = any_middle || passes[i].middle_path;
  }
  if (any_middle) {
    items.push_back(
        {"pair sample", rich_text("compensative pair ").var("l").plain(", ").var("l").sub("c")});
  }
  if (!passes.empty()) {
    items.push_back(
        {"hue sample", rich_text("hue-equal ").var("l").sub("1").plain(", ").var("l").sub("2")});
  }
  if (request.ring) items.push_back({"ring", rich_text("full-colour ring")});
  return items;
}

double legend_column_width(const std::vector<legend_item>& items, double font) {
  double width = 0;
  for (const auto& item : items) width = std::max(width, entry_width(item, font));
  return width;
}

double lay_out_legend_rows(const std::vector<legend_item>& items, double font, double left,
                           double right, double top, std::vector<legend_entry>& entries) {
  const double spacing = 1.2 * font;
  double x = left;
  double row_top = top;
  for (const auto& item : items) {
    const double w = entry_width(item, font);
    if (x > left && x + w > right) {
      x = left;
      row_top += row_height(font);
    }
    entries.push_back(entry_at(item, font, x, row_top));
    x += w + spacing;
  }
  return row_top + row_height(font);
}

double lay_out_legend_column(const std::vector<legend_item>& items, double font, double left,
                             double top, std::vector<legend_entry>& entries) {
  double row_top = top;
  for (const auto& item : items) {
    entries.push_back(entry_at(item, font, left, row_top));
    row_top += row_height(font);
  }
  return row_top;
}

}  // namespace diagram
