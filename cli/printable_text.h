// User text quoted in a message goes to the user's terminal: bytes that are
// not printable there are shown as \xNN instead of being sent raw (an 8-bit
// CSI such as 0x9b or ESC would drive the terminal).
//   "grün"            -> "grün"        (valid UTF-8 stays)
//   "6\x1b[2J"        -> "6\x1b[2J"    (ESC escaped: backslash, x, 1, b)
//   "a\x9b" (invalid) -> "a\x9b"
//   "\xc2\x9b" (U+009B, a C1 control) -> "\xc2\x9b"
//   "\xef\xbb\xbf" (U+FEFF, a byte-order mark; so U+200B..U+200F,
//     U+2028..U+202E, U+2060..U+2069: nothing invisible) -> "\xef\xbb\xbf"
#pragma once

#include <string>
#include <string_view>

namespace cli {

std::string printable_text(std::string_view text);

}  // namespace cli
