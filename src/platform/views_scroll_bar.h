// The vertical scroll bar drawn inside the list view and the tree view: an arrow at each end
// (one line), the track above and below the thumb (one page) and the thumb, which the stylus
// drags. Positions count lines; the bar is shown only while the lines do not fit.
#pragma once

#include "platform/gdi_dc.h"
#include "platform/geometry.h"
#include "platform/window_messages.h"

namespace platform {

class views_scroll_bar {
 public:
  // The bar's rectangle in the control's client coordinates, the number of lines, the lines one
  // page shows; the position is kept within range.
  void set(const rect& area, int lines, int page);
  bool shown() const { return lines_ > page_ && !area_.empty(); }
  const rect& area() const { return area_; }
  int position() const { return position_; }
  int max_position() const { return lines_ > page_ ? lines_ - page_ : 0; }
  // Kept within 0 .. max_position(); returns whether it changed.
  bool scroll_to(int position);
  // Scrolls the least that brings the line into the page; returns whether the position changed.
  bool scroll_into_view(int line);

  // The stylus touches the bar at p: arrows and track scroll at once, the thumb starts a drag.
  // Returns whether the position changed.
  bool stylus_down(point p);
  // While dragging the thumb; returns whether the position changed.
  bool stylus_move(point p);
  void stylus_up() { dragging_ = false; }
  bool dragging() const { return dragging_; }
  // The control's stylus messages after a press that landed on the bar (on_bar): a move drags the
  // thumb (the control repainted), a lift or the loss of the capture ends the press. True when the
  // message was one of those three, which the control then leaves alone.
  bool follow_stylus(hwnd control, std::uint32_t message, lparam_t l, bool& on_bar);

  void draw(dc& d) const;

 private:
  rect up_arrow() const;
  rect down_arrow() const;
  rect track() const;
  rect thumb() const;

  rect area_;
  int lines_ = 0;
  int page_ = 1;
  int position_ = 0;
  bool dragging_ = false;
  int drag_grip_ = 0;  // from the thumb's top to where the stylus holds it
};

}  // namespace platform
