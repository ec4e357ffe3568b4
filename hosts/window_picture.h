// The window's picture, made without any display: the 80x30 cells and the
// cursor drawn with 8x16 glyphs into a 640x480 image of 8-bit colour
// indexes, and where that picture goes in a window of any size.
//
//   rasterise(cells, glyphs)[y * 640 + x] is 1 where a glyph pixel or the
//   cursor mark is set, 0 elsewhere; the cell of row r, column c (from 1)
//   covers x = 8(c-1) .. 8c-1, y = 16(r-1) .. 16r-1.
//   place_picture(640, 480) -> scale 1 at (0, 0)
//   place_picture(1400, 1000) -> scale 2 at (60, 20)
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "hosts/unifont_glyphs.h"
#include "textio/screen.h"

namespace hosts {

inline constexpr int picture_width = textio::screen::columns * glyph_width;   // 640
inline constexpr int picture_height = textio::screen::rows * glyph_height;    // 480

// The two colours: index 0 the background, 1 the text and the cursor mark.
struct rgb {
  std::uint8_t red, green, blue;
};
inline constexpr std::array<rgb, 2> window_palette = {{
    {0x10, 0x18, 0x30},  // dark blue-grey: calm behind long columns of numbers
    {0xE8, 0xE4, 0xD8},  // warm off-white: high contrast without glare
}};

// The cells and cursor as the window shows them, copied so that the window's
// thread can draw while the dialogue's thread goes on.
struct cell_picture {
  std::array<unsigned char, textio::screen::columns * textio::screen::rows> cells{};
  int cursor_row = 1;
  int cursor_column = 1;
  bool cursor_visible = false;

  static cell_picture of(const textio::screen& screen);
  friend bool operator==(const cell_picture&, const cell_picture&) = default;
};

// 640x480 colour indexes, row by row from the top.
using picture = std::vector<std::uint8_t>;

// The cursor mark during line entry: the bottom two pixel rows of the cursor's
// cell, like the underline cursor of a PC text screen, drawn over the glyph.
inline constexpr int cursor_mark_first_row = 14;

picture rasterise(const cell_picture& cells, const cp437_glyphs& glyphs);

// Where the picture goes in a window (or drawable) of the given pixel size:
// the largest whole scale that fits (at least 1), centred.
struct placement {
  int scale;
  int x, y;  // top-left corner of the scaled picture
};
placement place_picture(int window_width, int window_height);

// The whole scale for a new window on a display whose usable area is given:
// 2 where 1280x960 fits, else 1.
int initial_scale(int usable_width, int usable_height);

}  // namespace hosts
