#include "platform/window.h"

#include <algorithm>

#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/window_focus.h"
#include "platform/window_paint.h"
#include "platform/window_records.h"

namespace platform {

using detail::find;
using detail::set_window_pos_impl;
using detail::window_record;

namespace {

thread_local std::function<void(hwnd)> create_hook;

bool is_topmost(const window_record& w) { return w.parent == no_window && (w.ex_style & ws_ex::topmost) != 0; }

std::size_t first_not_topmost(const std::vector<hwnd>& level) {
  std::size_t index = 0;
  while (index < level.size() && is_topmost(*find(level[index]))) ++index;
  return index;
}

// Moves the window to its new place among its siblings; returns whether anything changed.
bool place_in_z_order(window_record& w, hwnd insert_after) {
  auto& level = detail::siblings_of(w);
  const auto here = std::find(level.begin(), level.end(), w.handle);
  const std::size_t old_index = static_cast<std::size_t>(here - level.begin());
  const std::uint32_t old_ex_style = w.ex_style;
  level.erase(here);
  const bool top_level = w.parent == no_window;
  std::size_t index = old_index;
  if (insert_after == hwnd_topmost) {
    if (top_level) w.ex_style |= ws_ex::topmost;
    index = 0;
  } else if (insert_after == hwnd_notopmost) {
    w.ex_style &= ~ws_ex::topmost;
    index = first_not_topmost(level);
  } else if (insert_after == hwnd_top) {
    index = is_topmost(w) ? 0 : first_not_topmost(level);
  } else if (insert_after == hwnd_bottom) {
    w.ex_style &= ~ws_ex::topmost;
    index = level.size();
  } else {
    const auto after = std::find(level.begin(), level.end(), insert_after);
    if (after != level.end()) index = static_cast<std::size_t>(after - level.begin()) + 1;
  }
  index = std::min(index, level.size());
  level.insert(level.begin() + static_cast<std::ptrdiff_t>(index), w.handle);
  return index != old_index || w.ex_style != old_ex_style;
}

}  // namespace

bool detail::set_window_pos_impl(hwnd h, hwnd insert_after, int x, int y, int cx, int cy, std::uint32_t flags,
                                 bool may_activate) {
  if (find(h) == nullptr) return false;
  window_pos pos{h, insert_after, x, y, cx, cy, flags};
  send_message(h, wm::windowposchanging, 0, reinterpret_cast<lparam_t>(&pos));
  window_record* w = find(h);
  if (w == nullptr) return false;

  const bool was_visible = detail::visible_with_ancestors(*w);
  const rect old_screen = detail::screen_rect(*w);
  rect moved = w->position;
  if ((pos.flags & swp::nomove) == 0) moved = rect::from_size({pos.x, pos.y}, {moved.width(), moved.height()});
  if ((pos.flags & swp::nosize) == 0) {
    moved.right = moved.left + std::max(0, pos.cx);
    moved.bottom = moved.top + std::max(0, pos.cy);
  }
  bool changed = moved != w->position;
  {
    std::lock_guard lock(detail::windows().table_mutex);
    w->position = moved;
    if ((pos.flags & swp::nozorder) == 0) changed = place_in_z_order(*w, pos.insert_after) || changed;
    if ((pos.flags & swp::showwindow) != 0) w->style |= ws::visible;
    if ((pos.flags & swp::hidewindow) != 0) w->style &= ~ws::visible;
  }
  const bool now_visible = detail::visible_with_ancestors(*w);
  const bool top_level = w->parent == no_window;
  const bool never_active = (w->ex_style & ws_ex::noactivate) != 0;
  changed = changed || was_visible != now_visible;
  if (changed && (pos.flags & swp::noredraw) == 0) {
    region area;
    if (was_visible) area.add(old_screen);
    if (now_visible) area.add(detail::screen_rect(*w));
    detail::expose(area);
  }
  // From here on handlers run and may destroy the window: only its handle is used.
  if (was_visible && !now_visible) detail::activate_after_hiding(h);
  if (may_activate && (pos.flags & swp::noactivate) == 0 && top_level && !never_active && now_visible &&
      is_window(h)) {
    detail::activate(h, wa::active);
  }
  if (find(h) != nullptr) send_message(h, wm::windowposchanged, 0, reinterpret_cast<lparam_t>(&pos));
  return true;
}

namespace {

void send_destroy(hwnd h) {
  window_record* w = find(h);
  if (w == nullptr) return;
  w->destroying = true;
  send_message(h, wm::destroy, 0, 0);
  w = find(h);
  if (w == nullptr) return;
  for (hwnd child : std::vector<hwnd>(w->children)) send_destroy(child);
}

void finish_destroy(hwnd h) {
  window_record* w = find(h);
  if (w == nullptr) return;
  for (hwnd child : std::vector<hwnd>(w->children)) finish_destroy(child);
  send_message(h, wm::ncdestroy, 0, 0);
  detail::forget_focus(h);
  detail::forget_hot_keys(h);
  w = find(h);
  if (w == nullptr) return;
  std::lock_guard lock(detail::windows().table_mutex);
  auto& level = detail::siblings_of(*w);
  level.erase(std::remove(level.begin(), level.end(), h), level.end());
  detail::windows().windows.erase(handle_value(h));
}

hwnd allocate_handle() {
  auto& system = detail::windows();
  // Never 0 (no window) nor the four z-order places; numbers are not reused while they last.
  while (system.next_handle < 2 || system.next_handle >= 0xFFFFFFFEu || system.windows.contains(system.next_handle)) {
    system.next_handle = system.next_handle >= 0xFFFFFFFEu ? 0x00010000 : system.next_handle + 1;
  }
  return hwnd_of(system.next_handle++);
}

}  // namespace

void set_create_hook(std::function<void(hwnd)> hook) { create_hook = std::move(hook); }

hwnd create_window(const window_create& request) {
  const window_class* cls = find_class(request.class_name);
  if (cls == nullptr) return no_window;
  const bool child = (request.style & ws::child) != 0;
  if (child && find(request.parent) == nullptr) return no_window;
  if (!child && request.parent != no_window && find(request.parent) == nullptr) return no_window;

  auto record = std::make_unique<window_record>();
  const hwnd h = allocate_handle();
  record->handle = h;
  record->class_name = cls->name;
  record->background = cls->background;
  record->proc = cls->proc;
  record->parent = child ? request.parent : no_window;
  record->owner = child ? no_window : top_level_of(request.parent);
  record->style = request.style & ~ws::visible;
  record->ex_style = child ? 0 : request.ex_style;
  record->id = request.id;
  record->position = request.position;
  record->text = request.text;
  record->queue = detail::current_queue();
  {
    std::lock_guard lock(detail::windows().table_mutex);
    window_record& w = *record;
    detail::windows().windows.emplace(handle_value(h), std::move(record));
    auto& level = detail::siblings_of(w);
    const std::size_t index = is_topmost(w) ? 0 : child ? 0 : first_not_topmost(level);
    level.insert(level.begin() + static_cast<std::ptrdiff_t>(index), h);
  }
  if (create_hook) {
    auto hook = std::move(create_hook);
    create_hook = nullptr;
    hook(h);
  }
  create_params params{request.param, request.parent, request.style, request.position, request.id};
  if (send_message(h, wm::create, 0, reinterpret_cast<lparam_t>(&params)) == -1) {
    destroy_window(h);
    return no_window;
  }
  if (!is_window(h)) return no_window;
  send_message(h, wm::size, 0, make_lparam(request.position.width(), request.position.height()));
  send_message(h, wm::move, 0, make_lparam(request.position.left, request.position.top));
  if ((request.style & ws::visible) != 0) show_window(h, sw::show);
  return is_window(h) ? h : no_window;
}

bool destroy_window(hwnd h) {
  window_record* w = find(h);
  if (w == nullptr || w->destroying) return false;
  w->destroying = true;
  for (hwnd other : std::vector<hwnd>(detail::windows().top_levels)) {
    const window_record* owned = find(other);
    if (owned != nullptr && owned->owner == h) destroy_window(other);
  }
  if (find(h) != nullptr && (find(h)->style & ws::visible) != 0) {
    set_window_pos_impl(h, hwnd_top, 0, 0, 0, 0,
                        swp::hidewindow | swp::nomove | swp::nosize | swp::nozorder | swp::noactivate, false);
  }
  send_destroy(h);
  finish_destroy(h);
  return true;
}

bool is_window(hwnd h) { return find(h) != nullptr; }

bool show_window(hwnd h, int command) {
  const window_record* w = find(h);
  if (w == nullptr) return false;
  const bool was_visible = (w->style & ws::visible) != 0;
  if (command == sw::hide) {
    if (!was_visible) return false;
    send_message(h, wm::showwindow, 0, 0);
    set_window_pos_impl(h, hwnd_top, 0, 0, 0, 0,
                        swp::hidewindow | swp::nomove | swp::nosize | swp::nozorder | swp::noactivate, true);
    return true;
  }
  if (was_visible) return true;
  send_message(h, wm::showwindow, 1, 0);
  w = find(h);
  if (w == nullptr) return false;
  std::uint32_t flags = swp::showwindow | swp::nomove | swp::nosize;
  const bool in_front = w->parent == no_window && (command == sw::show || command == sw::shownormal);
  if (!in_front) flags |= swp::nozorder | swp::noactivate;
  if ((w->ex_style & ws_ex::noactivate) != 0) flags |= swp::noactivate;
  set_window_pos_impl(h, hwnd_top, 0, 0, 0, 0, flags, true);
  return false;
}

bool set_window_pos(hwnd h, hwnd insert_after, int x, int y, int cx, int cy, std::uint32_t flags) {
  return set_window_pos_impl(h, insert_after, x, y, cx, cy, flags, true);
}

bool move_window(hwnd h, const rect& position, bool repaint) {
  return set_window_pos(h, hwnd_top, position.left, position.top, position.width(), position.height(),
                        swp::nozorder | swp::noactivate | (repaint ? 0 : swp::noredraw));
}

bool bring_window_to_top(hwnd h) { return set_window_pos(h, hwnd_top, 0, 0, 0, 0, swp::nomove | swp::nosize); }

bool is_window_visible(hwnd h) {
  const window_record* w = find(h);
  return w != nullptr && detail::visible_with_ancestors(*w);
}

bool enable_window(hwnd h, bool enable) {
  window_record* w = find(h);
  if (w == nullptr) return false;
  const bool was_disabled = (w->style & ws::disabled) != 0;
  if (was_disabled == !enable) return was_disabled;
  if (enable) {
    w->style &= ~ws::disabled;
  } else {
    w->style |= ws::disabled;
    if (focus_window() == h || is_child_of(h, focus_window())) set_focus(no_window);
    if (capture_window() == h) release_capture();
  }
  send_message(h, wm::enable, enable ? 1 : 0, 0);
  return was_disabled;
}

bool is_window_enabled(hwnd h) {
  const window_record* w = find(h);
  return w != nullptr && (w->style & ws::disabled) == 0;
}

rect window_rect(hwnd h) {
  const window_record* w = find(h);
  return w == nullptr ? rect{} : detail::screen_rect(*w);
}

rect client_rect(hwnd h) {
  const window_record* w = find(h);
  return w == nullptr ? rect{} : rect{0, 0, w->position.width(), w->position.height()};
}

rect position_in_parent(hwnd h) {
  const window_record* w = find(h);
  return w == nullptr ? rect{} : w->position;
}

point client_to_screen(hwnd h, point p) {
  const rect r = window_rect(h);
  return {p.x + r.left, p.y + r.top};
}

point screen_to_client(hwnd h, point p) {
  const rect r = window_rect(h);
  return {p.x - r.left, p.y - r.top};
}

hwnd parent_of(hwnd h) {
  const window_record* w = find(h);
  return w == nullptr ? no_window : w->parent;
}

hwnd owner_of(hwnd h) {
  const window_record* w = find(h);
  return w == nullptr ? no_window : w->owner;
}

hwnd top_level_of(hwnd h) {
  const window_record* w = find(h);
  while (w != nullptr && w->parent != no_window) w = find(w->parent);
  return w == nullptr ? no_window : w->handle;
}

bool is_child_of(hwnd parent, hwnd h) {
  if (parent == no_window) return false;
  for (const window_record* w = find(h); w != nullptr; w = find(w->parent)) {
    if (w->parent == parent) return true;
  }
  return false;
}

std::vector<hwnd> children_of(hwnd h) {
  if (h == no_window) return detail::windows().top_levels;
  const window_record* w = find(h);
  return w == nullptr ? std::vector<hwnd>{} : w->children;
}

hwnd child_by_id(hwnd parent, std::uint32_t id) {
  for (hwnd child : children_of(parent)) {
    if (find(child)->id == id) return child;
  }
  return no_window;
}

std::uint32_t window_id(hwnd h) {
  const window_record* w = find(h);
  return w == nullptr ? 0 : w->id;
}

std::uint32_t window_style(hwnd h) {
  const window_record* w = find(h);
  return w == nullptr ? 0 : w->style;
}

std::uint32_t window_ex_style(hwnd h) {
  const window_record* w = find(h);
  return w == nullptr ? 0 : w->ex_style;
}

std::wstring class_name_of(hwnd h) {
  const window_record* w = find(h);
  return w == nullptr ? std::wstring{} : w->class_name;
}

namespace {

// Searches one level front to back; a disabled child under the point hands it to its parent.
hwnd window_at(const std::vector<hwnd>& level, point p) {
  for (hwnd h : level) {
    const window_record* w = find(h);
    if (w == nullptr || (w->style & ws::visible) == 0 || !w->position.contains(p)) continue;
    if (w->parent != no_window && (w->style & ws::disabled) != 0) return no_window;
    const hwnd below = window_at(w->children, {p.x - w->position.left, p.y - w->position.top});
    return below != no_window ? below : h;
  }
  return no_window;
}

}  // namespace

hwnd window_from_point(point screen) { return window_at(detail::windows().top_levels, screen); }

hwnd find_window(const std::wstring& class_name, const std::wstring& text) {
  for (hwnd h : detail::windows().top_levels) {
    const window_record* w = find(h);
    if ((class_name.empty() || w->class_name == class_name) && (text.empty() || w->text == text)) return h;
  }
  return no_window;
}

bool set_window_text(hwnd h, const std::wstring& text) {
  window_record* w = find(h);
  if (w == nullptr) return false;
  w->text = text;
  return true;
}

std::wstring window_text(hwnd h) {
  const window_record* w = find(h);
  return w == nullptr ? std::wstring{} : w->text;
}

window_proc set_window_proc(hwnd h, window_proc proc) {
  window_record* w = find(h);
  if (w == nullptr) return {};
  std::swap(w->proc, proc);
  return proc;
}

window_proc get_window_proc(hwnd h) {
  const window_record* w = find(h);
  return w == nullptr ? window_proc{} : w->proc;
}

void set_window_data(hwnd h, std::uintptr_t data) {
  if (window_record* w = find(h)) w->data = data;
}

std::uintptr_t window_data(hwnd h) {
  const window_record* w = find(h);
  return w == nullptr ? 0 : w->data;
}

lresult_t def_window_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  switch (message) {
    case wm::activate:
      if (loword(w) != wa::inactive) {
        const hwnd focus = focus_window();
        if (focus != h && !is_child_of(h, focus)) set_focus(h);
      }
      return 0;
    case wm::windowposchanged: {
      const auto* pos = reinterpret_cast<const window_pos*>(l);
      const rect r = position_in_parent(h);
      if ((pos->flags & swp::nomove) == 0) send_message(h, wm::move, 0, make_lparam(r.left, r.top));
      if ((pos->flags & swp::nosize) == 0) send_message(h, wm::size, 0, make_lparam(r.width(), r.height()));
      return 0;
    }
    case wm::erasebkgnd: {
      const window_record* record = find(h);
      if (record == nullptr || !record->background) return 0;
      reinterpret_cast<dc*>(w)->fill_rect(client_rect(h), brush::solid(*record->background));
      return 1;
    }
    case wm::paint:
      end_paint(begin_paint(h));
      return 0;
    case wm::close:
      destroy_window(h);
      return 0;
    default:
      return 0;
  }
}

void broadcast_setting_change(wparam_t w, lparam_t l) {
  for (hwnd h : std::vector<hwnd>(detail::windows().top_levels)) send_message(h, wm::settingchange, w, l);
}

void reset_window_system() {
  while (!detail::windows().top_levels.empty()) {
    const hwnd h = detail::windows().top_levels.front();
    destroy_window(h);
    if (is_window(h)) break;  // a window that refuses to go is dropped below without messages
  }
  auto& system = detail::windows();
  {
    std::lock_guard lock(system.table_mutex);
    system.top_levels.clear();
    system.windows.clear();
  }
  system.classes.clear();
  system.active = system.focus = system.capture = no_window;
  set_create_hook({});
}

}  // namespace platform
