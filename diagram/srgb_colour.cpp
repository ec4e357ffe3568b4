#include "diagram/srgb_colour.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace diagram {
namespace {

std::uint8_t encoded(double linear) {
  const double c = std::clamp(linear, 0.0, 1.0);
  const double v = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
  return static_cast<std::uint8_t>(std::lround(v * 255.0));
}

}  // namespace

srgb8 srgb_of_chromaticity(double x, double y) {
  if (!(y > 0.0) || !std::isfinite(x)) return {255, 255, 255};
  const double X = x / y;
  const double Y = 1.0;
  const double Z = (1.0 - x - y) / y;
  double r = 3.2406 * X - 1.5372 * Y - 0.4986 * Z;
  double g = -0.9689 * X + 1.8758 * Y + 0.0415 * Z;
  double b = 0.0557 * X - 0.2040 * Y + 1.0570 * Z;
  const double lowest = std::min({r, g, b});
  if (lowest < 0.0) {
    r -= lowest;
    g -= lowest;
    b -= lowest;
  }
  const double highest = std::max({r, g, b});
  if (!(highest > 0.0)) return {255, 255, 255};
  return {encoded(r / highest), encoded(g / highest), encoded(b / highest)};
}

std::string hex_colour(srgb8 c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
  return text;
}

}  // namespace diagram
