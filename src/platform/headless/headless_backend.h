// The headless backend: no display, the screen lives in memory, time is virtual unless
// ZEQUON_CLOCK=real, and input comes from calls (the script runner, tests). Every input call
// handles the messages it causes before it returns, so the screen shows their effect.
#pragma once

#include <cstdint>

#include "platform/geometry.h"
#include "platform/pixel_surface.h"

namespace platform::headless {

enum class clock_mode_t { virtual_time, real_time };

// ZEQUON_CLOCK: "real" for the host's clock, "virtual" or unset for virtual time; anything else
// is refused (false).
bool clock_from_environment(clock_mode_t& out);

// Sets the clock (virtual time starts at 0) and the screen size. False for an unknown ZEQUON_CLOCK.
bool start(size screen = {240, 320});

// The stylus and the keys, in screen pixels of the emulated device.
void tap(point p);  // down and up at the same place
void down(point p);
void move(point p);
void up(point p);
// The stylus held at p for ms milliseconds. Code that runs while it is down (a transmission that
// lasts while the stylus is held, inside the down message's handler) sees it lifted when the
// clock reaches that time; the up message follows.
void press(point p, std::uint32_t ms);
void key(std::uint32_t virtual_key, std::uint32_t modifiers = 0);  // pressed and released
void key_down(std::uint32_t virtual_key, std::uint32_t modifiers = 0);
void key_up(std::uint32_t virtual_key, std::uint32_t modifiers = 0);
// Time passes (at once under virtual time), then waiting messages are handled.
void wait(std::uint32_t ms);

// Handles every waiting message, paints included; false when the quit message came (it stays
// posted for the program's loop).
bool settle();

const pixel_surface& screen();

}  // namespace platform::headless
