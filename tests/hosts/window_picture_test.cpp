#include "hosts/window_picture.h"

#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <string>
#include <variant>

#include "hosts/unifont_glyphs.h"
#include "../support/temp_directory.h"

namespace hosts {
namespace {

const cp437_glyphs& unifont() {
  static const auto glyphs = read_cp437_glyphs(unifont_path);
  if (const auto* problem = std::get_if<std::string>(&glyphs)) ADD_FAILURE() << *problem;
  static const cp437_glyphs none{};
  return std::holds_alternative<cp437_glyphs>(glyphs) ? std::get<cp437_glyphs>(glyphs) : none;
}

bool blank(const glyph_bitmap& glyph) {
  for (const auto row : glyph) {
    if (row != 0) return false;
  }
  return true;
}

TEST(UnifontGlyphs, EveryCodePage437ByteHasAGlyphAndOnlyTheBlanksAreEmpty) {
  const cp437_glyphs& glyphs = unifont();
  for (unsigned byte = 0; byte < 256; ++byte) {
    const bool should_be_blank = byte == 0 || byte == ' ' || byte == 0xFF;
    EXPECT_EQ(blank(glyphs.of_byte[byte]), should_be_blank) << "byte " << byte;
  }
  // "A" as the file draws it (0041:0000000018242442427E424242420000).
  EXPECT_EQ(glyphs.of_byte['A'], (glyph_bitmap{0x00, 0x00, 0x00, 0x00, 0x18, 0x24, 0x24, 0x42, 0x42,
                                               0x7E, 0x42, 0x42, 0x42, 0x42, 0x00, 0x00}));
  // ä is 0x84 and the smiley 0x01: the bytes go through their Unicode characters.
  EXPECT_NE(glyphs.of_byte[0x84], glyphs.of_byte['a']);
  EXPECT_NE(glyphs.of_byte[0x01], glyphs.of_byte[0x02]);
}

class UnifontFile : public test_support::temp_directory_test {
 protected:
  std::string problem_with(const std::string& contents) {
    const std::string file = path("font.hex");
    std::ofstream(file) << contents;
    const auto result = read_cp437_glyphs(file);
    return std::holds_alternative<std::string>(result) ? std::get<std::string>(result) : "";
  }
};

TEST_F(UnifontFile, ProblemsNameTheFileAndWhatIsWrong) {
  const auto missing = read_cp437_glyphs(path("none.hex"));
  ASSERT_TRUE(std::holds_alternative<std::string>(missing));
  EXPECT_EQ(std::get<std::string>(missing),
            "cannot read " + path("none.hex") + ": No such file or directory");
  EXPECT_EQ(problem_with("0041:0000000018242442427E424242420000\nnot a glyph\n"),
            path("font.hex") + " is not a Unifont .hex file (line 2)");
  EXPECT_EQ(problem_with("0041:0000000018242442427E424242420000\n"),
            path("font.hex") + " has no glyph for U+263A");
  EXPECT_EQ(problem_with("0041:" + std::string(64, '0') + "\n"),
            path("font.hex") + ": the glyph of U+0041 is not 8 pixels wide");
}

cell_picture empty_cells() {
  cell_picture cells;
  cells.cells.fill(' ');
  return cells;
}

// The 8x16 block of the cell at row r, column c (from 1) as glyph rows.
glyph_bitmap block_at(const picture& image, int row, int column) {
  glyph_bitmap block{};
  for (int y = 0; y < glyph_height; ++y) {
    for (int x = 0; x < glyph_width; ++x) {
      const auto index = static_cast<std::size_t>(((row - 1) * glyph_height + y) * picture_width +
                                                   (column - 1) * glyph_width + x);
      if (image[index] == 1) block[static_cast<std::size_t>(y)] |= static_cast<std::uint8_t>(0x80u >> x);
    }
  }
  return block;
}

int lit_pixels(const picture& image) {
  int lit = 0;
  for (const auto pixel : image) lit += pixel;
  return lit;
}

TEST(Rasterise, AGlyphLandsInItsOwn8x16CellAndNowhereElse) {
  const cp437_glyphs& glyphs = unifont();
  for (const auto& [row, column] : {std::pair{1, 1}, {3, 5}, {30, 80}}) {
    cell_picture cells = empty_cells();
    cells.cells[static_cast<std::size_t>((row - 1) * 80 + column - 1)] = 0x84;  // ä
    const picture image = rasterise(cells, glyphs);
    ASSERT_EQ(image.size(), 640u * 480u);
    EXPECT_EQ(block_at(image, row, column), glyphs.of_byte[0x84]) << row << "," << column;
    int glyph_pixels = 0;
    for (const auto bits : glyphs.of_byte[0x84]) glyph_pixels += std::popcount(bits);
    EXPECT_EQ(lit_pixels(image), glyph_pixels) << "pixels outside the cell";
  }
}

TEST(Rasterise, TheCursorMarkUnderlinesTheCursorCellOnlyWhenShown) {
  const cp437_glyphs& glyphs = unifont();
  cell_picture cells = empty_cells();
  cells.cursor_row = 30;
  cells.cursor_column = 80;
  EXPECT_EQ(lit_pixels(rasterise(cells, glyphs)), 0);
  cells.cursor_visible = true;
  const picture image = rasterise(cells, glyphs);
  EXPECT_EQ(block_at(image, 30, 80),
            (glyph_bitmap{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}));
  EXPECT_EQ(lit_pixels(image), 16);
}

TEST(Rasterise, CellPictureCopiesTheScreen) {
  textio::screen screen;
  screen.write("Vollfarbe\r\nl\x84nge");
  screen.show_cursor(true);
  const cell_picture cells = cell_picture::of(screen);
  EXPECT_EQ(cells.cells[0], 'V');
  EXPECT_EQ(cells.cells[81], 0x84);
  EXPECT_EQ(cells.cursor_row, 2);
  EXPECT_EQ(cells.cursor_column, 6);
  EXPECT_TRUE(cells.cursor_visible);
}

TEST(PlacePicture, WholeScalesCentred) {
  const struct {
    int width, height;
    placement expected;
  } cases[] = {
      {640, 480, {1, 0, 0}},      {1279, 959, {1, 319, 239}}, {1280, 960, {2, 0, 0}},
      {1400, 1000, {2, 60, 20}},  {1920, 960, {2, 320, 0}},   {3000, 1440, {3, 540, 0}},
      {600, 400, {1, -20, -40}},  // smaller than the picture: centred, clipped
  };
  for (const auto& c : cases) {
    const placement got = place_picture(c.width, c.height);
    EXPECT_EQ(got.scale, c.expected.scale) << c.width << "x" << c.height;
    EXPECT_EQ(got.x, c.expected.x) << c.width << "x" << c.height;
    EXPECT_EQ(got.y, c.expected.y) << c.width << "x" << c.height;
  }
  EXPECT_EQ(initial_scale(1920, 1016), 2);
  EXPECT_EQ(initial_scale(1366, 704), 1);
}

}  // namespace
}  // namespace hosts
