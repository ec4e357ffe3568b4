#include "textio/line_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "hosts/memory_host.h"

namespace {

using textio::key_code;
using textio::line_editor;
using textio::screen;
namespace scan = textio::scan;

std::string trimmed(const screen& s, int row) {
  std::string text = s.row_text(row);
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

// Types the keys (memory-host notation: 255 + scan code for special keys)
// after a prompt and returns the editor's outcome of the last key.
struct typed {
  screen cells;
  line_editor editor{cells};
  int beeps = 0;
  bool finished = false;

  explicit typed(std::string_view keys, std::string_view prompt = "") : editor(prepare(prompt)) {
    for (const key_code key : hosts::keys_from_bytes(keys)) {
      const auto result = editor.apply(key);
      if (result == line_editor::outcome::beep) ++beeps;
      if (result == line_editor::outcome::finished) finished = true;
    }
  }
  screen& prepare(std::string_view prompt) {
    cells.write(prompt);
    return cells;
  }
};

const std::string left = "\xffK", right = "\xffM", home = "\xffG", end = "\xffO";
const std::string del = "\xffS", up = "\xffH", down = "\xffP";

TEST(LineEditor, EditingKeys) {
  struct {
    std::string keys;
    const char* text;
    std::size_t cursor;
  } const cases[] = {
      {"493", "493", 3},
      {"49" + left + "1", "419", 2},
      {"abc" + home + "x", "xabc", 1},
      {"abc" + home + end + "x", "abcx", 4},
      {"abc\b", "ab", 2},
      {"\b\bab", "ab", 2},  // Backspace at the start does nothing
      {"abc" + left + left + "\b", "bc", 0},
      {"abc" + left + del, "ab", 2},
      {"abc" + home + del + del, "c", 0},
      {"abc\x1b", "", 0},
      {"abc\x1bxy", "xy", 2},
      {"\t", "        ", 8},
      {"ab\t", "ab      ", 8},
      {"12345678\t", "12345678        ", 16},  // at a multiple of 8: a full tab
      {left + left + right + right + "a", "a", 1},  // not beyond the ends
      {"ab" + left + left + left + right + right + right, "ab", 2},
      {"a\xffR\xffI\xffQ\xff;\xffk\x01\x1f" "b", "ab", 2},  // ignored keys
      {"\x7f\xe1\xff\xff", "\x7f\xe1", 2},  // 32..254 insert; 255 255 is a special key
  };
  for (const auto& c : cases) {
    const typed t(c.keys);
    EXPECT_EQ(t.editor.text(), c.text) << c.keys;
    EXPECT_EQ(t.editor.cursor(), c.cursor) << c.keys;
  }
}

TEST(LineEditor, DeleteAtTheEndBeeps) {
  const typed t("ab" + del + left + del + del);
  EXPECT_EQ(t.editor.text(), "a");
  EXPECT_EQ(t.beeps, 2);
}

TEST(LineEditor, EnterOrLineFeedFinishes) {
  EXPECT_TRUE(typed("5\r").finished);
  EXPECT_TRUE(typed("5\n").finished);
  EXPECT_FALSE(typed("5").finished);
}

TEST(LineEditor, EchoesAfterThePromptAndRedrawsTheRest) {
  typed t("4938" + left + left + "." + left + left + del, "? ");
  // "4938" -> "49.38" -> delete the "9" -> "4.38"
  EXPECT_EQ(t.editor.text(), "4.38");
  EXPECT_EQ(trimmed(t.cells, 1), "? 4.38");  // the last cell was blanked
  EXPECT_EQ(t.cells.cursor_column(), 4);     // on the "."
  t.editor.apply(key_code::character(27));
  EXPECT_EQ(trimmed(t.cells, 1), "?");
  EXPECT_EQ(t.cells.cursor_column(), 3);
}

TEST(LineEditor, UpAndDownMoveByARowOnlyWhereTheEntryReaches) {
  const std::string long_line(100, 'x');
  struct {
    std::string keys;
    std::size_t cursor;
  } const cases[] = {
      {long_line + up, 20},
      {long_line + up + up, 20},  // not before the start
      {long_line + up + down, 100},
      {long_line + home + down, 80},
      {long_line + home + right + right + right + down + down, 83},  // 163 > 100
      {"ab" + up + down, 2},
  };
  for (const auto& c : cases) EXPECT_EQ(typed(c.keys).editor.cursor(), c.cursor);
}

TEST(LineEditor, LongEntryWrapsAndScrolls) {
  // Starting on row 30 column 71: the entry wraps into a row that scrolls in.
  screen cells;
  cells.move_cursor(30, 71);
  line_editor editor(cells);
  for (char c : std::string("0123456789ABCDE")) editor.apply(key_code::character(static_cast<unsigned char>(c)));
  EXPECT_EQ(trimmed(cells, 29).substr(70), "0123456789");
  EXPECT_EQ(trimmed(cells, 30), "ABCDE");
  EXPECT_EQ(cells.cursor_row(), 30);
  EXPECT_EQ(cells.cursor_column(), 6);
  // Inserting at the start shifts both rows; the cursor follows the insertion.
  editor.apply(key_code::special(scan::home));
  editor.apply(key_code::character('-'));
  EXPECT_EQ(trimmed(cells, 29).substr(70), "-012345678");
  EXPECT_EQ(trimmed(cells, 30), "9ABCDE");
  EXPECT_EQ(cells.cursor_row(), 29);
  EXPECT_EQ(cells.cursor_column(), 72);
  // Deleting pulls the rest back and blanks the freed cell.
  editor.apply(key_code::special(scan::del));
  EXPECT_EQ(trimmed(cells, 30), "ABCDE");
  editor.move_to_end();
  EXPECT_EQ(cells.cursor_column(), 6);
}

TEST(LineEditor, EntryLongerThanTheScreenStaysSafe) {
  screen cells;
  line_editor editor(cells);
  for (int i = 0; i < 3000; ++i) editor.apply(key_code::character(static_cast<unsigned char>('0' + i % 10)));
  editor.apply(key_code::special(scan::home));
  editor.apply(key_code::character('x'));  // its cell scrolled off the top
  editor.apply(key_code::character(27));
  EXPECT_EQ(editor.text(), "");
  EXPECT_EQ(editor.text().size(), 0u);
  EXPECT_GE(cells.cursor_row(), 1);
}

}  // namespace
