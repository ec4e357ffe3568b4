#include "plot/chromaticity_diagram.h"

#include <gtest/gtest.h>

#include <string>

#include "plot/label_layout.h"
#include "plot/svg_canvas.h"
#include "tests/support/double_precision_x87.h"

namespace {

bool has(const std::string& svg, const std::string& part) {
  return svg.find(part) != std::string::npos;
}

TEST(ChromaticityDiagram, PlainDiagramHasLocusWhitePointAndAxes) {
  const auto svg = plot::chromaticity_diagram_svg({});
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  for (const auto* part : {"id=\"spectrum-locus\"", "id=\"white-point-E\"", "id=\"axes\"",
                           "id=\"wavelength-ticks\"", ">520</text>", ">700</text>", ">E</text>"}) {
    EXPECT_TRUE(has(svg, part)) << part;
  }
  EXPECT_FALSE(has(svg, "dialogue-pass"));
  EXPECT_FALSE(has(svg, "full-colour-ring"));
  EXPECT_FALSE(has(svg, "nan"));
}

TEST(ChromaticityDiagram, PassFor600ShowsPairPigmentsAndHueEqualWavelengths) {
  const auto svg = plot::chromaticity_diagram_svg({600.0, true});
  for (const auto* part : {">l 489.996</text>", ">lc 600</text>", ">l1 556.84</text>",
                           ">l2 \u2212556.84</text>", ">middle pigment</text>",
                           ">x 0.3477, y 0.5957, moment 77.95</text>", ">middle-gap pigment</text>",
                           "id=\"full-colour-ring\""}) {
    EXPECT_TRUE(has(svg, part)) << part;
  }
}

TEST(ChromaticityDiagram, GreenRangePassShowsEndPigments) {
  const auto svg = plot::chromaticity_diagram_svg({520.0, false});
  for (const auto* part : {">short-end pigment</text>", ">long-end pigment</text>",
                           ">l1 476.476 (short-end)</text>", ">l1 577.682 (long-end)</text>"}) {
    EXPECT_TRUE(has(svg, part)) << part;
  }
  EXPECT_FALSE(has(svg, "compensative pair"));
}

TEST(ChromaticityDiagram, SameFigureFromAHostsDoublePrecisionSetting) {
  const auto exact = plot::chromaticity_diagram_svg({600.0, true});
  const test_support::double_precision_x87 host_setting;
  EXPECT_EQ(plot::chromaticity_diagram_svg({600.0, true}), exact);
}

TEST(SvgCanvas, EscapesMarkupInText) {
  EXPECT_EQ(plot::xml_escaped("a<b & \"c\">"), "a&lt;b &amp; &quot;c&quot;&gt;");
}

TEST(LabelLayout, TextGrowsAwayFromItsPoint) {
  struct direction_case {
    plot::px_point towards;
    plot::text_anchor anchor;
  };
  for (const auto& c : {direction_case{{1, 0}, plot::text_anchor::start},
                        direction_case{{-1, 0}, plot::text_anchor::end},
                        direction_case{{0, 1}, plot::text_anchor::middle},
                        direction_case{{0, -1}, plot::text_anchor::middle}}) {
    const auto t = plot::text_towards({100, 100}, c.towards, 10, "600", 10);
    EXPECT_EQ(t.anchor, c.anchor);
    // The point itself stays clear of the text.
    EXPECT_FALSE(plot::overlaps(t.bounds, {99, 99, 101, 101}, 0.0));
  }
}

TEST(LabelLayout, RefusesOverlapsAndTheOutside) {
  plot::label_layout layout({0, 0, 100, 100});
  EXPECT_TRUE(layout.fits({10, 10, 20, 20}));
  layout.take({10, 10, 20, 20});
  EXPECT_FALSE(layout.fits({19, 19, 30, 30}));
  EXPECT_FALSE(layout.fits({21, 21, 30, 30}));  // within the 2 px padding
  EXPECT_TRUE(layout.fits({25, 25, 30, 30}));
  EXPECT_FALSE(layout.fits({90, 90, 110, 95}));
}

}  // namespace
