#include "platform/control_check_box.h"

#include <algorithm>

#include "platform/control_button_press.h"
#include "platform/gdi_sys_color.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/window_paint.h"

namespace platform {

namespace {

void paint(hwnd h) {
  paint_context pc = begin_paint(h);
  if (control_state* state = control_state_of(h)) {
    dc& d = pc.hdc;
    const int s = screen_scale();
    const rect client = client_rect(h);
    const int side = std::min(12 * s, client.height());
    const rect box = rect::from_size({0, (client.height() - side) / 2}, {side, side});
    const bool enabled = is_window_enabled(h);
    const bool down = state->pressed && state->pressed_inside;
    const colorref ink = get_sys_color(enabled ? sys_color::window_text : sys_color::gray_text);
    const pen old_pen = d.select_pen({pen_style_t::solid, s, get_sys_color(enabled ? sys_color::window_frame : sys_color::gray_text)});
    const brush old_brush = d.select_brush(brush::solid(get_sys_color(down ? sys_color::button_face : sys_color::window)));
    d.rectangle(box);
    if (state->checked) {
      // The tick: down from the left third to the bottom third, then up to the top right.
      d.select_pen({pen_style_t::solid, 2 * s, ink});
      d.move_to(box.left + side / 4, box.top + side / 2);
      d.line_to(box.left + side * 5 / 12, box.top + side * 3 / 4);
      d.line_to(box.left + side * 3 / 4, box.top + side / 4);
    }
    d.select_pen(old_pen);
    d.select_brush(old_brush);
    draw_mark_label(d, h, *state, side);
  }
  end_paint(pc);
}

void click(hwnd h) {
  set_button_checked(h, !is_button_checked(h));
  notify_clicked(h);
}

lresult_t check_box_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  return checkable_button_proc(h, message, w, l, paint, click);
}

}  // namespace

void register_check_box_class() {
  if (find_class(check_box_class_name) == nullptr) {
    register_class({check_box_class_name, check_box_proc, get_sys_color(sys_color::window)});
  }
}

}  // namespace platform
