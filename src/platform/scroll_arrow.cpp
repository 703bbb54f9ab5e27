#include "platform/scroll_arrow.h"

namespace platform {

void draw_scroll_arrow(dc& d, const rect& cell, bool vertical, bool forward, int scale, colorref colour) {
  const brush ink = brush::solid(colour);
  const int rows = 3 * scale;
  const int cx = (cell.left + cell.right) / 2;
  const int cy = (cell.top + cell.bottom) / 2;
  for (int i = 0; i < rows; ++i) {
    const int half = forward ? rows - 1 - i : i;  // the row's half-width grows towards the base
    const int at = (vertical ? cy : cx) - rows / 2 + i;
    if (vertical) {
      d.fill_rect({cx - half - 1, at, cx + half, at + 1}, ink);
    } else {
      d.fill_rect({at, cy - half - 1, at + 1, cy + half}, ink);
    }
  }
}

}  // namespace platform
