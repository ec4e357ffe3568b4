// The measures and number forms the diagram's labels share: the height of a
// line (a subscript reaches below the main text's descent), a width with a
// little room for fonts whose advances differ from DejaVu's, wavelengths as
// the dialogue writes them (a typographic minus sign) and fixed decimals.
//   nm_text(-556.84) -> "−556.84"; fixed(0.34770, 4) -> "0.3477"; NaN -> "–"
#pragma once

#include <string>

#include "diagram/rich_text.h"

namespace diagram {

inline double line_height(double font) {
  return (ascent_em + subscript_drop + descent_em) * font;
}

inline double label_width(const rich_text& text, double font) {
  return text.width(font) * 1.03 + 1.0;
}

std::string nm_text(double v);
std::string fixed(double v, int decimals);

}  // namespace diagram
