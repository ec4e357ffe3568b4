// The diagram's legend: what it lists (the loci, or each compared model by
// name with its white point's marker; a colour per pass, λ = W nm; the
// compensative pair and hue-equal lines; the ring) and where its entries go,
// either in rows below the axes, as many to a row as fit, or in one column
// beside the diagram (a slide).
#pragma once

#include <string>
#include <vector>

#include "colour/colour_model.h"
#include "diagram/diagram_layout.h"

namespace diagram {

struct legend_item {
  std::string sample_style;  // the line drawn before the text
  rich_text text;
};

std::vector<legend_item> legend_items(const diagram_request& request,
                                      const std::vector<colour::pass_result>& passes);

// The width of the widest entry, sample and text.
double legend_column_width(const std::vector<legend_item>& items, double font);

// Rows from `left`, wrapping before `right`, from `top` down; returns the
// legend's bottom.
double lay_out_legend_rows(const std::vector<legend_item>& items, double font, double left,
                           double right, double top, std::vector<legend_entry>& entries);

// One entry under the other from (left, top); returns the legend's bottom.
double lay_out_legend_column(const std::vector<legend_item>& items, double font, double left,
                             double top, std::vector<legend_entry>& entries);

}  // namespace diagram
