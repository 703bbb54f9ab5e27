#include "platform/control_button_press.h"

#include "platform/message_queue.h"
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

bool is_button_checked(hwnd control) { return send_message(control, wm::bm_getcheck, 0, 0) == 1; }

void set_button_checked(hwnd control, bool checked) { send_message(control, wm::bm_setcheck, checked ? 1 : 0, 0); }

}  // namespace platform
