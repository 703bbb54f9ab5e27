#include "platform/sdl/sdl_keys.h"

namespace platform::sdl {

std::string_view hardware_key_name_of(SDL_Keycode key) {
  switch (key) {
    case SDLK_LEFT: return "Left";
    case SDLK_RIGHT: return "Right";
    case SDLK_UP: return "Up";
    case SDLK_DOWN: return "Down";
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return "Select";
    case SDLK_F1: return "40C1";
    case SDLK_F2: return "40C2";
    case SDLK_F3: return "40C3";
    case SDLK_F4: return "40C4";
    default: return {};
  }
}

}  // namespace platform::sdl
