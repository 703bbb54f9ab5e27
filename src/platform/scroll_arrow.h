// The arrow the scroll bars draw in their end cells: a small filled triangle pointing back (up or
// left) or forward (down or right), its size following the screen's scale.
#pragma once

#include "platform/gdi_dc.h"
#include "platform/geometry.h"

namespace platform {

void draw_scroll_arrow(dc& d, const rect& cell, bool vertical, bool forward, int scale, colorref colour);

}  // namespace platform
