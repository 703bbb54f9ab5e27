#include "platform/menu_popup.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "platform/font.h"
#include "platform/gdi_sys_color.h"
#include "platform/hardware_key_names.h"
#include "platform/key_state.h"
#include "platform/message_loop.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/window_paint.h"

namespace platform {

namespace {

constexpr std::uint32_t vk_return = 0x0D;
constexpr std::uint32_t vk_escape = 0x1B;

struct popup_state {
  menu* items = nullptr;
  std::shared_ptr<const font> text_font;
  int scale = 1;
  std::vector<rect> rects;  // each item's place in client coordinates
  int selected = -1;
  bool done = false;
  std::uint32_t chosen = 0;
  bool dismissed = false;  // touched outside: closes when the stylus is lifted
};

int check_column(int s) { return 16 * s; }

// Places the items one under the other and returns the popup's rectangle on the screen.
rect lay_out(popup_state& st, point at, std::uint32_t flags) {
  const int s = st.scale;
  const int item_height = st.text_font->metrics().height + 7 * s;
  const int separator_height = 7 * s;
  int width = 0;
  for (const menu_item& item : st.items->items()) {
    if (!item.is_separator()) {
      rect need{0, 0, 0, 0};
      const text_layout layout = lay_out_text(item.text, need, dt_singleline, *st.text_font);
      width = std::max(width, layout.extent.width());
    }
  }
  width += check_column(s) + 12 * s + 2;
  const size screen = screen_size();
  width = std::min(width, screen.cx);
  int y = 1;
  st.rects.clear();
  for (const menu_item& item : st.items->items()) {
    const int h = item.is_separator() ? separator_height : item_height;
    st.rects.push_back({1, y, width - 1, y + h});
    y += h;
  }
  const int height = std::min(y + 1, screen.cy);
  int left = at.x;
  int top = (flags & tpm::bottomalign) != 0 ? at.y - height : at.y;
  left = std::clamp(left, 0, std::max(0, screen.cx - width));
  top = std::clamp(top, 0, std::max(0, screen.cy - height));
  return rect::from_size({left, top}, {width, height});
}

// A tick in an 8 x 8 cell of scale-sized pixels, its stroke two of them thick.
void draw_check(dc& d, point cell, int s, colorref colour) {
  const brush ink = brush::solid(colour);
  for (int u = 0; u < 8; ++u) {
    const int v = u <= 2 ? 3 + u : 5 - (u - 2);
    d.fill_rect(rect::from_size({cell.x + u * s, cell.y + v * s}, {s, 2 * s}), ink);
  }
}

void paint(hwnd h, const popup_state& st) {
  paint_context pc = begin_paint(h);
  dc& d = pc.hdc;
  const int s = st.scale;
  const rect client = client_rect(h);
  d.fill_rect(client, brush::solid(get_sys_color(sys_color::menu)));
  const pen old_pen = d.select_pen({pen_style_t::solid, 1, get_sys_color(sys_color::window_frame)});
  const brush old_brush = d.select_brush(brush::hollow());
  d.rectangle(client);
  d.select_font(st.text_font);
  d.set_bk_mode(background_mode_t::transparent);
  for (std::size_t i = 0; i < st.rects.size(); ++i) {
    const menu_item& item = st.items->item(static_cast<int>(i));
    const rect r = st.rects[i];
    if (item.is_separator()) {
      const int middle = (r.top + r.bottom) / 2;
      d.fill_rect({r.left + 2 * s, middle, r.right - 2 * s, middle + s},
                  brush::solid(get_sys_color(sys_color::button_shadow)));
      continue;
    }
    const bool selected = static_cast<int>(i) == st.selected;
    if (selected) d.fill_rect(r, brush::solid(get_sys_color(sys_color::highlight)));
    const colorref ink = (item.flags & mf::grayed) != 0 ? get_sys_color(sys_color::gray_text)
                         : selected                     ? get_sys_color(sys_color::highlight_text)
                                                        : get_sys_color(sys_color::menu_text);
    if ((item.flags & mf::checked) != 0) {
      draw_check(d, {r.left + (check_column(s) - 8 * s) / 2, r.top + (r.height() - 8 * s) / 2}, s, ink);
    }
    d.set_text_color(ink);
    rect text{r.left + check_column(s), r.top, r.right - 4 * s, r.bottom};
    d.draw_text(item.text, text, dt_left | dt_vcenter | dt_singleline);
  }
  d.select_pen(old_pen);
  d.select_brush(old_brush);
  end_paint(pc);
}

lresult_t popup_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::create) {
    set_window_data(h, reinterpret_cast<std::uintptr_t>(reinterpret_cast<const create_params*>(l)->param));
    return 0;
  }
  const auto* st = reinterpret_cast<const popup_state*>(window_data(h));
  if (message == wm::paint && st != nullptr) {
    paint(h, *st);
    return 0;
  }
  return def_window_proc(h, message, w, l);
}

void select(hwnd h, popup_state& st, int index) {
  if (index == st.selected) return;
  st.selected = index;
  invalidate_rect(h, std::nullopt, false);
}

// The item under a client point that can be picked, or -1.
int command_at(const popup_state& st, point p) {
  for (std::size_t i = 0; i < st.rects.size(); ++i) {
    if (st.rects[i].contains(p)) return st.items->item(static_cast<int>(i)).is_command() ? static_cast<int>(i) : -1;
  }
  return -1;
}

void pick(popup_state& st, int index) {
  st.done = true;
  st.chosen = index >= 0 ? st.items->item(index).id : 0;
}

// Up and Down go round the items that can be picked.
void step(hwnd h, popup_state& st, int direction) {
  const int n = st.items->count();
  int at = st.selected;
  for (int tries = 0; tries < n; ++tries) {
    at = at < 0 ? (direction > 0 ? 0 : n - 1) : (at + direction + n) % n;
    if (st.items->item(at).is_command()) {
      select(h, st, at);
      return;
    }
  }
}

void on_key(hwnd h, popup_state& st, wparam_t key) {
  if (st.dismissed) return;
  if (key == vk_nav_up) {
    step(h, st, -1);
  } else if (key == vk_nav_down) {
    step(h, st, +1);
  } else if (key == vk_nav_select || key == vk_return) {
    if (st.selected >= 0) pick(st, st.selected);
  } else if (key == vk_escape) {
    pick(st, -1);
  }
}

void on_stylus(hwnd h, popup_state& st, const msg& m) {
  point p = point_of(m.lparam);
  if (m.window != h) p = screen_to_client(h, client_to_screen(m.window, p));
  const bool inside = client_rect(h).contains(p);
  switch (m.message) {
    case wm::lbuttondown:
      if (!inside) {
        // A touch outside closes the popup and goes no further: neither it nor its lift reaches
        // the window under it.
        select(h, st, -1);
        st.dismissed = true;
        if (!key_is_down(vk_stylus)) pick(st, -1);
        return;
      }
      select(h, st, command_at(st, p));
      return;
    case wm::mousemove:
      if (!st.dismissed) select(h, st, command_at(st, p));
      return;
    case wm::lbuttonup:
      if (st.dismissed) {
        pick(st, -1);
      } else if (inside && command_at(st, p) >= 0) {
        pick(st, command_at(st, p));
      }
      return;
    default:
      return;
  }
}

}  // namespace

std::uint32_t track_popup_menu(menu& popup, std::uint32_t flags, point at, hwnd owner, int position) {
  const wparam_t loop_kind = (flags & tpm::from_menu_bar) != 0 ? 0 : 1;
  send_message(owner, wm::entermenuloop, loop_kind, 0);
  send_message(owner, wm::initmenupopup, reinterpret_cast<wparam_t>(&popup), position);
  popup_state st;
  st.items = &popup;
  st.scale = screen_scale();
  st.text_font = font::create({L"Tahoma", -11 * st.scale, 400});
  hwnd h = no_window;
  if (popup.count() > 0) {
    if (find_class(popup_menu_class) == nullptr) register_class({popup_menu_class, popup_proc, std::nullopt});
    const rect place = lay_out(st, at, flags);
    h = create_window({popup_menu_class, L"", ws::popup | ws::visible, ws_ex::topmost | ws_ex::noactivate, place,
                       top_level_of(owner), 0, &st});
  }
  if (h != no_window) {
    set_capture(h);
    while (!st.done) {
      msg m;
      if (!get_message(m, no_window, 0, 0)) {
        post_quit_message(static_cast<int>(m.wparam));
        break;
      }
      // The keys and the stylus belong to the popup while it is open, whoever they were sent to.
      if (m.message >= wm::keyfirst && m.message <= wm::keylast) {
        if (m.message == wm::keydown) on_key(h, st, m.wparam);
        continue;
      }
      if (m.message >= wm::mousefirst && m.message <= wm::mouselast) {
        if (is_window(m.window)) on_stylus(h, st, m);
        continue;
      }
      if (!filter_message(m)) dispatch_message(m);
      // Destroyed, or another window took the stylus (a cancel): closed without a command.
      if (!is_window(h) || capture_window() != h) break;
    }
    if (is_window(h)) {
      if (capture_window() == h) release_capture();
      set_window_data(h, 0);
      destroy_window(h);
    }
  }
  send_message(owner, wm::exitmenuloop, loop_kind, 0);
  if (st.done && st.chosen != 0 && (flags & tpm::returncmd) == 0) post_message(owner, wm::command, st.chosen, 0);
  return st.done ? st.chosen : 0;
}

}  // namespace platform
