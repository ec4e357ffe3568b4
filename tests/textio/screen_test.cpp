#include "textio/screen.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using textio::screen;

std::string trimmed(const screen& s, int row) {
  std::string text = s.row_text(row);
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

TEST(Screen, StartsBlankWithCursorHome) {
  const screen s;
  EXPECT_EQ(s.row_text(1), std::string(80, ' '));
  EXPECT_EQ(s.row_text(30), std::string(80, ' '));
  EXPECT_EQ(s.cursor_row(), 1);
  EXPECT_EQ(s.cursor_column(), 1);
}

TEST(Screen, ControlBytesMoveTheCursor) {
  struct {
    const char* bytes;
    int row;
    int column;
    const char* row1;
    const char* row2;
  } const cases[] = {
      {"ab\r\n", 2, 1, "ab", ""},
      {"ab\r\r\n", 2, 1, "ab", ""},  // CR CR LF looks like CR LF
      {"ab\n", 2, 1, "ab", ""},      // a lone LF begins a new line too
      {"abc\rX", 1, 2, "Xbc", ""},   // a lone CR returns to the same line
      {"\bX", 1, 2, "X", ""},        // BS at column 1 stays
      {"ab\bX", 1, 3, "aX", ""},     // BS erases nothing, the glyph overwrites
      {"ab\b", 1, 2, "ab", ""},
      {"\tX", 1, 10, "        X", ""},
      {"1234567\tX", 1, 10, "1234567 X", ""},
      {"12345678\tX", 1, 18, "12345678        X", ""},  // at a stop: a full tab
      {"a\ab", 1, 3, "ab", ""},                          // BEL draws nothing
      {"\x84\x94\x81\x8e", 1, 5, "\x84\x94\x81\x8e", ""},
      {"\x1b\x7f\xff", 1, 4, "\x1b\x7f\xff", ""},  // other bytes are glyphs
  };
  for (const auto& c : cases) {
    screen s;
    s.write(c.bytes);
    EXPECT_EQ(s.cursor_row(), c.row) << c.bytes;
    EXPECT_EQ(s.cursor_column(), c.column) << c.bytes;
    EXPECT_EQ(trimmed(s, 1), c.row1) << c.bytes;
    EXPECT_EQ(trimmed(s, 2), c.row2) << c.bytes;
  }
}

TEST(Screen, CountsBellsForTheCaller) {
  screen s;
  EXPECT_EQ(s.write("\a\ax\a"), 3);
  EXPECT_EQ(s.cursor_column(), 2);
}

TEST(Screen, WrapsAfterColumn80) {
  screen s;
  s.write(std::string(80, 'a'));
  EXPECT_EQ(s.cursor_row(), 2);
  EXPECT_EQ(s.cursor_column(), 1);
  s.write("b");
  EXPECT_EQ(trimmed(s, 2), "b");
  // A TAB from column 80 writes one blank and wraps as well.
  screen t;
  t.write(std::string(79, 'a') + "\tX");
  EXPECT_EQ(t.cell(1, 80), ' ');
  EXPECT_EQ(t.cell(2, 1), 'X');
}

TEST(Screen, ScrollsBelowRow30) {
  screen s;
  for (int i = 1; i <= 30; ++i) s.write("line " + std::to_string(i) + "\r\n");
  // The 30th CR LF moved below row 30: line 1 is gone, row 30 is blank.
  EXPECT_EQ(trimmed(s, 1), "line 2");
  EXPECT_EQ(trimmed(s, 29), "line 30");
  EXPECT_EQ(trimmed(s, 30), "");
  EXPECT_EQ(s.cursor_row(), 30);
  EXPECT_EQ(s.line_number(), 1u);
  // Writing into the last cell scrolls too.
  s.write(std::string(80, 'z'));
  EXPECT_EQ(s.row_text(29), std::string(80, 'z'));
  EXPECT_EQ(s.cursor_row(), 30);
  EXPECT_EQ(s.cursor_column(), 1);
  EXPECT_EQ(s.line_number(), 2u);
}

TEST(Screen, ClearStartsAFreshPage) {
  screen s;
  s.write("abc\r\ndef");
  const auto revision = s.revision();
  s.clear();
  EXPECT_GT(s.revision(), revision);
  EXPECT_EQ(trimmed(s, 1), "");
  EXPECT_EQ(s.cursor_row(), 1);
  EXPECT_EQ(s.cursor_column(), 1);
  EXPECT_EQ(s.line_number(), 30u);
}

TEST(Screen, CursorAndCellsStayInside) {
  screen s;
  s.move_cursor(0, 99);
  EXPECT_EQ(s.cursor_row(), 1);
  EXPECT_EQ(s.cursor_column(), 80);
  s.move_cursor(31, -4);
  EXPECT_EQ(s.cursor_row(), 30);
  EXPECT_EQ(s.cursor_column(), 1);
  s.set_cell(0, 1, 'x');
  s.set_cell(30, 81, 'x');
  EXPECT_EQ(s.cell(0, 0), ' ');
  EXPECT_EQ(s.row_text(31), std::string(80, ' '));
}

}  // namespace
