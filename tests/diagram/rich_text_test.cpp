#include "diagram/rich_text.h"

#include <gtest/gtest.h>

namespace {

// Widths in DejaVu's advances: a mistake here lets labels collide on paper.
TEST(RichText, WidthsFromTheFontsAdvances) {
  EXPECT_NEAR(diagram::advance_em("600", diagram::run_style::plain), 3 * 0.636, 1e-12);
  EXPECT_NEAR(diagram::advance_em("l", diagram::run_style::plain), 0.278, 1e-12);
  EXPECT_NEAR(diagram::advance_em("l", diagram::run_style::variable), 0.320, 1e-12);  // serif italic
  EXPECT_NEAR(diagram::advance_em("\u2212\u03bb", diagram::run_style::plain), 0.838 + 0.592, 1e-12);
  EXPECT_NEAR(diagram::advance_em("\u00e4", diagram::run_style::plain), 1.0, 1e-12);  // unknown: 1 em
  // l_c = 600 at 10 px: l, a subscript c at 0.7 of the size, then the text.
  const auto lc = diagram::rich_text().var("l").sub("c").plain(" = 600");
  EXPECT_NEAR(lc.width(10), 3.20 + 0.550 * 7 + (0.318 + 0.838 + 0.318 + 3 * 0.636) * 10, 1e-9);
  EXPECT_EQ(lc.plain_text(), "lc = 600");
  EXPECT_EQ(lc.runs().size(), 3u);
}

TEST(RichText, RunsOfOneStyleJoin) {
  const auto t = diagram::rich_text("x").plain(" = 1").append(diagram::rich_text().plain(", y"));
  ASSERT_EQ(t.runs().size(), 1u);
  EXPECT_EQ(t.runs().front().text, "x = 1, y");
}

}  // namespace
