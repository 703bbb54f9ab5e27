// Input as a backend delivers it, routed to the window it is for and queued there.
//
// The stylus: with a capture window everything goes to it; otherwise to the deepest visible,
// enabled window under the point, whose top-level window a touch activates (click-active). Points
// reach the window in its client coordinates. The stylus is virtual key 1 of the key state.
//
// Keys: a system hot key takes a key first; otherwise the key messages go to the focus window, or
// to the active window when none has the focus.
#pragma once

#include <cstdint>

#include "platform/geometry.h"

namespace platform {

enum class stylus_t { down, move, up };

void deliver_stylus(stylus_t kind, point screen);
// modifiers: the hot-key modifiers (mod::*) the key arrives with.
void deliver_key(std::uint32_t virtual_key, bool down, std::uint32_t modifiers = 0);
// A typed character (a desktop keyboard's text): wm::char_ to the focus window, or to the active
// window when none has the focus.
void deliver_char(wchar_t ch);

}  // namespace platform
