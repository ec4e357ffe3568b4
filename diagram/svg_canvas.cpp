#include "diagram/svg_canvas.h"

#include <cmath>
#include <cstdio>

#include "diagram/figure_size.h"
#include "diagram/colour_fill.h"
#include "diagram/rich_text.h"

namespace diagram {

namespace {

// The length of the UTF-8 sequence at the start of `text` when it encodes a
// character XML 1.0 allows (tab, line ends, and from U+0020 on, except
// surrogates, U+FFFE and U+FFFF), 0 otherwise.
std::size_t xml_character_length(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char first = byte(0);
  if (first < 0x80) return first >= 0x20 || first == '\t' || first == '\n' || first == '\r' ? 1 : 0;
  std::size_t length = 0;
  char32_t code = 0;
  if (first >= 0xc2 && first <= 0xdf) {
    length = 2;
    code = first & 0x1f;
  } else if (first >= 0xe0 && first <= 0xef) {
    length = 3;
    code = first & 0x0f;
  } else if (first >= 0xf0 && first <= 0xf4) {
    length = 4;
    code = first & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xc0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3f);
  }
  const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < smallest[length] || code > 0x10ffff) return 0;  // overlong, too large
  if ((code >= 0xd800 && code <= 0xdfff) || code == 0xfffe || code == 0xffff) return 0;
  return length;
}

}  // namespace

std::string xml_character_data(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const std::size_t n = xml_character_length(text);
    if (n == 0) {
      out += "\xef\xbf\xbd";  // U+FFFD for each byte that is no character
      text.remove_prefix(1);
    } else {
      out += text.substr(0, n);
      text.remove_prefix(n);
    }
  }
  return out;
}

std::string xml_escaped(std::string_view raw) {
  const std::string text = xml_character_data(raw);
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

svg_canvas::svg_canvas(double width, double height, std::string_view title,
                       std::string_view style) {
  svg_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" "
         "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\"";
  svg_ += " width=\"";
  number(width / px_per_mm);
  svg_ += "mm\" height=\"";
  number(height / px_per_mm);
  svg_ += "mm\"";
  svg_ += " viewBox=\"0 0 ";
  number(width);
  svg_ += ' ';
  number(height);
  svg_ += "\">\n<title>" + xml_escaped(title) + "</title>\n<style>\n";
  svg_ += style;
  svg_ += "</style>\n<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
}

void svg_canvas::number(double v) {
  char text[32];
  // Hundredths of a pixel are plenty; "-0.00" would be noise.
  const double rounded = std::round(v * 100.0) / 100.0;
  std::snprintf(text, sizeof text, "%.2f", rounded == 0.0 ? 0.0 : rounded);
  std::string_view t(text);
  while (t.back() == '0') t.remove_suffix(1);
  if (t.back() == '.') t.remove_suffix(1);
  svg_ += t;
}

void svg_canvas::attribute(std::string_view name, double v) {
  svg_ += ' ';
  svg_ += name;
  svg_ += "=\"";
  number(v);
  svg_ += '"';
}

void svg_canvas::line(px_point a, px_point b, std::string_view css_class) {
  svg_ += "<line";
  attribute("x1", a.x);
  attribute("y1", a.y);
  attribute("x2", b.x);
  attribute("y2", b.y);
  svg_ += " class=\"" + std::string(css_class) + "\"/>\n";
}

void svg_canvas::polyline(const std::vector<px_point>& points, std::string_view css_class,
                          bool closed) {
  svg_ += closed ? "<polygon" : "<polyline";
  svg_ += " class=\"" + std::string(css_class) + "\" points=\"";
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i != 0) svg_ += ' ';
    number(points[i].x);
    svg_ += ',';
    number(points[i].y);
  }
  svg_ += "\"/>\n";
}

void svg_canvas::circle(px_point centre, double radius, std::string_view css_class) {
  svg_ += "<circle";
  attribute("cx", centre.x);
  attribute("cy", centre.y);
  attribute("r", radius);
  svg_ += " class=\"" + std::string(css_class) + "\"/>\n";
}

void svg_canvas::text(px_point baseline, std::string_view content, text_anchor anchor,
                      std::string_view css_class) {
  svg_ += "<text";
  attribute("x", baseline.x);
  attribute("y", baseline.y);
  if (anchor != text_anchor::start) {
    svg_ += anchor == text_anchor::middle ? " text-anchor=\"middle\"" : " text-anchor=\"end\"";
  }
  svg_ += " class=\"" + std::string(css_class) + "\">" + xml_escaped(content) + "</text>\n";
}

void svg_canvas::text(px_point baseline, const rich_text& content, text_anchor anchor,
                      std::string_view css_class, double font_size) {
  svg_ += "<text";
  attribute("x", baseline.x);
  attribute("y", baseline.y);
  if (anchor != text_anchor::start) {
    svg_ += anchor == text_anchor::middle ? " text-anchor=\"middle\"" : " text-anchor=\"end\"";
  }
  // Keeps the blank after a variable: "l = 600", not "l= 600".
  svg_ += " xml:space=\"preserve\" class=\"" + std::string(css_class) + "\">";
  bool lowered = false;
  for (const auto& run : content.runs()) {
    const bool lower = run.style == run_style::subscript;
    const bool plain = run.style == run_style::plain;
    if (plain && !lowered) {
      svg_ += xml_escaped(run.text);
      continue;
    }
    svg_ += "<tspan";
    if (run.style == run_style::variable) svg_ += " class=\"var\"";
    if (lower) svg_ += " class=\"sub\"";
    if (lower != lowered) attribute("dy", (lower ? 1 : -1) * subscript_drop * font_size);
    lowered = lower;
    svg_ += ">" + xml_escaped(run.text) + "</tspan>";
  }
  svg_ += "</text>\n";
}

void svg_canvas::clipped_image(px_point top_left, double width, double height,
                               std::string_view png, const std::vector<px_point>& clip,
                               std::string_view id) {
  svg_ += "<clipPath id=\"" + std::string(id) + "-clip\">\n";
  polyline(clip, "", true);
  svg_ += "</clipPath>\n<image";
  attribute("x", top_left.x);
  attribute("y", top_left.y);
  attribute("width", width);
  attribute("height", height);
  svg_ += " preserveAspectRatio=\"none\" clip-path=\"url(#" + std::string(id) +
          "-clip)\" xlink:href=\"data:image/png;base64," + base64(png) + "\"/>\n";
}

void svg_canvas::open_group(std::string_view id) {
  svg_ += "<g id=\"" + std::string(id) + "\">\n";
}

void svg_canvas::close_group() { svg_ += "</g>\n"; }

std::string svg_canvas::finish() { return svg_ + "</svg>\n"; }

}  // namespace diagram
