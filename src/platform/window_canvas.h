// Where a window draws: the screen surface, the window's client origin on it, and the pixels the
// window may touch (its visible part, narrowed to the area being repainted during a paint). A
// device context for the window is made from this.
#pragma once

#include "platform/pixel_surface.h"
#include "platform/region.h"

namespace platform {

struct window_canvas {
  pixel_surface* surface = nullptr;
  point origin;  // the client area's top-left corner on the surface
  region clip;   // in surface coordinates

  // Fills a client rectangle with a colour, inside the clip only.
  void fill(const rect& client, colorref colour) const {
    if (surface == nullptr) return;
    for (rect r : clip.rects()) {
      surface->fill(r.intersect(client.offset(origin.x, origin.y)), pixel_of(colour));
    }
  }
};

}  // namespace platform
