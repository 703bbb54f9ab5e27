// The sounds the IR engine asks the application to play (asynchronously, from its own resources).
#pragma once

namespace outworld {

enum class sound_t : int {
  key_click = 1,      // played only when the profile's key-click option is on
  learned_beep = 2,   // confirmation after a successful capture; always played
};

}  // namespace outworld
