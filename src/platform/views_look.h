// The one look the list view, tree view, tab control and colour chooser share: the text fonts,
// the heights of rows, headers and tabs, the icon and scroll bar sizes, all doubled on a
// high-resolution screen, and the framing line around a control.
#pragma once

#include <memory>

#include "platform/font.h"
#include "platform/gdi_dc.h"

namespace platform {

struct views_look {
  int scale = 1;
  std::shared_ptr<const font> text_font;
  std::shared_ptr<const font> bold_font;
  int icon_size = 16;      // small icons
  int row_height = 18;     // an icon or a line of text with room around it
  int header_height = 18;  // column headers and tabs
  int scroll_width = 13;   // the vertical scroll bar
  int pad = 2;             // space between an edge and what is drawn inside it

  // Sizes for the screen as it is now.
  static views_look current();
};

// A one-pixel line in the window-frame colour just inside r.
void draw_views_frame(dc& d, const rect& r);

}  // namespace platform
