// The asynchronous key state: whether a key (or the stylus, virtual key 1) is down at this moment,
// independent of the message queue. The input backends, the simulated device and tests set it;
// a change may also be scheduled for a later time on the clock, so that a test can hold the stylus
// down until a given virtual time.
#pragma once

#include <cstdint>

namespace platform {

inline constexpr int vk_stylus = 1;  // the left mouse button stands for the stylus on the screen

// The state word: the most significant bit (0x8000) is set while the key is down.
std::uint16_t async_key_state(int virtual_key);
inline bool key_is_down(int virtual_key) { return (async_key_state(virtual_key) & 0x8000) != 0; }

// Changes the state now.
void set_key_state(int virtual_key, bool down);
// Changes the state when the clock reaches at_ns (a change already due applies at once).
void schedule_key_state(int virtual_key, bool down, std::uint64_t at_ns);
// Every key up, nothing scheduled.
void reset_key_states();

}  // namespace platform
