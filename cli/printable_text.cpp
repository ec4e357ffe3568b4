#include "cli/printable_text.h"

#include "cli/utf8_sequence.h"

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
  char32_t code = 0;
  const std::size_t length = utf8_sequence(text, code);
  if (length == 0) return 0;
  const bool control = code < 0x20 || (code >= 0x7f && code <= 0x9f);  // C0, DEL, C1
  // Invisible characters that hide or reorder what the message shows: the
  // byte-order mark, zero-width spaces and joiners, direction marks and
  // overrides, line and paragraph separators.
  const bool invisible = code == 0xfeff || (code >= 0x200b && code <= 0x200f) ||
                         (code >= 0x2028 && code <= 0x202e) || (code >= 0x2060 && code <= 0x2069);
  return control || invisible ? 0 : length;
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
