// The well-formed UTF-8 sequence at the start of a text, for the writers
// that must not pass invalid UTF-8 on (messages, JSON).
#pragma once

#include <cstddef>
#include <string_view>

namespace cli {

// The length (1..4) of the well-formed UTF-8 sequence at the start of `text`
// and its code point, or 0 (empty text, a continuation byte, a sequence cut
// short, an overlong form, a surrogate, beyond U+10FFFF).
//   "a" -> 1, 'a'; "\xc3\xbc" -> 2, U+00FC; "\xc0\xaf" -> 0; "\xed\xa0\x80" -> 0
std::size_t utf8_sequence(std::string_view text, char32_t& code);

}  // namespace cli
