#include "platform/views_scroll_bar.h"

#include <algorithm>

#include "platform/gdi_sys_color.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/window_paint.h"

namespace platform {

void views_scroll_bar::set(const rect& area, int lines, int page) {
  area_ = area;
  lines_ = std::max(lines, 0);
  page_ = std::max(page, 1);
  scroll_to(position_);
}

bool views_scroll_bar::scroll_to(int position) {
  const int clamped = std::clamp(position, 0, max_position());
  if (clamped == position_) return false;
  position_ = clamped;
  return true;
}

bool views_scroll_bar::scroll_into_view(int line) {
  if (line < position_) return scroll_to(line);
  if (line >= position_ + page_) return scroll_to(line - page_ + 1);
  return false;
}

rect views_scroll_bar::up_arrow() const {
  const int side = std::min(area_.width(), area_.height() / 2);
  return {area_.left, area_.top, area_.right, area_.top + side};
}

rect views_scroll_bar::down_arrow() const {
  const int side = std::min(area_.width(), area_.height() / 2);
  return {area_.left, area_.bottom - side, area_.right, area_.bottom};
}

rect views_scroll_bar::track() const { return {area_.left, up_arrow().bottom, area_.right, down_arrow().top}; }

rect views_scroll_bar::thumb() const {
  const rect t = track();
  if (lines_ <= 0 || t.height() <= 0) return {};
  const int height = std::clamp(t.height() * page_ / std::max(lines_, 1), std::min(area_.width(), t.height()), t.height());
  const int range = max_position();
  const int top = range > 0 ? t.top + (t.height() - height) * position_ / range : t.top;
  return {t.left, top, t.right, top + height};
}

bool views_scroll_bar::stylus_down(point p) {
  if (!shown() || !area_.contains(p)) return false;
  if (up_arrow().contains(p)) return scroll_to(position_ - 1);
  if (down_arrow().contains(p)) return scroll_to(position_ + 1);
  const rect th = thumb();
  if (th.contains(p)) {
    dragging_ = true;
    drag_grip_ = p.y - th.top;
    return false;
  }
  return scroll_to(p.y < th.top ? position_ - page_ : position_ + page_);
}

bool views_scroll_bar::stylus_move(point p) {
  if (!dragging_) return false;
  const rect t = track();
  const rect th = thumb();
  const int free_height = t.height() - th.height();
  if (free_height <= 0) return false;
  const int offset = std::clamp(p.y - drag_grip_ - t.top, 0, free_height);
  // Rounded to the nearest line.
  return scroll_to((offset * max_position() + free_height / 2) / free_height);
}

void views_scroll_bar::draw(dc& d) const {
  if (!shown()) return;
  d.fill_rect(area_, brush::solid(get_sys_color(sys_color::scrollbar)));
  const colorref frame = get_sys_color(sys_color::window_frame);
  const pen old_pen = d.select_pen({pen_style_t::solid, 1, frame});
  const brush old_brush = d.select_brush(brush::solid(get_sys_color(sys_color::button_face)));
  d.rectangle(up_arrow());
  d.rectangle(down_arrow());
  d.rectangle(thumb());
  // Arrow heads: small triangles of horizontal lines.
  const auto head = [&](const rect& r, bool up) {
    const int cx = (r.left + r.right) / 2;
    const int half = std::max(r.width() / 4, 2);
    const int top = (r.top + r.bottom) / 2 - half / 2;
    for (int i = 0; i < half; ++i) {
      const int y = up ? top + i : top + half - 1 - i;
      d.move_to(cx - i, y);
      d.line_to(cx + i + 1, y);
    }
  };
  head(up_arrow(), true);
  head(down_arrow(), false);
  d.select_pen(old_pen);
  d.select_brush(old_brush);
}

bool views_scroll_bar::follow_stylus(hwnd control, std::uint32_t message, lparam_t l, bool& on_bar) {
  switch (message) {
    case wm::mousemove:
      if (on_bar && stylus_move(point_of(l))) invalidate_rect(control, std::nullopt, false);
      return true;
    case wm::lbuttonup:
      if (on_bar) {
        on_bar = false;
        stylus_up();
        if (capture_window() == control) release_capture();
      }
      return true;
    case wm::capturechanged:
      on_bar = false;
      stylus_up();
      return true;
    default:
      return false;
  }
}

}  // namespace platform
