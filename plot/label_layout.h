// Where text goes on the diagram: boxes estimated from the font size, and a
// record of the space already taken so that no two labels overlap.
#pragma once

#include <string_view>
#include <vector>

#include "plot/svg_canvas.h"

namespace plot {

struct box {
  double left;
  double top;
  double right;
  double bottom;
};

bool overlaps(const box& a, const box& b, double padding);

// Width of one line of sans-serif text, from the average advance of digits
// and lower-case letters (0.6 em); UTF-8 continuation bytes do not count.
double text_width(std::string_view text, double font_size);

struct placed_text {
  px_point baseline;
  text_anchor anchor;
  box bounds;
};

// Text set off from `point` by `gap` pixels in the unit direction `towards`
// (screen coordinates, y down), anchored so that it grows away from the point.
placed_text text_towards(px_point point, px_point towards, double gap, std::string_view text,
                         double font_size);

class label_layout {
 public:
  explicit label_layout(box area) : area_(area) {}
  // Inside the drawing area and clear of every box taken so far.
  bool fits(const box& b) const;
  bool inside(const box& b) const;
  void take(const box& b) { taken_.push_back(b); }

 private:
  box area_;
  std::vector<box> taken_;
};

}  // namespace plot
