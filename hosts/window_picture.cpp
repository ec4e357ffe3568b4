#include "hosts/window_picture.h"

#include <algorithm>
#include <cstddef>

namespace hosts {

cell_picture cell_picture::of(const textio::screen& screen) {
  cell_picture shot;
  for (int row = 1; row <= textio::screen::rows; ++row) {
    for (int column = 1; column <= textio::screen::columns; ++column) {
      shot.cells[static_cast<std::size_t>((row - 1) * textio::screen::columns + column - 1)] =
          screen.cell(row, column);
    }
  }
  shot.cursor_row = screen.cursor_row();
  shot.cursor_column = screen.cursor_column();
  shot.cursor_visible = screen.cursor_visible();
  return shot;
}

picture rasterise(const cell_picture& cells, const cp437_glyphs& glyphs) {
  picture image(static_cast<std::size_t>(picture_width) * picture_height, 0);
  auto pixel = [&image](int x, int y) -> std::uint8_t& {
    return image[static_cast<std::size_t>(y) * picture_width + static_cast<std::size_t>(x)];
  };
  for (int row = 0; row < textio::screen::rows; ++row) {
    for (int column = 0; column < textio::screen::columns; ++column) {
      const glyph_bitmap& glyph =
          glyphs.of_byte[cells.cells[static_cast<std::size_t>(row * textio::screen::columns + column)]];
      for (int y = 0; y < glyph_height; ++y) {
        const unsigned bits = glyph[static_cast<std::size_t>(y)];
        for (int x = 0; x < glyph_width; ++x) {
          if (bits & (0x80u >> x)) pixel(column * glyph_width + x, row * glyph_height + y) = 1;
        }
      }
    }
  }
  if (cells.cursor_visible) {
    const int left = (cells.cursor_column - 1) * glyph_width;
    const int top = (cells.cursor_row - 1) * glyph_height;
    for (int y = cursor_mark_first_row; y < glyph_height; ++y) {
      for (int x = 0; x < glyph_width; ++x) pixel(left + x, top + y) = 1;
    }
  }
  return image;
}

placement place_picture(int window_width, int window_height) {
  const int scale = std::max(1, std::min(window_width / picture_width, window_height / picture_height));
  return {scale, (window_width - scale * picture_width) / 2,
          (window_height - scale * picture_height) / 2};
}

int initial_scale(int usable_width, int usable_height) {
  return usable_width >= 2 * picture_width && usable_height >= 2 * picture_height ? 2 : 1;
}

}  // namespace hosts
