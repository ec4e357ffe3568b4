// Draws the program's icon, vollfarbe.svg, from the diagram's own geometry:
// the spectrum locus of the built-in tables closed by the purple line, filled
// with the sRGB colours of its chromaticities (a fan of triangles from the
// white point E, each in the colour of its edge on the locus), and the
// dialogue's construction for 600 nm: the line from its compensative
// wavelength through E to 600 nm. Run at build time: draw_icon FILE.
#include <cstdio>
#include <string>
#include <vector>

#include "colour/colour_model.h"
#include "colour/exact_arithmetic.h"
#include "colour/legacy/legacy_model.h"
#include "diagram/chromaticity_geometry.h"
#include "diagram/srgb_colour.h"

namespace {

constexpr double size = 48.0;    // the icon's drawing units
constexpr double scale = 52.0;   // units per chromaticity unit
constexpr double x_offset = 4.5;  // the locus (x 0.004 to 0.735) centred
constexpr double y_offset = 45.5;

std::string point_text(diagram::xy_point p) {
  char text[48];
  std::snprintf(text, sizeof text, "%.2f,%.2f", x_offset + p.x * scale, y_offset - p.y * scale);
  return text;
}

std::string colour_between(diagram::xy_point a, diagram::xy_point b) {
  return diagram::hex_colour(diagram::srgb_of_chromaticity((a.x + b.x) / 2, (a.y + b.y) / 2));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE.svg\n", argv[0]);
    return 2;
  }
  std::FILE* const out = std::fopen(argv[1], "w");
  if (out == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const colour::model& model = colour::legacy_model();
  const colour::exact_arithmetic exact;
  const std::vector<diagram::xy_point> locus = diagram::spectral_locus(4.0, model);
  const diagram::xy_point white = diagram::white_point_of(model);
  const colour::pass_result pass = colour::compute_pass(600, 0, model);

  std::fprintf(out, 
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%g\" height=\"%g\" viewBox=\"0 0 %g %g\">\n"
      "<title>vollfarbe</title>\n<g stroke-width=\"0.35\" stroke-linejoin=\"round\">\n",
      size, size, size, size);
  // Each triangle is outlined in its own colour, so that no seam shows
  // between neighbours; the last one closes the fan along the purple line.
  for (std::size_t i = 0; i < locus.size(); ++i) {
    const diagram::xy_point a = locus[i];
    const diagram::xy_point b = locus[(i + 1) % locus.size()];
    const std::string fill = colour_between(a, b);
    std::fprintf(out, "<path d=\"M%sL%sL%sZ\" fill=\"%s\" stroke=\"%s\"/>\n", point_text(white).c_str(),
                point_text(a).c_str(), point_text(b).c_str(), fill.c_str(), fill.c_str());
  }
  std::fprintf(out, "</g>\n<path fill=\"none\" stroke=\"#222\" stroke-width=\"1.6\" stroke-linejoin=\"round\" d=\"M");
  for (const diagram::xy_point& p : locus) std::fprintf(out, "%s ", point_text(p).c_str());
  std::fprintf(out, "Z\"/>\n");
  std::fprintf(out, "<path d=\"M%sL%s\" stroke=\"#222\" stroke-width=\"1.4\" stroke-linecap=\"round\"/>\n",
              point_text(diagram::spectral_locus_point(pass.l, model)).c_str(),
              point_text(diagram::spectral_locus_point(pass.lc, model)).c_str());
  const std::string centre = point_text(white);
  std::fprintf(out, "<circle cx=\"%s\" cy=\"%s\" r=\"2.2\" fill=\"#fff\" stroke=\"#222\" stroke-width=\"1.2\"/>\n",
              centre.substr(0, centre.find(',')).c_str(), centre.substr(centre.find(',') + 1).c_str());
  std::fprintf(out, "</svg>\n");
  const bool failed = std::ferror(out) != 0;
  return std::fclose(out) != 0 || failed ? 1 : 0;
}
