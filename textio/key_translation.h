// The keys a host sees, as the key codes the dialogue reads: a character
// becomes its code page 437 byte, a special key 255 and its PC keyboard scan
// code, with Shift, Ctrl or Alt the PC's extended code of that combination.
// Pure functions, shared by the terminal and window hosts.
//
// Contract (each example is also a test):
//   key_of_named_key(left, {})             -> 255 'K'
//   key_of_named_key(left, {.ctrl = true}) -> 255 's' (115)
//   key_of_named_key(f10, {.alt = true})   -> 255 'q' (113)
//   key_of_named_key(tab, {.shift = true}) -> 255 15
//   key_of_named_key(enter, {})            -> 13
//   key_of_character(U'ä') -> 0x84          key_of_character(U'€') -> nullopt
//   key_of_character(U'\n') -> 13           key_of_character(127) -> 8
//   key_of_letter('c', {.ctrl = true}) -> 3  key_of_letter('x', {.alt = true}) -> 255 '-' (45)
//   keys_of_utf8("5ä€") -> '5', 0x84 (the euro sign has no byte and is dropped)
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "textio/keys.h"

namespace textio {

// The keys that are no characters, by what they do rather than how a host
// names them.
enum class named_key {
  up, down, left, right, home, end, page_up, page_down, insert, del,
  f1, f2, f3, f4, f5, f6, f7, f8, f9, f10, f11, f12,
  enter, backspace, tab, escape,
};

struct key_modifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

// The key code of a named key with the modifiers held. Alt wins over Ctrl,
// Ctrl over Shift, as on the PC. Never empty: every combination has a code.
key_code key_of_named_key(named_key key, key_modifiers held);

// A typed character: its code page 437 byte; LF and CR are Enter (13), DEL
// (127) is Backspace (8). Nothing for NUL or a character the code page lacks.
std::optional<key_code> key_of_character(char32_t typed);

// A letter or digit key (given as its unshifted ASCII character) with Ctrl or
// Alt held: Ctrl+A..Z give 1..26, Alt+letters and Alt+digits 255 and the
// PC's extended code. Nothing when neither applies (the host then takes the
// typed character instead).
std::optional<key_code> key_of_letter(char base, key_modifiers held);

// Typed text (UTF-8, as a window system delivers it) as character keys, one
// per character; malformed bytes and characters the code page lacks are
// dropped.
std::vector<key_code> keys_of_utf8(std::string_view utf8);

}  // namespace textio
