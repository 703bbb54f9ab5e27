// The desktop keyboard as the handheld's hardware keys: the arrows and Enter are the navigation
// pad, F1 to F4 the application keys 40C1 to 40C4.
#pragma once

#include <SDL_keycode.h>

#include <string_view>

namespace platform::sdl {

// The hardware key name ("Left", "Select", "40C1", ...), or empty for a key the handheld lacks.
std::string_view hardware_key_name_of(SDL_Keycode key);

}  // namespace platform::sdl
