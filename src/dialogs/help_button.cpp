#include "dialogs/help_button.h"

#include <algorithm>

#include "dialogs/point_font.h"
#include "dialogs/screen_class.h"
#include "platform/control_state.h"
#include "platform/gdi_sys_color.h"
#include "platform/text_layout.h"

using namespace platform;

lresult_t CHelpButton::WindowProc(std::uint32_t message, wparam_t w, lparam_t l) {
  if (message != wm::paint) return CWnd::WindowProc(message, w, l);
  paint_context pc = begin_paint(m_hWnd);
  const int screen_class = dialogs::current_screen_class();
  const rect client = GetClientRect();
  // A circle as large as the button's shorter side, centred; filled while pressed.
  const int side = std::min(client.width(), client.height());
  const rect circle = rect::from_size({(client.width() - side) / 2, (client.height() - side) / 2}, {side, side});
  const control_state* state = control_state_of(m_hWnd);
  const bool pressed = state != nullptr && state->pressed && state->pressed_inside;
  const colorref ink = get_sys_color(is_window_enabled(m_hWnd) ? sys_color::highlight : sys_color::gray_text);
  dc& hdc = pc.hdc;
  hdc.fill_rect(client, brush::solid(get_sys_color(sys_color::window)));
  const pen old_pen = hdc.select_pen({pen_style_t::solid, dialogs::pixel_scale_of(screen_class), ink});
  const brush old_brush = hdc.select_brush(pressed ? brush::solid(ink) : brush::hollow());
  hdc.round_rect(circle, side, side);
  hdc.select_pen(old_pen);
  hdc.select_brush(old_brush);
  const auto old_font = hdc.select_font(dialogs::point_font(L"Tahoma", 80, 700, screen_class));
  hdc.set_text_color(pressed ? get_sys_color(sys_color::highlight_text) : ink);
  hdc.set_bk_mode(background_mode_t::transparent);
  rect text_box = circle;
  hdc.draw_text(L"?", text_box, dt_center | dt_vcenter | dt_singleline);
  hdc.select_font(old_font);
  end_paint(pc);
  return 0;
}
