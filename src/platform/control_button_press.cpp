#include "platform/control_button_press.h"

#include <algorithm>

#include "platform/gdi_sys_color.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/window_paint.h"

namespace platform {

void notify_clicked(hwnd control) {
  const hwnd parent = parent_of(control);
  if (parent == no_window) return;
  send_message(parent, wm::command, make_long(static_cast<int>(window_id(control)), static_cast<int>(bn_clicked)),
               lparam_of(control));
}

bool track_button_press(hwnd control, control_state& state, std::uint32_t message, lparam_t l,
                        void (*click)(hwnd)) {
  switch (message) {
    case wm::lbuttondown:
      set_focus(control);
      set_capture(control);
      state.pressed = true;
      state.pressed_inside = true;
      invalidate_rect(control, std::nullopt, true);
      return true;
    case wm::mousemove:
      if (state.pressed) {
        const bool inside = client_rect(control).contains(point_of(l));
        if (inside != state.pressed_inside) {
          state.pressed_inside = inside;
          invalidate_rect(control, std::nullopt, true);
        }
      }
      return true;
    case wm::lbuttonup: {
      const bool clicked = state.pressed && client_rect(control).contains(point_of(l));
      if (capture_window() == control) release_capture();
      state.pressed = false;
      state.pressed_inside = false;
      invalidate_rect(control, std::nullopt, true);
      if (clicked) click(control);
      return true;
    }
    case wm::capturechanged:
      if (state.pressed) {
        state.pressed = false;
        state.pressed_inside = false;
        invalidate_rect(control, std::nullopt, true);
      }
      return true;
    default:
      return false;
  }
}

lresult_t checkable_button_proc(hwnd control, std::uint32_t message, wparam_t w, lparam_t l, void (*paint)(hwnd),
                                void (*click)(hwnd)) {
  control_state* state = control_state_of(control);
  if (state != nullptr && track_button_press(control, *state, message, l, click)) return 0;
  switch (message) {
    case wm::paint:
      paint(control);
      return 0;
    case wm::bm_getcheck:
      return state != nullptr && state->checked ? 1 : 0;
    case wm::bm_setcheck:
      if (state != nullptr && state->checked != (w == 1)) {
        state->checked = w == 1;
        invalidate_rect(control, std::nullopt, true);
      }
      return 0;
    case wm::bm_click:
      if (is_window_enabled(control)) click(control);
      return 0;
    default:
      return control_default_proc(control, message, w, l);
  }
}

void draw_mark_label(dc& d, hwnd control, control_state& state, int mark_width) {
  const int s = screen_scale();
  const rect client = client_rect(control);
  d.select_font(state.font_to_draw_with());
  d.set_bk_mode(background_mode_t::transparent);
  d.set_text_color(get_sys_color(is_window_enabled(control) ? sys_color::window_text : sys_color::gray_text));
  rect label{mark_width + 4 * s, 0, client.right, client.bottom};
  d.draw_text(window_text(control), label, dt_left | dt_vcenter | dt_singleline | dt_noprefix);
  if (focus_window() == control) {
    rect needed = label;
    d.draw_text(window_text(control), needed, dt_left | dt_singleline | dt_noprefix | dt_calcrect);
    const int top = (client.height() - needed.height()) / 2;
    d.draw_focus_rect(
        rect{label.left - s, top - s, std::min(needed.right + 2 * s, client.right), top + needed.height() + s});
  }
}

bool is_button_checked(hwnd control) { return send_message(control, wm::bm_getcheck, 0, 0) == 1; }

void set_button_checked(hwnd control, bool checked) { send_message(control, wm::bm_setcheck, checked ? 1 : 0, 0); }

}  // namespace platform
