#include "platform/list_scroll_bar.h"

#include <algorithm>

#include "platform/gdi_sys_color.h"
#include "platform/scroll_arrow.h"

namespace platform {

namespace {

int thickness(const list_scroll_bar& bar) { return bar.vertical ? bar.area.width() : bar.area.height(); }
int length(const list_scroll_bar& bar) { return bar.vertical ? bar.area.height() : bar.area.width(); }
// The arrows are square, but share a bar too short for two squares.
int arrow_length(const list_scroll_bar& bar) { return std::min(thickness(bar), length(bar) / 2); }

// The track between the arrows: its start and length along the bar.
int track_start(const list_scroll_bar& bar) {
  return (bar.vertical ? bar.area.top : bar.area.left) + arrow_length(bar);
}
int track_length(const list_scroll_bar& bar) { return std::max(0, length(bar) - 2 * arrow_length(bar)); }

int thumb_length(const list_scroll_bar& bar) {
  const int track = track_length(bar);
  if (bar.total <= 0 || bar.page >= bar.total) return track;
  const int share = static_cast<int>(static_cast<long long>(track) * bar.page / bar.total);
  return std::min(track, std::max(share, thickness(bar) / 2));
}

rect along(const list_scroll_bar& bar, int start, int extent) {
  return bar.vertical ? rect{bar.area.left, start, bar.area.right, start + extent}
                      : rect{start, bar.area.top, start + extent, bar.area.bottom};
}

void draw_button(dc& d, const rect& r, int scale) {
  d.fill_rect(r, brush::solid(get_sys_color(sys_color::button_face)));
  const brush shadow = brush::solid(get_sys_color(sys_color::button_shadow));
  d.fill_rect({r.left, r.top, r.right, r.top + scale}, shadow);
  d.fill_rect({r.left, r.bottom - scale, r.right, r.bottom}, shadow);
  d.fill_rect({r.left, r.top, r.left + scale, r.bottom}, shadow);
  d.fill_rect({r.right - scale, r.top, r.right, r.bottom}, shadow);
}

}  // namespace

rect list_scroll_bar::back_arrow() const {
  return along(*this, vertical ? area.top : area.left, arrow_length(*this));
}

rect list_scroll_bar::forward_arrow() const {
  return along(*this, (vertical ? area.bottom : area.right) - arrow_length(*this), arrow_length(*this));
}

rect list_scroll_bar::thumb() const {
  const int room = track_length(*this) - thumb_length(*this);
  const int offset = max_pos() > 0 ? static_cast<int>(static_cast<long long>(room) * pos / max_pos()) : 0;
  return along(*this, track_start(*this) + offset, thumb_length(*this));
}

scroll_part list_scroll_bar::part_at(point p) const {
  if (!area.contains(p)) return scroll_part::none;
  if (back_arrow().contains(p)) return scroll_part::back_arrow;
  if (forward_arrow().contains(p)) return scroll_part::forward_arrow;
  const rect t = thumb();
  if (max_pos() > 0 && t.contains(p)) return scroll_part::thumb;
  const int at = vertical ? p.y : p.x;
  return at < (vertical ? t.top : t.left) ? scroll_part::back_page : scroll_part::forward_page;
}

int list_scroll_bar::pos_for_thumb_edge(int edge) const {
  const int room = track_length(*this) - thumb_length(*this);
  if (room <= 0 || max_pos() == 0) return 0;
  const long long offset = std::clamp(edge - track_start(*this), 0, room);
  return static_cast<int>((offset * max_pos() + room / 2) / room);
}

void list_scroll_bar::draw(dc& d, int scale) const {
  d.fill_rect(area, brush::solid(get_sys_color(sys_color::scrollbar)));
  const colorref ink = max_pos() > 0 ? get_sys_color(sys_color::button_text) : get_sys_color(sys_color::gray_text);
  draw_button(d, back_arrow(), scale);
  draw_scroll_arrow(d, back_arrow(), vertical, false, scale, ink);
  draw_button(d, forward_arrow(), scale);
  draw_scroll_arrow(d, forward_arrow(), vertical, true, scale, ink);
  if (max_pos() > 0) draw_button(d, thumb(), scale);
}

}  // namespace platform
