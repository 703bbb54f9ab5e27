// How the handheld's screen appears in the desktop window: turned by the display's rotation and
// enlarged by a whole-number zoom, and how a mouse position in the window finds its screen pixel.
// Pure geometry, no SDL, so that it is tested directly.
#pragma once

#include "platform/geometry.h"
#include "platform/pixel_surface.h"

namespace platform::sdl {

// The screen as shown: turned clockwise by degrees (0, 90, 180 or 270; others count as 0).
pixel_surface turned(const pixel_surface& screen, int degrees);
size turned_size(size screen, int degrees);

// The screen pixel under a window position (window pixels, zoom >= 1), clamped to the screen so
// that a stylus dragged past the edge stays on it.
point screen_point_of(point window, size screen, int degrees, int zoom);

// The largest zoom from 1 to 4 at which the turned screen fits into the desktop area (0 x 0: 2).
int zoom_to_fit(size screen, size desktop);

}  // namespace platform::sdl
