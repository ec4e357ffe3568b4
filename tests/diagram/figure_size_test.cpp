#include "diagram/figure_size.h"

#include <gtest/gtest.h>

#include <string>

#include "cli/usage_error.h"

namespace {

TEST(FigureSize, NamedSizesAndWidths) {
  struct size_case {
    const char* name;
    double width_px, label_pt, dpi, height_px;
  };
  // A slide is 16:9; the other sizes are as tall as the figure needs (0).
  for (const auto& c : {size_case{"column", 85 * diagram::px_per_mm, 8.5, 300, 0},
                        size_case{"page", 170 * diagram::px_per_mm, 10, 300, 0},
                        size_case{"slide", 1280, 22 / diagram::px_per_pt, 96, 720},
                        size_case{"120mm", 120 * diagram::px_per_mm, 8.5 + 35 * 1.5 / 85, 300, 0},
                        size_case{"40mm", 40 * diagram::px_per_mm, 8.5, 300, 0},  // never below 8.5 pt
                        size_case{"900px", 900, 8.5 + (900 / diagram::px_per_mm - 85) * 1.5 / 85, 96, 0},
                        size_case{"1000mm", 1000 * diagram::px_per_mm, 16, 300, 0}}) {
    const auto s = diagram::figure_size_named(c.name);
    EXPECT_NEAR(s.width_px, c.width_px, 1e-9) << c.name;
    EXPECT_NEAR(s.label_px, c.label_pt * diagram::px_per_pt, 1e-9) << c.name;
    EXPECT_GE(s.small_px, 8 * diagram::px_per_pt) << c.name;  // tick numbers stay readable
    EXPECT_EQ(s.default_dpi, c.dpi) << c.name;
    EXPECT_EQ(s.height_px, c.height_px) << c.name;
  }
}

TEST(FigureSize, BadSizesAreUsageErrors) {
  for (const auto& [text, message] :
       {std::pair{"huge", "--size: \"huge\" is not column, page, slide or a width like 120mm or 900px"},
        std::pair{"12 mm", "--size: \"12 mm\" is not column, page, slide or a width like 120mm or 900px"},
        std::pair{"mm", "--size: \"mm\" is not column, page, slide or a width like 120mm or 900px"},
        std::pair{"39mm", "--size: \"39mm\" is outside 40mm to 1000mm"},
        std::pair{"4001px", "--size: \"4001px\" is outside 150px to 4000px"},
        std::pair{"nanpx", "--size: \"nanpx\" is not column, page, slide or a width like 120mm or 900px"}}) {
    try {
      diagram::figure_size_named(text);
      ADD_FAILURE() << text;
    } catch (const cli::usage_error& e) {
      EXPECT_EQ(std::string(e.what()), message);
    }
  }
}

}  // namespace
