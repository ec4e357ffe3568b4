// The picture the window must show after a sequence of keys: the dialogue
// runs on the memory host with those keys (in the current directory, where
// it writes its report), and the cells at the moment it waits for the next
// key are rasterised, in the window's colours, as a binary PPM.
// Usage: expected_window_picture KEY_BYTES OUT.ppm [FONT.hex]
// (KEY_BYTES as the memory host reads them: 255 and a scan code for a
// special key.)
#include <cstdio>
#include <string>
#include <variant>

#include "colour/legacy/legacy_model.h"
#include "dialogue/dialogue.h"
#include "hosts/memory_host.h"
#include "hosts/unifont_glyphs.h"
#include "hosts/window_picture.h"
#include "textio/services.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: expected_window_picture KEY_BYTES OUT.ppm [FONT.hex]\n");
    return 2;
  }
  const auto glyphs = hosts::read_cp437_glyphs(argc > 3 ? argv[3] : hosts::unifont_path);
  if (const auto* problem = std::get_if<std::string>(&glyphs)) {
    std::fprintf(stderr, "expected_window_picture: %s\n", problem->c_str());
    return 2;
  }
  hosts::memory_host host(argv[1]);
  textio::services io(host);
  dialogue::run_dialogue(io, colour::legacy_model());
  if (host.snapshots().empty()) return 1;
  // The last paint is the one before the wait that found no more keys.
  const hosts::memory_host::snapshot& shot = host.snapshots().back();
  textio::screen cells;
  for (int row = 1; row <= textio::screen::rows; ++row) {
    for (int column = 1; column <= textio::screen::columns; ++column) {
      cells.set_cell(row, column,
                     static_cast<unsigned char>(shot.rows[static_cast<std::size_t>(row - 1)]
                                                         [static_cast<std::size_t>(column - 1)]));
    }
  }
  cells.move_cursor(shot.cursor_row, shot.cursor_column);
  cells.show_cursor(shot.cursor_visible);
  const hosts::picture image =
      hosts::rasterise(hosts::cell_picture::of(cells), std::get<hosts::cp437_glyphs>(glyphs));

  std::FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr) {
    std::perror(argv[2]);
    return 1;
  }
  std::fprintf(out, "P6\n%d %d\n255\n", hosts::picture_width, hosts::picture_height);
  for (const auto index : image) {
    const hosts::rgb& colour = hosts::window_palette[index];
    const unsigned char pixel[3] = {colour.red, colour.green, colour.blue};
    std::fwrite(pixel, 1, 3, out);
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
