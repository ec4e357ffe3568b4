// SDL's keyboard events as key codes. Characters come from SDL's text input
// (UTF-8, already composed by the keyboard layout and input method); the key
// events give the special keys, Enter, Backspace, Tab, Escape and the Ctrl
// and Alt combinations. Uses SDL's headers only, so it is tested without a
// display and without linking SDL.
//
//   key_of_sdl_key(SDLK_LEFT, SDL_SCANCODE_LEFT, KMOD_LCTRL) -> 255 's'
//   key_of_sdl_key(SDLK_KP_4, SDL_SCANCODE_KP_4, KMOD_NONE) -> 255 'K' (Num Lock off)
//   key_of_sdl_key(SDLK_a, SDL_SCANCODE_A, KMOD_NONE) -> nothing (comes as text)
//   keys_of_sdl_text("ä") -> 0x84
#pragma once

#include <SDL_keycode.h>
#include <SDL_scancode.h>

#include <optional>
#include <vector>

#include "textio/keys.h"

namespace hosts {

// The key of a key-down event, or nothing when the key is a character that
// SDL's text input delivers (or a key without a code, such as Shift alone).
std::optional<textio::key_code> key_of_sdl_key(SDL_Keycode symbol, SDL_Scancode position,
                                              Uint16 modifiers);

// Whether the text input event that follows a key-down with these modifiers
// repeats a key that key_of_sdl_key has already given (Alt+letter), and must
// be dropped.
bool text_follows_combination(Uint16 modifiers);

std::vector<textio::key_code> keys_of_sdl_text(const char* utf8);

}  // namespace hosts
