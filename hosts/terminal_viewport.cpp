#include "hosts/terminal_viewport.h"

#include <algorithm>

#include "textio/screen.h"

namespace hosts {
namespace {

// The first of `shown` consecutive screen lines (of `total`) such that the
// cursor is on the last of them, or as near to the start as the cursor
// allows: the dialogue writes downwards, so what it wrote lies above.
int first_shown(int cursor, int shown, int total) {
  if (shown <= 0) return 1;
  return std::clamp(cursor - shown + 1, 1, std::max(1, total - shown + 1));
}

}  // namespace

viewport place_viewport(int terminal_columns, int terminal_rows, int cursor_row,
                        int cursor_column) {
  constexpr int rows = textio::screen::rows;
  constexpr int columns = textio::screen::columns;
  viewport v;
  terminal_columns = std::max(terminal_columns, 0);
  terminal_rows = std::max(terminal_rows, 0);
  if (terminal_columns >= columns && terminal_rows >= rows) {
    v.shown_rows = rows;
    v.shown_columns = columns;
    v.top = (terminal_rows - rows) / 2;
    v.left = (terminal_columns - columns) / 2;
    return v;
  }
  v.whole = false;
  v.notice_row = terminal_rows - 1;
  const int usable_rows = std::max(terminal_rows - 1, 0);
  v.shown_rows = std::min(rows, usable_rows);
  v.shown_columns = std::min(columns, terminal_columns);
  v.first_row = first_shown(cursor_row, v.shown_rows, rows);
  v.first_column = first_shown(cursor_column, v.shown_columns, columns);
  v.top = (usable_rows - v.shown_rows) / 2;
  v.left = (terminal_columns - v.shown_columns) / 2;
  return v;
}

std::string terminal_size_notice(int columns, int rows) {
  return "Terminal " + std::to_string(columns) + "x" + std::to_string(rows) + " < " +
         std::to_string(textio::screen::columns) + "x" + std::to_string(textio::screen::rows) +
         ": " + std::string(small_terminal_advice);
}

}  // namespace hosts
