#include "textio/cp437.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace textio {
namespace {

using namespace std::string_view_literals;

// Conversions the dialogue relies on at compile time.
static_assert("für"_cp437 == "f\x81r"sv);
static_assert("Wellenlänge"_cp437 == "Wellenl\x84nge"sv);
static_assert(unicode_to_cp437(U'Ä') == 0x8E);
static_assert(unicode_to_cp437(U'ö') == 0x94);

struct glyph_case {
  unsigned char byte;
  char32_t unicode;
};

TEST(Cp437, GlyphsOfTheByteRanges) {
  const glyph_case cases[] = {
      {0x01, U'☺'}, {0x03, U'♥'}, {0x07, U'•'},  {0x0D, U'♪'},  {0x1B, U'←'},
      {0x1F, U'▼'}, {0x20, U' '}, {0x41, U'A'},  {0x7E, U'~'},  {0x7F, U'⌂'},
      {0x81, U'ü'}, {0x84, U'ä'}, {0x8E, U'Ä'},  {0x94, U'ö'},  {0x99, U'Ö'},
      {0x9A, U'Ü'}, {0xB0, U'░'}, {0xB3, U'│'},  {0xC4, U'─'},  {0xC9, U'╔'},
      {0xDB, U'█'}, {0xE0, U'α'}, {0xE1, U'ß'},  {0xE6, U'µ'},  {0xF8, U'°'},
      {0xFD, U'²'}, {0xFE, U'■'}, {0xFF, U'\u00A0'},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cp437_to_unicode(c.byte), c.unicode) << "byte " << int{c.byte};
    EXPECT_EQ(unicode_to_cp437(c.unicode), c.byte) << "byte " << int{c.byte};
  }
}

TEST(Cp437, RoundTripOfEveryNonZeroByte) {
  for (int byte = 1; byte <= 255; ++byte) {
    const auto b = static_cast<unsigned char>(byte);
    EXPECT_EQ(unicode_to_cp437(cp437_to_unicode(b)), b) << "byte " << byte;
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(cp437_from_utf8(utf8_from_cp437(one)), one) << "byte " << byte;
  }
}

TEST(Cp437, ControlCharactersAndLookAlikes) {
  EXPECT_EQ(unicode_to_cp437(U'\t'), 0x09);
  EXPECT_EQ(unicode_to_cp437(U'\r'), 0x0D);
  EXPECT_EQ(unicode_to_cp437(0x1B), 0x1B);
  EXPECT_EQ(unicode_to_cp437(U'β'), 0xE1);
  EXPECT_EQ(unicode_to_cp437(U'μ'), 0xE6);
  EXPECT_EQ(unicode_to_cp437(U'€'), std::nullopt);
  EXPECT_EQ(unicode_to_cp437(U'😀'), std::nullopt);
}

TEST(Cp437, TextConversions) {
  EXPECT_EQ(utf8_from_cp437("l\x84nge"), "länge");
  EXPECT_EQ(utf8_from_cp437("\xC9\xCD\xBB"), "╔═╗");
  EXPECT_EQ(cp437_from_utf8("Wellenlänge"), "Wellenl\x84nge");
  EXPECT_EQ(cp437_from_utf8("Korrekturbetrag für le"), "Korrekturbetrag f\x81r le");
  EXPECT_EQ(cp437_from_utf8("5 €"), std::nullopt);
  EXPECT_EQ(cp437_from_utf8(""), "");
}

TEST(Cp437, MalformedUtf8IsRejected) {
  const std::string_view cases[] = {
      "\xC3",              // truncated two-byte sequence
      "\xC3\x28",          // bad continuation byte
      "\x80",              // stray continuation byte
      "\xC0\xAF",          // overlong '/'
      "\xED\xA0\x80",      // surrogate
      "\xF4\x90\x80\x80",  // beyond U+10FFFF
      "\xFF",
  };
  for (auto text : cases) {
    EXPECT_EQ(decode_utf8(text), std::nullopt) << testing::PrintToString(text);
    EXPECT_EQ(cp437_from_utf8(text), std::nullopt) << testing::PrintToString(text);
  }
}

TEST(Cp437, DecodesEveryLength) {
  struct {
    std::string_view utf8;
    char32_t code_point;
    std::size_t length;
  } const cases[] = {
      {"A", U'A', 1}, {"ä", U'ä', 2}, {"─x", U'─', 3}, {"😀", U'😀', 4},
  };
  for (const auto& c : cases) {
    const auto decoded = decode_utf8(c.utf8);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->code_point, c.code_point);
    EXPECT_EQ(decoded->length, c.length);
    std::string encoded;
    append_utf8(encoded, c.code_point);
    EXPECT_EQ(encoded, c.utf8.substr(0, c.length));
  }
}

TEST(Cp437, LiteralHasStaticStorage) {
  const std::string_view title = "Berechnung einer Vollfarbe und ihrer farbtongleichen Wellenlänge"_cp437;
  EXPECT_EQ(title.size(), 64u);
  EXPECT_EQ(title.back(), 'e');
  EXPECT_EQ(static_cast<unsigned char>(title[title.size() - 4]), 0x84);
}

}  // namespace
}  // namespace textio
