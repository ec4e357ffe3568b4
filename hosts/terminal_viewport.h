// Which part of the 80x30 screen a terminal of a given size shows. A
// terminal that holds the whole screen shows it centred; a smaller one shows
// the rows and columns around the cursor (where the dialogue is writing) and
// keeps its last row for a notice. Pure computation, no terminal I/O.
//   80x30 terminal, cursor anywhere  -> whole screen, notice none
//   80x24, cursor at row 30          -> screen rows 8..30 on terminal rows 0..22, notice on row 23
//   80x24, cursor at row 7 (menu)    -> screen rows 1..23
//   60x20, cursor at column 70       -> screen columns 11..70
#pragma once

#include <string>
#include <string_view>

namespace hosts {

struct viewport {
  bool whole = true;      // the terminal holds the whole screen
  int first_row = 1;      // screen row and column (from 1) of the first cell shown
  int first_column = 1;
  int shown_rows = 0;     // how many screen rows and columns are shown
  int shown_columns = 0;
  int top = 0;            // terminal row and column (from 0) where that cell goes
  int left = 0;
  int notice_row = -1;    // terminal row of the notice, -1: none
};

viewport place_viewport(int terminal_columns, int terminal_rows, int cursor_row,
                        int cursor_column);

// How to see the whole screen, said on the notice row after the terminal's
// size. One place for it, so that other ways can be named here; the whole
// notice should stay within 80 columns (the size part takes up to 26).
inline constexpr std::string_view small_terminal_advice = "enlarge it or run vollfarbe --window to see it all";

// "Terminal 80x24 < 80x30: enlarge it or run vollfarbe --window to see it all"
std::string terminal_size_notice(int columns, int rows);

}  // namespace hosts
