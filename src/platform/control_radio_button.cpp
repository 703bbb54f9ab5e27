#include "platform/control_radio_button.h"

#include <algorithm>

#include "platform/control_button_press.h"
#include "platform/dialog_template.h"
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
    const int diameter = std::min(12 * s, client.height());
    const rect mark = rect::from_size({0, (client.height() - diameter) / 2}, {diameter, diameter});
    const bool enabled = is_window_enabled(h);
    const bool down = state->pressed && state->pressed_inside;
    const pen old_pen = d.select_pen({pen_style_t::solid, s, get_sys_color(enabled ? sys_color::window_frame : sys_color::gray_text)});
    const brush old_brush = d.select_brush(brush::solid(get_sys_color(down ? sys_color::button_face : sys_color::window)));
    d.round_rect(mark, diameter, diameter);
    if (state->checked) {
      d.select_pen({pen_style_t::null, 0, 0});
      d.select_brush(brush::solid(get_sys_color(enabled ? sys_color::window_text : sys_color::gray_text)));
      const rect dot = mark.inflate(-3 * s, -3 * s);
      d.round_rect(dot, dot.width(), dot.height());
    }
    d.select_pen(old_pen);
    d.select_brush(old_brush);
    draw_mark_label(d, h, *state, diameter);
  }
  end_paint(pc);
}

void click(hwnd h) {
  for (const hwnd other : radio_group_of(h)) {
    if (other != h) set_button_checked(other, false);
  }
  set_button_checked(h, true);
  notify_clicked(h);
}

lresult_t radio_button_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  return checkable_button_proc(h, message, w, l, paint, click);
}

}  // namespace

void register_radio_button_class() {
  if (find_class(radio_button_class_name) == nullptr) {
    register_class({radio_button_class_name, radio_button_proc, get_sys_color(sys_color::window)});
  }
}

std::vector<hwnd> radio_group_of(hwnd control) {
  const std::vector<hwnd> siblings = children_of(parent_of(control));
  const auto self = std::find(siblings.begin(), siblings.end(), control);
  if (self == siblings.end()) return {control};
  auto first = self;
  while (first != siblings.begin() && (window_style(*first) & dialog_style::group) == 0) --first;
  auto last = self + 1;
  while (last != siblings.end() && (window_style(*last) & dialog_style::group) == 0) ++last;
  std::vector<hwnd> group;
  for (auto it = first; it != last; ++it) {
    if (class_name_of(*it) == radio_button_class_name) group.push_back(*it);
  }
  return group;
}

}  // namespace platform
