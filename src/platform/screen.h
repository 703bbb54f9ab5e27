// The handheld's screen: one surface owned by the window system. Windows draw straight onto it,
// clipped to their visible parts; what no window covers shows the desktop colour.
#pragma once

#include "platform/pixel_surface.h"

namespace platform {

// 240 x 320 until the device or a rotation sets another size.
pixel_surface& screen_surface();
size screen_size();
// A new size (another device, a rotation): the surface is made again in the desktop colour and
// every window is invalidated. Windows keep their positions; the top-level windows hear about it
// through the settings-change message the caller broadcasts.
void set_screen_size(size extent);

// The screen reset of a rotation or a display change: the new size, then every top-level window
// gets the settings-change message with the reset parameter (and lparam 0).
void reset_screen(size extent);

// Dots per inch (96 until the device sets another): programs scale their fixed measures by it.
int screen_dpi();
void set_screen_dpi(int dpi);

// The size factor of the user interface: 2 on a high-resolution screen (192 dpi or more, or 480
// pixels or more on its short side), where every pixel size of bars, boxes and fonts doubles;
// 1 otherwise.
int screen_scale();

colorref desktop_colour();
void set_desktop_colour(colorref colour);

}  // namespace platform
