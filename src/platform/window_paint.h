// Painting: each window keeps the area that must be redrawn (its update region). Invalidating adds
// to it; while it is not empty the window's thread retrieves a paint message for it, and the window
// draws between begin_paint and end_paint, which empties it. Drawing goes straight to the screen,
// clipped to the window's visible part.
#pragma once

#include <optional>

#include "platform/gdi_dc.h"
#include "platform/region.h"
#include "platform/window_handle.h"

namespace platform {

struct paint_context {
  hwnd window = no_window;
  dc hdc;                // clipped to the visible part of the area being repainted
  rect paint_rect;       // that area's bounds in client coordinates
  bool erase = false;    // the background still had to be erased (the erase message was not handled)
};

// area: client coordinates; none = the whole client area. erase: the background is erased
// (the erase message) before the next paint.
bool invalidate_rect(hwnd h, const std::optional<rect>& area, bool erase);
bool validate_rect(hwnd h, const std::optional<rect>& area);
// The update region's bounds in client coordinates (empty when nothing is to be repainted).
rect update_rect(hwnd h);
// Sends the paint message to the window at once when it has something to repaint.
void update_window(hwnd h);

// Empties the update region and gives the context to draw with; sends the erase message (wparam:
// the context) first when the background is to be erased.
paint_context begin_paint(hwnd h);
void end_paint(const paint_context& paint);

// A context for drawing into the window outside a paint: the client area's top-left is (0, 0),
// the clip is the window's whole visible part.
dc window_dc(hwnd h);
// The window's visible part in screen coordinates (empty when it or an ancestor is hidden).
region visible_region(hwnd h);

}  // namespace platform
