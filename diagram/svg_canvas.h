// A minimal SVG writer: shapes and text in pixel coordinates, classes styled
// by one embedded style sheet, so the file is self-contained.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace diagram {

class rich_text;

struct px_point {
  double x;
  double y;
};

enum class text_anchor { start, middle, end };

class svg_canvas {
 public:
  // Width and height in drawing units (CSS pixels); the file states them in
  // millimetres too, so that it prints at its intended size.
  svg_canvas(double width, double height, std::string_view title, std::string_view style);

  void line(px_point a, px_point b, std::string_view css_class);
  void polyline(const std::vector<px_point>& points, std::string_view css_class, bool closed);
  void circle(px_point centre, double radius, std::string_view css_class);
  // One text line; `baseline` is the y of the glyph baseline.
  void text(px_point baseline, std::string_view content, text_anchor anchor,
            std::string_view css_class);
  // Runs as tspans: variables in the "var" class, subscripts in "sub",
  // lowered by a share of `font_size`.
  void text(px_point baseline, const rich_text& content, text_anchor anchor,
            std::string_view css_class, double font_size);
  // An embedded PNG stretched over the rectangle, shown only inside the
  // closed polygon `clip`.
  void clipped_image(px_point top_left, double width, double height, std::string_view png,
                     const std::vector<px_point>& clip, std::string_view id);
  void open_group(std::string_view id);
  void close_group();

  std::string finish();

 private:
  void number(double v);
  void attribute(std::string_view name, double v);

  std::string svg_;
};

// The text as characters an XML file may hold: every byte that is not part
// of valid UTF-8, and every control character but tab and the line ends
// (ESC, NUL), becomes U+FFFD. "a\x01b\xff" -> "a\ufffdb\ufffd".
std::string xml_character_data(std::string_view text);

// The same, and "&", "<", ">" and quotes as XML entities: "a<b" -> "a&lt;b".
std::string xml_escaped(std::string_view text);

}  // namespace diagram
