// The desktop keyboard as the handheld's hardware keys: the arrows and Enter are the navigation
// pad, F1 to F4 the application keys 40C1 to 40C4; and the keys that edit text fields.
#pragma once

#include <SDL_keycode.h>

#include <cstdint>
#include <string_view>

namespace platform::sdl {

// The hardware key name ("Left", "Select", "40C1", ...), or empty for a key the handheld lacks.
std::string_view hardware_key_name_of(SDL_Keycode key);

// The desktop keys that edit text fields, as virtual keys: Shift, Control, Home, End, Delete; 0 for
// any other key. Typed text comes as characters, Backspace as character 8.
std::uint32_t text_editing_key_of(SDL_Keycode key);
// The control character of C, V, X or Z with Control held (copy, paste, cut, undo), as a text
// field takes it; 0 for any other key.
wchar_t control_character_of(SDL_Keycode key);

}  // namespace platform::sdl
