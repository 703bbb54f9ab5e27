// Raised around every transmission: 1 just before it, 0 just after it. The remote screen lights
// its IR indicator and plays the key click on it.
#pragma once

namespace outworld {

enum class signal_event_t : int {
  ended = 0,
  started = 1,
};

}  // namespace outworld
