#include "platform/control_static.h"

#include "platform/control_state.h"
#include "platform/gdi_sys_color.h"
#include "platform/window.h"
#include "platform/window_paint.h"

namespace platform {

namespace {

void paint(hwnd h) {
  paint_context pc = begin_paint(h);
  if (control_state* state = control_state_of(h)) {
    dc& d = pc.hdc;
    const std::uint32_t style = window_style(h);
    unsigned align = dt_left;
    if ((style & 0x3) == ss::center) align = dt_center;
    if ((style & 0x3) == ss::right) align = dt_right;
    d.select_font(state->font_to_draw_with());
    d.set_bk_mode(background_mode_t::transparent);
    d.set_text_color(get_sys_color(is_window_enabled(h) ? sys_color::window_text : sys_color::gray_text));
    rect area = client_rect(h);
    d.draw_text(window_text(h), area, align | dt_wordbreak | dt_noprefix);
  }
  end_paint(pc);
}

lresult_t static_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::paint) {
    paint(h);
    return 0;
  }
  return control_default_proc(h, message, w, l);
}

}  // namespace

void register_static_class() {
  if (find_class(static_class_name) == nullptr) {
    register_class({static_class_name, static_proc, get_sys_color(sys_color::window)});
  }
}

}  // namespace platform
