// The scroll bars a list draws inside its own window: an arrow button at each end, the track
// between them and a thumb whose length shows the visible share and whose place shows the
// position. The list keeps the state; this knows the bar's parts, where they are and how they look.
#pragma once

#include "platform/gdi_dc.h"
#include "platform/geometry.h"

namespace platform {

enum class scroll_part { none, back_arrow, back_page, thumb, forward_page, forward_arrow };

struct list_scroll_bar {
  bool vertical = true;
  rect area;       // the whole bar in the list's client coordinates
  int total = 0;   // what there is to see
  int page = 0;    // what one view shows
  int pos = 0;     // the first thing shown, 0 .. max_pos()

  int max_pos() const { return total > page ? total - page : 0; }
  rect back_arrow() const;
  rect forward_arrow() const;
  rect thumb() const;
  scroll_part part_at(point p) const;
  // The position that puts the thumb's leading edge at `edge` (along the bar), clamped.
  int pos_for_thumb_edge(int edge) const;
  // The thumb's leading edge along the bar.
  int thumb_edge() const { return vertical ? thumb().top : thumb().left; }
  void draw(dc& d, int scale) const;
};

}  // namespace platform
