// The shell's full-screen call: a program asks which of the shell's own parts (the task bar along
// the top, the input-panel button, the start icon) show over its top-level window. The desktop
// draws none of them, so the call keeps what each window last asked for; the program's layout
// (its frame's position, its menu bar) is its own to change.
#pragma once

#include <cstdint>

#include "platform/window_handle.h"

namespace platform {

namespace shfs {
inline constexpr std::uint32_t showtaskbar = 0x0001;
inline constexpr std::uint32_t hidetaskbar = 0x0002;
inline constexpr std::uint32_t showsipbutton = 0x0004;
inline constexpr std::uint32_t hidesipbutton = 0x0008;
inline constexpr std::uint32_t showstarticon = 0x0010;
inline constexpr std::uint32_t hidestarticon = 0x0020;
}  // namespace shfs

// False for a window that does not exist.
bool shell_full_screen(hwnd h, std::uint32_t state);

// Which parts the shell hides over the window: the hide flags of its requests, each cleared again
// by the matching show flag; 0 for a window that never asked or no longer exists.
std::uint32_t shell_hidden_parts(hwnd h);

}  // namespace platform
