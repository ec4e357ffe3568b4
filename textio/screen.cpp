// The 80x30 cell grid: every byte is a code page 437 glyph except the five
// control bytes the dialogue relies on for layout.
#include "textio/screen.h"

#include <algorithm>

namespace textio {

namespace {
constexpr unsigned char blank = ' ';
constexpr int tab_width = 8;
}  // namespace

screen::screen() {
  for (auto& line : cells_) line.fill(blank);
}

void screen::clear() {
  for (auto& line : cells_) line.fill(blank);
  cursor_row_ = 1;
  cursor_column_ = 1;
  first_line_ += rows;
  ++revision_;
}

int screen::write(std::string_view bytes) {
  int bells = 0;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    switch (byte) {
      case 7:
        ++bells;
        break;
      case 8:
        if (cursor_column_ > 1) {
          --cursor_column_;
          ++revision_;
        }
        break;
      case 9:
        // At least one blank, then on to the next tab stop 9, 17, 25, ...
        do {
          put_glyph(blank);
        } while ((cursor_column_ - 1) % tab_width != 0);
        break;
      case 10:
        new_line();
        break;
      case 13:
        cursor_column_ = 1;
        ++revision_;
        break;
      default:
        put_glyph(byte);
        break;
    }
  }
  return bells;
}

void screen::put_glyph(unsigned char byte) {
  cells_[static_cast<std::size_t>(cursor_row_ - 1)][static_cast<std::size_t>(cursor_column_ - 1)] =
      byte;
  ++revision_;
  if (cursor_column_ < columns) {
    ++cursor_column_;
  } else {
    new_line();
  }
}

void screen::set_cell(int row, int column, unsigned char byte) {
  if (row < 1 || row > rows || column < 1 || column > columns) return;
  cells_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)] = byte;
  ++revision_;
}

unsigned char screen::cell(int row, int column) const {
  if (row < 1 || row > rows || column < 1 || column > columns) return blank;
  return cells_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

std::string screen::row_text(int row) const {
  if (row < 1 || row > rows) return std::string(columns, static_cast<char>(blank));
  const auto& line = cells_[static_cast<std::size_t>(row - 1)];
  return std::string(line.begin(), line.end());
}

void screen::move_cursor(int row, int column) {
  cursor_row_ = std::clamp(row, 1, rows);
  cursor_column_ = std::clamp(column, 1, columns);
  ++revision_;
}

void screen::new_line() {
  cursor_column_ = 1;
  if (cursor_row_ < rows) {
    ++cursor_row_;
  } else {
    scroll_up();
  }
  ++revision_;
}

void screen::scroll_up() {
  std::move(cells_.begin() + 1, cells_.end(), cells_.begin());
  cells_.back().fill(blank);
  ++first_line_;
  ++revision_;
}

}  // namespace textio
