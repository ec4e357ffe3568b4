// Left Alt is Alt; right Alt is AltGr on most European layouts (it types @,
// \, { ...), so it is left to the text input.
#include "hosts/window_keys.h"

#include "textio/key_translation.h"

namespace hosts {

namespace {

using textio::named_key;

std::optional<named_key> named_key_of(SDL_Keycode symbol) {
  switch (symbol) {
    case SDLK_UP: return named_key::up;
    case SDLK_DOWN: return named_key::down;
    case SDLK_LEFT: return named_key::left;
    case SDLK_RIGHT: return named_key::right;
    case SDLK_HOME: return named_key::home;
    case SDLK_END: return named_key::end;
    case SDLK_PAGEUP: return named_key::page_up;
    case SDLK_PAGEDOWN: return named_key::page_down;
    case SDLK_INSERT: return named_key::insert;
    case SDLK_DELETE: return named_key::del;
    case SDLK_F1: return named_key::f1;
    case SDLK_F2: return named_key::f2;
    case SDLK_F3: return named_key::f3;
    case SDLK_F4: return named_key::f4;
    case SDLK_F5: return named_key::f5;
    case SDLK_F6: return named_key::f6;
    case SDLK_F7: return named_key::f7;
    case SDLK_F8: return named_key::f8;
    case SDLK_F9: return named_key::f9;
    case SDLK_F10: return named_key::f10;
    case SDLK_F11: return named_key::f11;
    case SDLK_F12: return named_key::f12;
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER: return named_key::enter;
    case SDLK_BACKSPACE: return named_key::backspace;
    case SDLK_TAB: return named_key::tab;
    case SDLK_ESCAPE: return named_key::escape;
    default: return std::nullopt;
  }
}

// The keypad with Num Lock off: the keys printed under the digits.
std::optional<named_key> keypad_key_of(SDL_Scancode position) {
  switch (position) {
    case SDL_SCANCODE_KP_8: return named_key::up;
    case SDL_SCANCODE_KP_2: return named_key::down;
    case SDL_SCANCODE_KP_4: return named_key::left;
    case SDL_SCANCODE_KP_6: return named_key::right;
    case SDL_SCANCODE_KP_7: return named_key::home;
    case SDL_SCANCODE_KP_1: return named_key::end;
    case SDL_SCANCODE_KP_9: return named_key::page_up;
    case SDL_SCANCODE_KP_3: return named_key::page_down;
    case SDL_SCANCODE_KP_0: return named_key::insert;
    case SDL_SCANCODE_KP_PERIOD: return named_key::del;
    default: return std::nullopt;
  }
}

textio::key_modifiers held_of(Uint16 modifiers) {
  const bool alt_gr = (modifiers & (KMOD_RALT | KMOD_MODE)) != 0;
  return {.shift = (modifiers & KMOD_SHIFT) != 0,
          .ctrl = !alt_gr && (modifiers & KMOD_CTRL) != 0,
          .alt = !alt_gr && (modifiers & KMOD_LALT) != 0};
}

}  // namespace

std::optional<textio::key_code> key_of_sdl_key(SDL_Keycode symbol, SDL_Scancode position,
                                              Uint16 modifiers) {
  const textio::key_modifiers held = held_of(modifiers);
  if (const auto named = named_key_of(symbol)) return textio::key_of_named_key(*named, held);
  if ((modifiers & KMOD_NUM) == 0) {
    if (const auto named = keypad_key_of(position)) return textio::key_of_named_key(*named, held);
  }
  if ((held.ctrl || held.alt) && symbol >= 0 && symbol < 128) {
    return textio::key_of_letter(static_cast<char>(symbol), held);
  }
  return std::nullopt;
}

bool text_follows_combination(Uint16 modifiers) {
  const textio::key_modifiers held = held_of(modifiers);
  return held.ctrl || held.alt;
}

std::vector<textio::key_code> keys_of_sdl_text(const char* utf8) {
  if (utf8 == nullptr) return {};
  return textio::keys_of_utf8(utf8);
}

}  // namespace hosts
