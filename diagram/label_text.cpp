#include "diagram/label_text.h"

#include <cmath>
#include <cstdio>

#include "textio/shortest_number.h"

namespace diagram {

std::string fixed(double v, int decimals) {
  if (!std::isfinite(v)) return "\u2013";
  char text[40];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  return text;
}

std::string nm_text(double v) {
  if (!std::isfinite(v)) return "\u2013";
  const std::string t = textio::shortest_text(std::fabs(v));
  return v < 0 ? "\u2212" + t : t;
}

}  // namespace diagram
