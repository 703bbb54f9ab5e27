// System hot keys: a window registers a key with its modifiers under an id and then receives the
// hot-key message for it instead of key messages, whichever window has the focus. A key can be
// registered only once system-wide; the shell holds some keys itself (the hardware keys start its
// programs) until its release function frees them.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/window_handle.h"

namespace platform {

namespace mod {
inline constexpr std::uint32_t alt = 0x0001;
inline constexpr std::uint32_t control = 0x0002;
inline constexpr std::uint32_t shift = 0x0004;
inline constexpr std::uint32_t win = 0x0008;    // the hardware application keys carry it
inline constexpr std::uint32_t keyup = 0x1000;  // the registration fires when the key is released
}  // namespace mod

// False when the window does not exist or the key (with these modifiers) is taken.
bool register_hot_key(hwnd h, int id, std::uint32_t modifiers, std::uint32_t virtual_key);
// False when the window has no hot key with that id.
bool unregister_hot_key(hwnd h, int id);

// The shell takes a key for itself (the device's hardware keys, at start).
void shell_hold_hot_key(std::uint32_t modifiers, std::uint32_t virtual_key);
bool shell_holds_hot_key(std::uint32_t modifiers, std::uint32_t virtual_key);

// The shell's release function: frees a key the shell holds. Nonzero when it held it.
int UnregisterFunc1(std::uint32_t modifiers, std::uint32_t virtual_key);
using unregister_func1_t = int (*)(std::uint32_t modifiers, std::uint32_t virtual_key);

// A key event as the input arrives: when a registration matches (the modifiers, plus mod::keyup
// for a release), its window gets the hot-key message (wparam id, lparam (modifiers, key)), or the
// shell takes the key. True when the key was taken so.
bool route_hot_key(std::uint32_t virtual_key, bool down, std::uint32_t modifiers);

// Forgets every registration and every key the shell holds.
void reset_hot_keys();

}  // namespace platform
