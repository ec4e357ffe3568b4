// The 80x30 text screen as a pure cell model: code page 437 bytes in cells,
// a cursor, the control bytes BEL, BS, TAB, LF and CR, wrap after column 80
// and scrolling. No terminal calls: hosts read the cells and paint them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace textio {

class screen {
 public:
  static constexpr int columns = 80;
  static constexpr int rows = 30;

  screen();

  // All cells blank, cursor at row 1, column 1. Starts a new page for
  // line_number() (see there).
  void clear();

  // Writes bytes at the cursor with the control-byte rules; returns how many
  // BEL bytes were met (the caller beeps).
  int write(std::string_view bytes);

  // Draws one byte as a glyph at the cursor without interpreting it.
  void put_glyph(unsigned char byte);

  // Sets one cell without moving the cursor (line entry erases with it).
  void set_cell(int row, int column, unsigned char byte);

  // Rows and columns count from 1.
  unsigned char cell(int row, int column) const;
  std::string row_text(int row) const;  // the 80 bytes of a row
  int cursor_row() const { return cursor_row_; }
  int cursor_column() const { return cursor_column_; }
  void move_cursor(int row, int column);  // clamped to the screen

  // Whether the cursor mark is shown (during line entry only).
  bool cursor_visible() const { return cursor_visible_; }
  void show_cursor(bool visible) { cursor_visible_ = visible; }

  // A running count of lines ever shown: the absolute number of row 1.
  // Each scroll adds 1; clear() starts a fresh page (adds rows). Lets a
  // transcript host know which rows it has already written.
  std::uint64_t line_number() const { return first_line_; }

  // Bumped on every change of a cell or the cursor; hosts repaint on change.
  std::uint64_t revision() const { return revision_; }

 private:
  void new_line();
  void scroll_up();

  std::array<std::array<unsigned char, columns>, rows> cells_{};
  int cursor_row_ = 1;
  int cursor_column_ = 1;
  bool cursor_visible_ = false;
  std::uint64_t first_line_ = 0;
  std::uint64_t revision_ = 0;
};

}  // namespace textio
