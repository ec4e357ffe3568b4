#include "diagram/chromaticity_diagram.h"
#include "colour/legacy/legacy_model.h"

#include <gtest/gtest.h>

#include <string>

namespace {

diagram::diagram_request legacy_diagram() {
  diagram::diagram_request r;
  r.model = &colour::legacy_model();
  return r;
}


bool has(const std::string& svg, const std::string& part) {
  return svg.find(part) != std::string::npos;
}

diagram::diagram_request for_wavelengths(std::vector<double> wavelengths, bool ring = false) {
  diagram::diagram_request r;
  r.model = &colour::legacy_model();
  r.wavelengths = std::move(wavelengths);
  r.ring = ring;
  return r;
}

TEST(ChromaticityDiagram, PlainDiagramHasLocusWhitePointAndAxes) {
  const auto svg = diagram::draw_chromaticity_diagram(legacy_diagram()).svg;
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  for (const auto* part : {"id=\"spectrum-locus\"", "id=\"axes\"", "id=\"wavelength-ticks\"",
                           ">520</text>", ">E</text>", "width=\"170mm\""}) {
    EXPECT_TRUE(has(svg, part)) << part;
  }
  EXPECT_FALSE(has(svg, "dialogue-pass"));
  EXPECT_FALSE(has(svg, "full-colour-ring"));
  EXPECT_FALSE(has(svg, "colour-fill"));
  EXPECT_FALSE(has(svg, "nan"));
}

TEST(ChromaticityDiagram, PassFor600ShowsPairPigmentsAndHueEqualWavelengths) {
  const auto svg = diagram::draw_chromaticity_diagram(for_wavelengths({600.0}, true)).svg;
  for (const auto* part : {"<tspan class=\"var\">l</tspan> = 489.996</text>",
                           ">M</tspan> = 77.95</text>", "id=\"full-colour-ring\""}) {
    EXPECT_TRUE(has(svg, part)) << part;
  }
}

}  // namespace
