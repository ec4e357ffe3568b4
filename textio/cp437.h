// Code page 437, the character set of the text screen, the keyboard codes and
// the report file, and its mapping to Unicode for terminals and transcripts.
// Everything is constexpr, so that UTF-8 literals in the sources become
// code page 437 bytes at compile time.
//
// Contract (each example is also a test):
//   cp437_to_unicode(0x84) -> U'ä'      cp437_to_unicode(0x01) -> U'☺'
//   cp437_to_unicode(0x7F) -> U'⌂'      cp437_to_unicode(0xFF) -> U'\u00A0'
//   unicode_to_cp437(U'ü') -> 0x81      unicode_to_cp437(U'ß') -> 0xE1
//   unicode_to_cp437(U'\t') -> 0x09     unicode_to_cp437(U'€') -> nullopt
//   utf8_from_cp437("l\x84nge") -> "länge"
//   cp437_from_utf8("Wellenlänge") -> "Wellenl\x84nge"
//   cp437_from_utf8("5 €") -> nullopt (the code page has no euro sign)
//   "für"_cp437 -> "f\x81r" (a std::string_view with static storage)
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace textio {

namespace cp437_detail {

// Unicode of every byte. Bytes 1..31 and 127 are the glyphs the PC shows for
// them (smileys, card suits, arrows, the house), not control characters.
inline constexpr std::array<char32_t, 256> to_unicode = {
    // 0x00
    0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,
    // 0x10
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
    // 0x20 .. 0x7E: ASCII
    0x0020, 0x0021, 0x0022, 0x0023, 0x0024, 0x0025, 0x0026, 0x0027,
    0x0028, 0x0029, 0x002A, 0x002B, 0x002C, 0x002D, 0x002E, 0x002F,
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,
    0x0040, 0x0041, 0x0042, 0x0043, 0x0044, 0x0045, 0x0046, 0x0047,
    0x0048, 0x0049, 0x004A, 0x004B, 0x004C, 0x004D, 0x004E, 0x004F,
    0x0050, 0x0051, 0x0052, 0x0053, 0x0054, 0x0055, 0x0056, 0x0057,
    0x0058, 0x0059, 0x005A, 0x005B, 0x005C, 0x005D, 0x005E, 0x005F,
    0x0060, 0x0061, 0x0062, 0x0063, 0x0064, 0x0065, 0x0066, 0x0067,
    0x0068, 0x0069, 0x006A, 0x006B, 0x006C, 0x006D, 0x006E, 0x006F,
    0x0070, 0x0071, 0x0072, 0x0073, 0x0074, 0x0075, 0x0076, 0x0077,
    0x0078, 0x0079, 0x007A, 0x007B, 0x007C, 0x007D, 0x007E, 0x2302,
    // 0x80: accented letters and currency
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    // 0xA0
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    // 0xB0: shades and box drawing
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    // 0xE0: Greek and mathematics
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

// Look-alikes typed on other keyboards that the code page shows with the
// same glyph (Greek beta for sharp s, micro sign variants, ohm sign).
struct alias {
  char32_t code_point;
  unsigned char byte;
};
inline constexpr std::array<alias, 5> aliases = {{
    {0x03B2, 0xE1},  // β
    {0x03BC, 0xE6},  // μ
    {0x2126, 0xEA},  // Ω (ohm sign)
    {0x2205, 0xED},  // ∅
    {0x220A, 0xEE},  // ∊
}};

}  // namespace cp437_detail

constexpr char32_t cp437_to_unicode(unsigned char byte) {
  return cp437_detail::to_unicode[byte];
}

// ASCII (control characters included) maps to itself; the glyphs of bytes
// 1..31 and 127 map back to those bytes as well.
constexpr std::optional<unsigned char> unicode_to_cp437(char32_t code_point) {
  if (code_point < 0x80) return static_cast<unsigned char>(code_point);
  for (std::size_t byte = 1; byte < 256; ++byte) {
    if (cp437_detail::to_unicode[byte] == code_point) return static_cast<unsigned char>(byte);
  }
  for (const auto& a : cp437_detail::aliases) {
    if (a.code_point == code_point) return a.byte;
  }
  return std::nullopt;
}

// Appends the UTF-8 form of a code point (up to U+10FFFF).
constexpr void append_utf8(std::string& out, char32_t code_point) {
  auto put = [&out](char32_t bits) { out.push_back(static_cast<char>(static_cast<unsigned char>(bits))); };
  if (code_point < 0x80) {
    put(code_point);
  } else if (code_point < 0x800) {
    put(0xC0 | (code_point >> 6));
    put(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    put(0xE0 | (code_point >> 12));
    put(0x80 | ((code_point >> 6) & 0x3F));
    put(0x80 | (code_point & 0x3F));
  } else {
    put(0xF0 | (code_point >> 18));
    put(0x80 | ((code_point >> 12) & 0x3F));
    put(0x80 | ((code_point >> 6) & 0x3F));
    put(0x80 | (code_point & 0x3F));
  }
}

struct utf8_character {
  char32_t code_point;
  std::size_t length;  // bytes taken from the input
};

// Decodes the character at the start of `utf8`; nullopt for an empty input,
// a malformed or overlong sequence, a surrogate or a value beyond U+10FFFF.
constexpr std::optional<utf8_character> decode_utf8(std::string_view utf8) {
  if (utf8.empty()) return std::nullopt;
  const auto lead = static_cast<unsigned char>(utf8[0]);
  std::size_t length = 0;
  char32_t code_point = 0;
  char32_t smallest = 0;
  if (lead < 0x80) {
    return utf8_character{lead, 1};
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, code_point = lead & 0x1Fu, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code_point = lead & 0x0Fu, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code_point = lead & 0x07u, smallest = 0x10000;
  } else {
    return std::nullopt;
  }
  if (utf8.size() < length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(utf8[i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code_point = (code_point << 6) | (next & 0x3Fu);
  }
  if (code_point < smallest || code_point > 0x10FFFF ||
      (code_point >= 0xD800 && code_point <= 0xDFFF)) {
    return std::nullopt;
  }
  return utf8_character{code_point, length};
}

// Code page 437 bytes as UTF-8; every byte has a character, so nothing is lost.
constexpr std::string utf8_from_cp437(std::string_view cp437) {
  std::string out;
  out.reserve(cp437.size());
  for (char c : cp437) append_utf8(out, cp437_to_unicode(static_cast<unsigned char>(c)));
  return out;
}

// UTF-8 as code page 437 bytes; nullopt when the text is not valid UTF-8 or
// holds a character the code page lacks.
constexpr std::optional<std::string> cp437_from_utf8(std::string_view utf8) {
  std::string out;
  while (!utf8.empty()) {
    const auto decoded = decode_utf8(utf8);
    if (!decoded) return std::nullopt;
    const auto byte = unicode_to_cp437(decoded->code_point);
    if (!byte) return std::nullopt;
    out.push_back(static_cast<char>(*byte));
    utf8.remove_prefix(decoded->length);
  }
  return out;
}

// A UTF-8 string literal taken as a template argument; its code page 437
// form has at most as many bytes.
template <std::size_t N>
struct utf8_literal {
  char bytes[N]{};
  consteval utf8_literal(const char (&text)[N]) {
    for (std::size_t i = 0; i < N; ++i) bytes[i] = text[i];
  }
};

template <std::size_t N>
struct cp437_text {
  std::array<char, N> bytes{};
  std::size_t length = 0;
  constexpr std::string_view view() const { return {bytes.data(), length}; }
};

// Converts at compile time; invalid UTF-8 or a character outside the code
// page stops the compilation.
template <std::size_t N>
consteval cp437_text<N> to_cp437_text(const utf8_literal<N>& literal) {
  cp437_text<N> result;
  std::string_view rest(literal.bytes, N - 1);  // without the terminating NUL
  while (!rest.empty()) {
    const auto decoded = decode_utf8(rest);
    if (!decoded) throw std::invalid_argument("not valid UTF-8");
    const auto byte = unicode_to_cp437(decoded->code_point);
    if (!byte) throw std::invalid_argument("character not in code page 437");
    result.bytes[result.length++] = static_cast<char>(*byte);
    rest.remove_prefix(decoded->length);
  }
  return result;
}

template <utf8_literal literal>
inline constexpr cp437_text converted_literal = to_cp437_text(literal);

inline namespace literals {
// "Wellenlänge"_cp437: the code page 437 bytes of a UTF-8 literal, made at
// compile time, as a view of static storage.
template <utf8_literal literal>
constexpr std::string_view operator""_cp437() {
  return converted_literal<literal>.view();
}
}  // namespace literals

}  // namespace textio
