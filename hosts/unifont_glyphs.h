// The 256 code page 437 glyphs, 8x16 pixels each, read from a GNU Unifont
// .hex file (Debian's unifont package). Each byte is looked up under its
// Unicode character, as the terminal host shows it; bytes 1..31 and 127 are
// their PC pictures (☺, ♥, ♪, ⌂ ...), byte 0 is blank.
//
// A .hex line is "CODEPOINT:BITMAP" in hexadecimal; a 32-digit bitmap is an
// 8x16 glyph, 16 rows of one byte each, top row first, most significant bit
// leftmost. Example: "0041:0000000018242442427E424242420000" is "A".
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace hosts {

inline constexpr int glyph_width = 8;
inline constexpr int glyph_height = 16;

// One row per byte, top first; bit 7 is the leftmost pixel.
using glyph_bitmap = std::array<std::uint8_t, glyph_height>;

struct cp437_glyphs {
  std::array<glyph_bitmap, 256> of_byte{};
};

inline constexpr const char* unifont_path = "/usr/share/unifont/unifont.hex";

// The glyphs, or a message saying why there are none: the file cannot be
// read, a line is not a .hex line, or a glyph is missing or not 8 pixels
// wide. The message names the file ("cannot read /x/unifont.hex: No such
// file or directory").
std::variant<cp437_glyphs, std::string> read_cp437_glyphs(const std::string& hex_file);

}  // namespace hosts
