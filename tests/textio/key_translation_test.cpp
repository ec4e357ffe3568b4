#include "textio/key_translation.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using textio::key_code;
using textio::key_modifiers;
using textio::named_key;

TEST(KeyTranslation, EverySpecialKeyOfTheLineEntryTableGivesItsScanCode) {
  const struct {
    named_key key;
    unsigned char scan_code;
  } cases[] = {
      {named_key::up, 'H'},        {named_key::down, 'P'},      {named_key::left, 'K'},
      {named_key::right, 'M'},     {named_key::home, 'G'},      {named_key::end, 'O'},
      {named_key::page_up, 'I'},   {named_key::page_down, 'Q'}, {named_key::insert, 'R'},
      {named_key::del, 'S'},       {named_key::f1, ';'},        {named_key::f2, '<'},
      {named_key::f5, '?'},        {named_key::f9, 'C'},        {named_key::f10, 'D'},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(textio::key_of_named_key(c.key, {}), key_code::special(c.scan_code))
        << "scan code " << c.scan_code;
  }
}

TEST(KeyTranslation, CombinationsGiveThePcExtendedCodes) {
  const key_modifiers ctrl{.ctrl = true};
  const key_modifiers alt{.alt = true};
  const key_modifiers shift{.shift = true};
  const struct {
    named_key key;
    key_modifiers held;
    key_code expected;
  } cases[] = {
      {named_key::left, ctrl, key_code::special('s')},     // 115
      {named_key::right, ctrl, key_code::special('t')},    // 116
      {named_key::end, ctrl, key_code::special('u')},      // 117
      {named_key::page_down, ctrl, key_code::special('v')},
      {named_key::home, ctrl, key_code::special('w')},     // 119
      {named_key::page_up, ctrl, key_code::special(132)},
      {named_key::up, ctrl, key_code::special(141)},
      {named_key::del, ctrl, key_code::special(147)},
      {named_key::f1, shift, key_code::special('T')},      // 84
      {named_key::f1, ctrl, key_code::special('^')},       // 94
      {named_key::f10, alt, key_code::special('q')},       // 113
      {named_key::left, alt, key_code::special(155)},
      {named_key::tab, shift, key_code::special(15)},
      {named_key::enter, ctrl, key_code::character(10)},
      {named_key::escape, alt, key_code::special(1)},
      {named_key::left, {.shift = true, .ctrl = true, .alt = true}, key_code::special(155)},
      {named_key::left, {.shift = true, .ctrl = true}, key_code::special('s')},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(textio::key_of_named_key(c.key, c.held), c.expected)
        << "key " << static_cast<int>(c.key) << " gave " << int{c.expected.second};
  }
}

TEST(KeyTranslation, EnterBackspaceTabEscapeAreCharacters) {
  EXPECT_EQ(textio::key_of_named_key(named_key::enter, {}), key_code::character(13));
  EXPECT_EQ(textio::key_of_named_key(named_key::backspace, {}), key_code::character(8));
  EXPECT_EQ(textio::key_of_named_key(named_key::tab, {}), key_code::character(9));
  EXPECT_EQ(textio::key_of_named_key(named_key::escape, {}), key_code::character(27));
}

TEST(KeyTranslation, CharactersBecomeCodePage437Bytes) {
  EXPECT_EQ(textio::key_of_character(U'ä'), key_code::character(0x84));
  EXPECT_EQ(textio::key_of_character(U'Ä'), key_code::character(0x8E));
  EXPECT_EQ(textio::key_of_character(U'ß'), key_code::character(0xE1));
  EXPECT_EQ(textio::key_of_character(U'6'), key_code::character('6'));
  EXPECT_EQ(textio::key_of_character(U'\n'), key_code::character(13));
  EXPECT_EQ(textio::key_of_character(127), key_code::character(8));
  EXPECT_EQ(textio::key_of_character(U'€'), std::nullopt);
  EXPECT_EQ(textio::key_of_character(0), std::nullopt);
}

TEST(KeyTranslation, CtrlAndAltWithLettersAndDigits) {
  EXPECT_EQ(textio::key_of_letter('a', {.ctrl = true}), key_code::character(1));
  EXPECT_EQ(textio::key_of_letter('z', {.ctrl = true}), key_code::character(26));
  EXPECT_EQ(textio::key_of_letter('q', {.alt = true}), key_code::special(16));
  EXPECT_EQ(textio::key_of_letter('x', {.alt = true}), key_code::special('-'));  // 45
  EXPECT_EQ(textio::key_of_letter('m', {.alt = true}), key_code::special('2'));  // 50
  EXPECT_EQ(textio::key_of_letter('1', {.alt = true}), key_code::special('x'));  // 120
  EXPECT_EQ(textio::key_of_letter('0', {.alt = true}), key_code::special(129));
  EXPECT_EQ(textio::key_of_letter('5', {.ctrl = true}), std::nullopt);
  EXPECT_EQ(textio::key_of_letter('a', {}), std::nullopt);
}

TEST(KeyTranslation, TypedTextKeepsWhatTheCodePageHasInOrder) {
  EXPECT_EQ(textio::keys_of_utf8("5\xC3\xA4\xE2\x82\xAC" "0"),  // "5ä€0"
            (std::vector<key_code>{key_code::character('5'), key_code::character(0x84),
                                   key_code::character('0')}));
  EXPECT_EQ(textio::keys_of_utf8("\xFF" "a\xC3"),  // malformed bytes dropped
            (std::vector<key_code>{key_code::character('a')}));
}

}  // namespace
