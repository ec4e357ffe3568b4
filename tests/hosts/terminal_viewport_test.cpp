#include "hosts/terminal_viewport.h"

#include <gtest/gtest.h>

namespace {

struct viewport_case {
  int columns, rows;           // the terminal
  int cursor_row, cursor_column;
  bool whole;
  int first_row, first_column, shown_rows, shown_columns, top, left, notice_row;
};

TEST(TerminalViewport, ShowsThePartAroundTheCursor) {
  const viewport_case cases[] = {
      // Whole screen, centred in a larger terminal.
      {80, 30, 30, 80, true, 1, 1, 30, 80, 0, 0, -1},
      {100, 40, 5, 5, true, 1, 1, 30, 80, 5, 10, -1},
      // 80x24: 23 rows and the notice; the cursor on the last row shown.
      {80, 24, 30, 1, false, 8, 1, 23, 80, 0, 0, 23},
      {80, 24, 7, 1, false, 1, 1, 23, 80, 0, 0, 23},   // the menu: rows 1..23
      {80, 24, 24, 40, false, 2, 1, 23, 80, 0, 0, 23},
      // Narrow: the columns around the cursor, the whole height centred.
      {60, 40, 10, 70, false, 1, 11, 30, 60, 4, 0, 39},
      {60, 20, 19, 3, false, 1, 1, 19, 60, 0, 0, 19},
      {120, 10, 30, 80, false, 22, 1, 9, 80, 0, 20, 9},
      // Nothing but the notice; and a terminal of no size at all.
      {40, 1, 30, 80, false, 1, 41, 0, 40, 0, 0, 0},
      {0, 0, 1, 1, false, 1, 1, 0, 0, 0, 0, -1},
  };
  for (const auto& c : cases) {
    const auto v = hosts::place_viewport(c.columns, c.rows, c.cursor_row, c.cursor_column);
    SCOPED_TRACE(testing::Message() << c.columns << "x" << c.rows << " cursor " << c.cursor_row
                                    << "," << c.cursor_column);
    EXPECT_EQ(v.whole, c.whole);
    EXPECT_EQ(v.first_row, c.first_row);
    EXPECT_EQ(v.first_column, c.first_column);
    EXPECT_EQ(v.shown_rows, c.shown_rows);
    EXPECT_EQ(v.shown_columns, c.shown_columns);
    EXPECT_EQ(v.top, c.top);
    EXPECT_EQ(v.left, c.left);
    EXPECT_EQ(v.notice_row, c.notice_row);
  }
}

// Wherever the cursor is, it lies inside the part shown.
TEST(TerminalViewport, CursorIsAlwaysShown) {
  for (int rows = 2; rows <= 31; ++rows) {
    for (int cursor_row = 1; cursor_row <= 30; ++cursor_row) {
      for (const int cursor_column : {1, 40, 80}) {
        const auto v = hosts::place_viewport(50, rows, cursor_row, cursor_column);
        ASSERT_GE(cursor_row, v.first_row);
        ASSERT_LT(cursor_row, v.first_row + v.shown_rows) << rows;
        ASSERT_GE(cursor_column, v.first_column);
        ASSERT_LT(cursor_column, v.first_column + v.shown_columns);
        ASSERT_LE(v.first_row + v.shown_rows - 1, 30);
      }
    }
  }
}

TEST(TerminalViewport, NoticeSaysTheSizeAndHowToSeeItAll) {
  EXPECT_EQ(hosts::terminal_size_notice(80, 24),
            "Terminal 80x24 < 80x30: enlarge it or run vollfarbe --window to see it all");
  EXPECT_LE(hosts::terminal_size_notice(999, 999).size(), 80u);
}

}  // namespace
