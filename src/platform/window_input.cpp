#include "platform/window_input.h"

#include "platform/hot_key.h"
#include "platform/key_state.h"
#include "platform/message_queue.h"
#include "platform/window.h"
#include "platform/window_focus.h"

namespace platform {

void deliver_stylus(stylus_t kind, point screen) {
  set_key_state(vk_stylus, kind != stylus_t::up);
  hwnd target = capture_window();
  if (target == no_window) {
    target = window_from_point(screen);
    if (target == no_window || !is_window_enabled(top_level_of(target))) return;
    const hwnd top = top_level_of(target);
    if (kind == stylus_t::down && top != active_window() && (window_ex_style(top) & ws_ex::noactivate) == 0) {
      set_active_window(target, wa::clickactive);
      if (!is_window(target)) return;
    }
  }
  const std::uint32_t message = kind == stylus_t::down ? wm::lbuttondown
                                : kind == stylus_t::move ? wm::mousemove
                                                         : wm::lbuttonup;
  const wparam_t buttons = kind == stylus_t::up ? 0 : mk_lbutton;
  post_message(target, message, buttons, lparam_of(screen_to_client(target, screen)));
}

void deliver_key(std::uint32_t virtual_key, bool down, std::uint32_t modifiers) {
  const bool was_down = key_is_down(static_cast<int>(virtual_key));
  set_key_state(static_cast<int>(virtual_key), down);
  if (route_hot_key(virtual_key, down, modifiers)) return;
  const hwnd target = focus_window() != no_window ? focus_window() : active_window();
  if (target == no_window) return;
  // lparam: repeat count 1; bit 30 the key was down before; bit 31 it is being released.
  const lparam_t flags = down ? (was_down ? 0x40000001 : 0x00000001) : 0xC0000001;
  post_message(target, down ? wm::keydown : wm::keyup, virtual_key, flags);
}

void deliver_char(wchar_t ch) {
  const hwnd target = focus_window() != no_window ? focus_window() : active_window();
  if (target != no_window) post_message(target, wm::char_, static_cast<wparam_t>(ch), 1);
}

}  // namespace platform
