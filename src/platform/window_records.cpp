#include "platform/window_records.h"

#include "platform/screen.h"
#include "platform/window_paint.h"

namespace platform::detail {

window_system& windows() {
  static window_system system;
  return system;
}

window_record* find(hwnd h) {
  auto& table = windows().windows;
  const auto found = table.find(handle_value(h));
  return found == table.end() ? nullptr : found->second.get();
}

std::vector<hwnd>& siblings_of(const window_record& w) {
  if (w.parent != no_window) return find(w.parent)->children;
  return windows().top_levels;
}

rect screen_rect(const window_record& w) {
  rect r = w.position;
  for (const window_record* p = find(w.parent); p != nullptr; p = find(p->parent)) {
    r = r.offset(p->position.left, p->position.top);
  }
  return r;
}

bool visible_with_ancestors(const window_record& w) {
  for (const window_record* p = &w; p != nullptr; p = find(p->parent)) {
    if ((p->style & ws::visible) == 0) return false;
  }
  return true;
}

namespace {

void expose_tree(const std::vector<hwnd>& level, const region& area) {
  for (hwnd h : level) {
    window_record* w = find(h);
    if (w == nullptr || !visible_with_ancestors(*w)) continue;
    region part = visible_region(h);
    region exposed;
    for (const rect& a : area.rects()) {
      region piece = part;
      piece.intersect(a);
      exposed.add(piece);
    }
    if (!exposed.empty()) {
      const rect origin = screen_rect(*w);
      exposed.offset(-origin.left, -origin.top);
      w->update.add(exposed);
      w->erase = true;
    }
    expose_tree(w->children, area);
  }
}

}  // namespace

void expose(const region& screen_area) {
  expose_tree(windows().top_levels, screen_area);
  region desktop = screen_area;
  desktop.intersect(screen_surface().bounds());
  for (hwnd h : windows().top_levels) {
    const window_record* w = find(h);
    if (w != nullptr && (w->style & ws::visible) != 0) desktop.subtract(w->position);
  }
  const std::uint32_t pixel = pixel_of(desktop_colour());
  for (const rect& r : desktop.rects()) screen_surface().fill(r, pixel);
}

namespace {

hwnd first_to_paint(const std::vector<hwnd>& level, const thread_queue* queue, bool inside_filter, hwnd filter) {
  for (hwnd h : level) {
    const window_record* w = find(h);
    if (w == nullptr || (w->style & ws::visible) == 0) continue;
    const bool inside = inside_filter || h == filter;
    if (inside && w->queue.get() == queue && !w->update.empty()) return h;
    const hwnd below = first_to_paint(w->children, queue, inside, filter);
    if (below != no_window) return below;
  }
  return no_window;
}

}  // namespace

hwnd window_to_paint(hwnd filter) {
  return first_to_paint(windows().top_levels, current_queue().get(), filter == no_window, filter);
}

}  // namespace platform::detail
