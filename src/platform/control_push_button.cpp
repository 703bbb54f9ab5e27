#include "platform/control_push_button.h"

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
    const bool down = state->pressed && state->pressed_inside;
    const bool is_default = (window_style(h) & bs::defpushbutton) != 0;
    const rect box = client_rect(h);
    const pen old_pen = d.select_pen({pen_style_t::solid, (is_default ? 2 : 1) * s, get_sys_color(sys_color::window_frame)});
    const brush old_brush = d.select_brush(brush::solid(get_sys_color(down ? sys_color::highlight : sys_color::button_face)));
    d.round_rect(box, 6 * s, 6 * s);
    d.select_pen(old_pen);
    d.select_brush(old_brush);
    d.select_font(state->font_to_draw_with());
    d.set_bk_mode(background_mode_t::transparent);
    int colour = down ? sys_color::highlight_text : sys_color::button_text;
    if (!is_window_enabled(h)) colour = sys_color::gray_text;
    d.set_text_color(get_sys_color(colour));
    rect label = box;
    d.draw_text(window_text(h), label, dt_center | dt_vcenter | dt_singleline | dt_noprefix);
    if (focus_window() == h) d.draw_focus_rect(box.inflate(-3 * s, -3 * s));
  }
  end_paint(pc);
}

lresult_t push_button_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  control_state* state = control_state_of(h);
  if (state != nullptr && track_button_press(h, *state, message, l, notify_clicked)) return 0;
  switch (message) {
    case wm::paint:
      paint(h);
      return 0;
    case wm::bm_click:
      if (is_window_enabled(h)) notify_clicked(h);
      return 0;
    default:
      return control_default_proc(h, message, w, l);
  }
}

}  // namespace

void register_push_button_class() {
  if (find_class(push_button_class_name) == nullptr) {
    register_class({push_button_class_name, push_button_proc, get_sys_color(sys_color::window)});
  }
}

}  // namespace platform
