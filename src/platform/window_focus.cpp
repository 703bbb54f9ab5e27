#include "platform/window_focus.h"

#include "platform/message_queue.h"
#include "platform/window.h"
#include "platform/window_records.h"

namespace platform {

using detail::find;
using detail::windows;

namespace detail {

void activate(hwnd top, std::uint32_t state) {
  const hwnd before = windows().active;
  if (top == before) return;
  if (before != no_window) {
    send_message(before, wm::activate, wa::inactive, lparam_of(top));
    const hwnd focus = windows().focus;
    if (focus != no_window && (focus == before || is_child_of(before, focus))) {
      windows().focus = no_window;
      send_message(focus, wm::killfocus, handle_value(top), 0);
    }
  }
  windows().active = top;
  if (top == no_window) return;
  const bool topmost = (find(top)->ex_style & ws_ex::topmost) != 0;
  bool behind_another = false;
  for (hwnd h : windows().top_levels) {
    if (h == top) break;
    if ((find(h)->style & ws::visible) == 0) continue;
    behind_another = behind_another || topmost || (find(h)->ex_style & ws_ex::topmost) == 0;
  }
  if (behind_another) {
    // The z-order change of an activation: reported without "no activation", but not activating
    // a second time.
    set_window_pos_impl(top, hwnd_top, 0, 0, 0, 0, swp::nomove | swp::nosize, false);
  }
  if (is_window(top)) send_message(top, wm::activate, state, lparam_of(before));
}

void forget_focus(hwnd h) {
  auto& system = windows();
  if (system.active == h) system.active = no_window;
  if (system.focus == h) system.focus = no_window;
  if (system.capture == h) system.capture = no_window;
}

void activate_after_hiding(hwnd h) {
  auto& system = windows();
  if (system.capture == h || is_child_of(h, system.capture)) release_capture();
  if (system.active == h) {
    hwnd next = no_window;
    for (hwnd other : system.top_levels) {
      if (other != h && is_window_visible(other) && is_window_enabled(other) &&
          (window_ex_style(other) & ws_ex::noactivate) == 0) {
        next = other;
        break;
      }
    }
    activate(next, wa::active);
    return;
  }
  if (system.focus != no_window && (system.focus == h || is_child_of(h, system.focus))) set_focus(parent_of(h));
}

}  // namespace detail

hwnd set_active_window(hwnd h, std::uint32_t state) {
  const hwnd before = windows().active;
  const hwnd top = top_level_of(h);
  if (h != no_window && top == no_window) return before;
  detail::activate(top, state);
  return before;
}

hwnd active_window() { return windows().active; }

bool set_foreground_window(hwnd h) {
  const hwnd top = top_level_of(h);
  if (top == no_window) return false;
  if (top != windows().active) {
    detail::activate(top, wa::active);
  } else if (children_of(no_window).front() != top) {
    set_window_pos(top, hwnd_top, 0, 0, 0, 0, swp::nomove | swp::nosize | swp::noactivate | swp::noownerzorder);
  }
  return true;
}

hwnd set_focus(hwnd h) {
  const hwnd before = windows().focus;
  if (h != no_window && !is_window(h)) return before;
  if (h == before) return before;
  if (h != no_window && top_level_of(h) != windows().active) {
    detail::activate(top_level_of(h), wa::active);
    if (windows().focus == h) return before;
  }
  const hwnd losing = windows().focus;
  if (losing != no_window) send_message(losing, wm::killfocus, handle_value(h), 0);
  windows().focus = h;
  if (h != no_window) send_message(h, wm::setfocus, handle_value(losing), 0);
  return before;
}

hwnd focus_window() { return windows().focus; }

hwnd set_capture(hwnd h) {
  const hwnd before = windows().capture;
  if (h != no_window && !is_window(h)) return before;
  windows().capture = h;
  if (before != no_window && before != h) send_message(before, wm::capturechanged, 0, lparam_of(h));
  return before;
}

bool release_capture() {
  const hwnd before = windows().capture;
  windows().capture = no_window;
  if (before != no_window) send_message(before, wm::capturechanged, 0, 0);
  return true;
}

hwnd capture_window() { return windows().capture; }

}  // namespace platform
