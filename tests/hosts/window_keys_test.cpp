#include "hosts/window_keys.h"

#include <gtest/gtest.h>

#include <vector>

namespace hosts {
namespace {

using textio::key_code;

TEST(WindowKeys, SpecialKeysFromSdlKeyEvents) {
  const struct {
    SDL_Keycode symbol;
    SDL_Scancode position;
    Uint16 modifiers;
    key_code expected;
  } cases[] = {
      {SDLK_LEFT, SDL_SCANCODE_LEFT, KMOD_NONE, key_code::special('K')},
      {SDLK_LEFT, SDL_SCANCODE_LEFT, KMOD_LCTRL, key_code::special('s')},
      {SDLK_RIGHT, SDL_SCANCODE_RIGHT, KMOD_RCTRL, key_code::special('t')},
      {SDLK_DELETE, SDL_SCANCODE_DELETE, KMOD_NONE, key_code::special('S')},
      {SDLK_F10, SDL_SCANCODE_F10, KMOD_NONE, key_code::special('D')},
      {SDLK_F3, SDL_SCANCODE_F3, KMOD_LALT, key_code::special(106)},
      {SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_NONE, key_code::character(13)},
      {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, KMOD_NUM, key_code::character(13)},
      {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, KMOD_NONE, key_code::character(8)},
      {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, KMOD_NONE, key_code::character(27)},
      // The keypad with Num Lock off moves the cursor.
      {SDLK_KP_4, SDL_SCANCODE_KP_4, KMOD_NONE, key_code::special('K')},
      {SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, KMOD_NONE, key_code::special('S')},
      {SDLK_c, SDL_SCANCODE_C, KMOD_LCTRL, key_code::character(3)},
      {SDLK_q, SDL_SCANCODE_Q, KMOD_LALT, key_code::special(16)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(key_of_sdl_key(c.symbol, c.position, c.modifiers), c.expected)
        << "symbol " << c.symbol;
  }
}

TEST(WindowKeys, CharactersAndAltGrAreLeftToTheTextInput) {
  EXPECT_EQ(key_of_sdl_key(SDLK_a, SDL_SCANCODE_A, KMOD_NONE), std::nullopt);
  EXPECT_EQ(key_of_sdl_key(SDLK_KP_4, SDL_SCANCODE_KP_4, KMOD_NUM), std::nullopt);
  // AltGr+Q types "@" on a German keyboard: no Alt combination.
  EXPECT_EQ(key_of_sdl_key(SDLK_q, SDL_SCANCODE_Q, KMOD_RALT), std::nullopt);
  EXPECT_EQ(key_of_sdl_key(SDLK_q, SDL_SCANCODE_Q, KMOD_LCTRL | KMOD_RALT), std::nullopt);
  EXPECT_EQ(key_of_sdl_key(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, KMOD_LSHIFT), std::nullopt);
  EXPECT_TRUE(text_follows_combination(KMOD_LALT));
  EXPECT_FALSE(text_follows_combination(KMOD_RALT));
  EXPECT_FALSE(text_follows_combination(KMOD_LSHIFT));
}

TEST(WindowKeys, TextInputAsCodePage437) {
  EXPECT_EQ(keys_of_sdl_text("\xC3\xA4"), std::vector<key_code>{key_code::character(0x84)});  // ä
  EXPECT_EQ(keys_of_sdl_text("\xE2\x82\xAC"), std::vector<key_code>{});  // € is not in it
  EXPECT_EQ(keys_of_sdl_text(nullptr), std::vector<key_code>{});
}

}  // namespace
}  // namespace hosts
