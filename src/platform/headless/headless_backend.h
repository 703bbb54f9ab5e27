// The headless backend: no display, the screen lives in memory, time is virtual unless
// ZEQUON_CLOCK=real, and input comes from calls (the script runner, tests).
//
// Input calls only queue the input. The program takes the next queued input whenever its thread
// waits for a message with nothing else to do, so code running inside a handler (a button tracking
// the stylus until it is lifted, a modal loop) sees the input that follows. Waits are part of the
// queue: they move the clock. When a stylus or key press starts, the waits queued before its
// release say when it ends, and the key state is scheduled to change then: a transmission that
// lasts while the stylus is held inside the press's handler ends on time.
#pragma once

#include <cstdint>

#include "platform/geometry.h"
#include "platform/pixel_surface.h"

namespace platform::headless {

enum class clock_mode_t { virtual_time, real_time };

// ZEQUON_CLOCK: "real" for the host's clock, "virtual" or unset for virtual time; anything else
// is refused (false).
bool clock_from_environment(clock_mode_t& out);

// Sets the clock (virtual time starts at 0) and the screen size, empties the input queue. False
// for an unknown ZEQUON_CLOCK.
bool start(size screen = {240, 320});

// Makes the queued stylus and key input what a waiting thread takes again (after a script runner
// had its place), without touching the clock, the screen or the queue.
void use_queued_input();

// The stylus and the keys, in screen pixels of the emulated device.
void down(point p);
void move(point p);
void up(point p);
void tap(point p);                    // down and up at the same place
void press(point p, std::uint32_t ms);  // down, held for ms, up
void key_down(std::uint32_t virtual_key, std::uint32_t modifiers = 0);
void key_up(std::uint32_t virtual_key, std::uint32_t modifiers = 0);
void key(std::uint32_t virtual_key, std::uint32_t modifiers = 0);  // pressed and released
// Time passes before the input queued after it (at once under virtual time).
void wait(std::uint32_t ms);

// Runs the calling thread's messages, paints included, until the queued input is used up and no
// message waits; false when the quit message came (it stays posted for the program's loop).
bool settle();
// Whether queued input is left.
bool input_pending();
// Drops the queued input.
void reset_input();

const pixel_surface& screen();

}  // namespace platform::headless
