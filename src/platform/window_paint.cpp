#include "platform/window_paint.h"

#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "platform/window_records.h"

namespace platform {

using detail::find;
using detail::window_record;

region visible_region(hwnd h) {
  const window_record* w = find(h);
  if (w == nullptr || !detail::visible_with_ancestors(*w)) return {};
  region visible(detail::screen_rect(*w));
  visible.intersect(screen_surface().bounds());
  // Each ancestor's client area bounds it; the visible siblings in front of it and of every
  // ancestor cover it.
  for (const window_record* level = w; level != nullptr; level = find(level->parent)) {
    if (level != w) visible.intersect(detail::screen_rect(*level));
    for (hwnd sibling : detail::siblings_of(*level)) {
      if (sibling == level->handle) break;
      const window_record* s = find(sibling);
      if ((s->style & ws::visible) != 0) visible.subtract(detail::screen_rect(*s));
    }
  }
  for (hwnd child : w->children) {
    const window_record* c = find(child);
    if ((c->style & ws::visible) != 0) visible.subtract(detail::screen_rect(*c));
  }
  return visible;
}

bool invalidate_rect(hwnd h, const std::optional<rect>& area, bool erase) {
  window_record* w = find(h);
  if (w == nullptr) return false;
  const rect client{0, 0, w->position.width(), w->position.height()};
  const rect part = area ? area->intersect(client) : client;
  if (part.empty()) return true;
  w->update.add(part);
  w->erase = w->erase || erase;
  return true;
}

bool validate_rect(hwnd h, const std::optional<rect>& area) {
  window_record* w = find(h);
  if (w == nullptr) return false;
  if (area) {
    w->update.subtract(*area);
  } else {
    w->update = region();
  }
  if (w->update.empty()) w->erase = false;
  return true;
}

rect update_rect(hwnd h) {
  const window_record* w = find(h);
  return w == nullptr ? rect{} : w->update.bounds();
}

void update_window(hwnd h) {
  const window_record* w = find(h);
  if (w == nullptr || w->update.empty() || !detail::visible_with_ancestors(*w)) return;
  send_message(h, wm::paint, 0, 0);
}

dc window_dc(hwnd h) {
  const rect r = window_rect(h);
  return dc(screen_surface(), {r.left, r.top}, visible_region(h));
}

paint_context begin_paint(hwnd h) {
  paint_context paint;
  window_record* w = find(h);
  if (w == nullptr) return paint;
  paint.window = h;
  region update = w->update;
  const bool erase = w->erase;
  w->update = region();
  w->erase = false;
  paint.paint_rect = update.bounds();
  // The clip: the visible part of the update region, in screen coordinates.
  const rect origin = detail::screen_rect(*w);
  update.offset(origin.left, origin.top);
  const region visible = visible_region(h);
  region clip;
  for (const rect& r : update.rects()) {
    region piece = visible;
    piece.intersect(r);
    clip.add(piece);
  }
  paint.hdc = dc(screen_surface(), {origin.left, origin.top}, clip);
  if (erase) paint.erase = send_message(h, wm::erasebkgnd, reinterpret_cast<wparam_t>(&paint.hdc), 0) == 0;
  return paint;
}

void end_paint(const paint_context&) {}

}  // namespace platform
