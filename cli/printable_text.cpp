#include "cli/printable_text.h"

#include <cstddef>

namespace cli {
namespace {

void append_escaped(std::string& out, unsigned char byte) {
  constexpr char hex[] = "0123456789abcdef";
  out += "\\x";
  out += hex[byte >> 4];
  out += hex[byte & 0xf];
}

// The length of the well-formed UTF-8 sequence at the start of `text` whose
// code point is printable (no C0 or C1 control, no DEL, nothing invisible),
// or 0.
std::size_t printable_sequence(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead >= 0x20 && lead < 0x7f) return 1;
  std::size_t length = 0;
  char32_t code = 0;
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2;
    code = lead & 0x1fu;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3;
    code = lead & 0x0fu;
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;  // ASCII control, DEL, a continuation byte or no lead byte at all
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xc0u) != 0x80u) return 0;
    code = (code << 6) | (byte(i) & 0x3fu);
  }
  const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  const bool surrogate = code >= 0xd800 && code <= 0xdfff;
  const bool c1_control = code >= 0x80 && code <= 0x9f;
  // Invisible characters that hide or reorder what the message shows: the
  // byte-order mark, zero-width spaces and joiners, direction marks and
  // overrides, line and paragraph separators.
  const bool invisible = code == 0xfeff || (code >= 0x200b && code <= 0x200f) ||
                         (code >= 0x2028 && code <= 0x202e) || (code >= 0x2060 && code <= 0x2069);
  if (overlong || surrogate || c1_control || invisible || code > 0x10ffff) return 0;
  return length;
}

}  // namespace

std::string printable_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const std::size_t n = printable_sequence(text);
    if (n == 0) {
      append_escaped(out, static_cast<unsigned char>(text.front()));
      text.remove_prefix(1);
    } else {
      out.append(text.substr(0, n));
      text.remove_prefix(n);
    }
  }
  return out;
}

}  // namespace cli
