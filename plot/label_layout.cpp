#include "plot/label_layout.h"

#include <cmath>

namespace plot {

bool overlaps(const box& a, const box& b, double padding) {
  return a.left < b.right + padding && b.left < a.right + padding &&
         a.top < b.bottom + padding && b.top < a.bottom + padding;
}

double text_width(std::string_view text, double font_size) {
  double chars = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++chars;
  }
  return chars * 0.6 * font_size;
}

placed_text text_towards(px_point point, px_point towards, double gap, std::string_view text,
                         double font_size) {
  constexpr double side = 0.38;  // beyond this share of a unit vector the text leans over
  const px_point q{point.x + gap * towards.x, point.y + gap * towards.y};
  const double width = text_width(text, font_size);
  const double ascent = 0.75 * font_size;
  const double descent = 0.22 * font_size;

  placed_text t{};
  double left = q.x - width / 2;
  t.anchor = text_anchor::middle;
  if (towards.x > side) {
    t.anchor = text_anchor::start;
    left = q.x;
  } else if (towards.x < -side) {
    t.anchor = text_anchor::end;
    left = q.x - width;
  }
  double baseline = q.y + 0.35 * font_size;
  if (towards.y > side) baseline = q.y + ascent;
  if (towards.y < -side) baseline = q.y - descent;

  t.baseline = {t.anchor == text_anchor::start    ? left
                : t.anchor == text_anchor::middle ? left + width / 2
                                                  : left + width,
                baseline};
  t.bounds = {left, baseline - ascent, left + width, baseline + descent};
  return t;
}

bool label_layout::inside(const box& b) const {
  return b.left >= area_.left && b.right <= area_.right && b.top >= area_.top &&
         b.bottom <= area_.bottom;
}

bool label_layout::fits(const box& b) const {
  if (!inside(b)) return false;
  for (const auto& taken : taken_) {
    if (overlaps(b, taken, 2.0)) return false;
  }
  return true;
}

}  // namespace plot
