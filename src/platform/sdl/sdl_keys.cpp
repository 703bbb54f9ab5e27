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

std::uint32_t text_editing_key_of(SDL_Keycode key) {
  switch (key) {
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return 0x10;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return 0x11;
    case SDLK_END: return 0x23;
    case SDLK_HOME: return 0x24;
    case SDLK_DELETE: return 0x2E;
    default: return 0;
  }
}

wchar_t control_character_of(SDL_Keycode key) {
  switch (key) {
    case SDLK_c:
    case SDLK_v:
    case SDLK_x:
    case SDLK_z: return static_cast<wchar_t>(key - SDLK_a + 1);
    default: return 0;
  }
}

}  // namespace platform::sdl
