// The PC keyboard's codes for the special keys and their combinations, as the
// BIOS reports them (second byte after 255).
#include "textio/key_translation.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "textio/cp437.h"

namespace textio {

namespace {

// Columns: plain, Shift, Ctrl, Alt. A value below 256 is the second byte of
// a special key (255 first); `character` marks a one-byte character key.
constexpr int character = 0x100;
struct combination_row {
  int plain, shift, ctrl, alt;
};
constexpr std::array<combination_row, 26> named_key_codes = {{
    {72, 72, 141, 152},    // up
    {80, 80, 145, 160},    // down
    {75, 75, 115, 155},    // left
    {77, 77, 116, 157},    // right
    {71, 71, 119, 151},    // home
    {79, 79, 117, 159},    // end
    {73, 73, 132, 153},    // page up
    {81, 81, 118, 161},    // page down
    {82, 82, 146, 162},    // insert
    {83, 83, 147, 163},    // delete
    {59, 84, 94, 104},     // F1 (F2..F10 follow one up)
    {60, 85, 95, 105},
    {61, 86, 96, 106},
    {62, 87, 97, 107},
    {63, 88, 98, 108},
    {64, 89, 99, 109},
    {65, 90, 100, 110},
    {66, 91, 101, 111},
    {67, 92, 102, 112},
    {68, 93, 103, 113},    // F10
    {133, 135, 137, 139},  // F11
    {134, 136, 138, 140},  // F12
    {character | 13, character | 13, character | 10, 28},    // enter
    {character | 8, character | 8, character | 127, 14},     // backspace
    {character | 9, 15, 148, 165},                           // tab
    {character | 27, character | 27, character | 27, 1},     // escape
}};

// Alt+letter: the scan code of the letter's key on the PC keyboard, a..z.
constexpr std::array<unsigned char, 26> alt_letter_codes = {
    30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,  // a..m
    49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44,  // n..z
};

key_code code_of(int value) {
  if (value & character) return key_code::character(static_cast<unsigned char>(value & 0xFF));
  return key_code::special(static_cast<unsigned char>(value));
}

}  // namespace

key_code key_of_named_key(named_key key, key_modifiers held) {
  const combination_row& row = named_key_codes[static_cast<std::size_t>(key)];
  if (held.alt) return code_of(row.alt);
  if (held.ctrl) return code_of(row.ctrl);
  if (held.shift) return code_of(row.shift);
  return code_of(row.plain);
}

std::optional<key_code> key_of_character(char32_t typed) {
  switch (typed) {
    case 0: return std::nullopt;
    case 10:
    case 13: return key_code::character(13);
    case 127: return key_code::character(8);
    default: break;
  }
  const auto byte = unicode_to_cp437(typed);
  if (!byte) return std::nullopt;
  return key_code::character(*byte);
}

std::optional<key_code> key_of_letter(char base, key_modifiers held) {
  const bool letter = base >= 'a' && base <= 'z';
  if (held.alt) {
    if (letter) return key_code::special(alt_letter_codes[static_cast<std::size_t>(base - 'a')]);
    // Alt+1..9 give 120..128, Alt+0 129.
    if (base >= '1' && base <= '9') return key_code::special(static_cast<unsigned char>(120 + base - '1'));
    if (base == '0') return key_code::special(129);
    return std::nullopt;
  }
  if (held.ctrl && letter) return key_code::character(static_cast<unsigned char>(base - 'a' + 1));
  return std::nullopt;
}

std::vector<key_code> keys_of_utf8(std::string_view utf8) {
  std::vector<key_code> keys;
  while (!utf8.empty()) {
    const auto decoded = decode_utf8(utf8);
    if (!decoded) {
      utf8.remove_prefix(1);  // a malformed byte: skip it and go on
      continue;
    }
    if (const auto key = key_of_character(decoded->code_point)) keys.push_back(*key);
    utf8.remove_prefix(decoded->length);
  }
  return keys;
}

}  // namespace textio
