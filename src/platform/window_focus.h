// Activation, keyboard focus and stylus capture.
//
// One top-level window is active. Activating another one sends the activation message (inactive)
// to the one before, takes the focus from it, brings the new one to the top and sends it the
// activation message (active, or click-active when a tap caused it); the default handling then
// gives it the focus. Key messages go to the focus window, or to the active window when no window
// has the focus. While a window has the stylus capture, every stylus message goes to it.
#pragma once

#include <cstdint>

#include "platform/window_handle.h"

namespace platform {

// Activates the top-level window of h; returns the window active before.
hwnd set_active_window(hwnd h, std::uint32_t state = 1 /* wa::active */);
hwnd active_window();
// The foreground window is the active window (one program runs its windows). Bringing the active
// window forward again (after it was put behind the others without losing the activation) only
// raises it: the position messages say top, no move, no size, no activation, no owner order.
inline hwnd foreground_window() { return active_window(); }
bool set_foreground_window(hwnd h);

// Moves the focus (activating h's top-level window first); returns the window that had it.
hwnd set_focus(hwnd h);
hwnd focus_window();

// Returns the capture window before; the one losing it gets the capture-changed message.
hwnd set_capture(hwnd h);
bool release_capture();
hwnd capture_window();

}  // namespace platform
