// A minimal SVG writer: shapes and text in pixel coordinates, classes styled
// by one embedded style sheet, so the file is self-contained.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plot {

struct px_point {
  double x;
  double y;
};

enum class text_anchor { start, middle, end };

class svg_canvas {
 public:
  svg_canvas(double width, double height, std::string_view title, std::string_view style);

  void line(px_point a, px_point b, std::string_view css_class);
  void polyline(const std::vector<px_point>& points, std::string_view css_class, bool closed);
  void circle(px_point centre, double radius, std::string_view css_class);
  // One text line; `baseline` is the y of the glyph baseline.
  void text(px_point baseline, std::string_view content, text_anchor anchor,
            std::string_view css_class);
  void open_group(std::string_view id);
  void close_group();

  std::string finish();

 private:
  void number(double v);
  void attribute(std::string_view name, double v);

  std::string svg_;
};

// "&", "<", ">" and quotes as XML entities: "a<b" -> "a&lt;b".
std::string xml_escaped(std::string_view text);

}  // namespace plot
