#include "diagram/figure_size.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "cli/usage_error.h"

namespace diagram {
namespace {

// Text for a print width: 8.5 pt at 85 mm (single column), 10 pt at 170 mm
// (full page width), growing on at that rate up to 16 pt.
figure_size printed(double width_mm, double dpi) {
  const double label_pt = std::clamp(8.5 + (width_mm - 85.0) * 1.5 / 85.0, 8.5, 16.0);
  return {width_mm * px_per_mm, label_pt * px_per_pt, std::max(8.0, label_pt - 0.5) * px_per_pt,
          (label_pt + 1.5) * px_per_pt, dpi, 0.0};
}

}  // namespace

figure_size figure_size_named(std::string_view name) {
  if (name == "column") return printed(85.0, 300.0);
  if (name == "page") return printed(170.0, 300.0);
  if (name == "slide") return {1280.0, 22.0, 19.0, 28.0, 96.0, 720.0};
  bool mm = name.ends_with("mm");
  bool px = name.ends_with("px");
  double value = 0.0;
  if (mm || px) {
    const std::string_view number = name.substr(0, name.size() - 2);
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc{} || end != number.data() + number.size() || !std::isfinite(value)) {
      mm = px = false;
    }
  }
  const std::string quoted = "\"" + std::string(name.substr(0, 40)) + "\"";
  if (!mm && !px) {
    throw cli::usage_error("--size: " + quoted +
                             " is not column, page, slide or a width like 120mm or 900px");
  }
  if (mm && !(value >= 40.0 && value <= 1000.0)) {
    throw cli::usage_error("--size: " + quoted + " is outside 40mm to 1000mm");
  }
  if (px && !(value >= 150.0 && value <= 4000.0)) {
    throw cli::usage_error("--size: " + quoted + " is outside 150px to 4000px");
  }
  if (mm) return printed(value, 300.0);
  figure_size size = printed(value / px_per_mm, 96.0);
  size.width_px = value;
  return size;
}

}  // namespace diagram
