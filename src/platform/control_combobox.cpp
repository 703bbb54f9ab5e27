#include "platform/control_combobox.h"

#include <algorithm>
#include <optional>

#include "platform/control_list_private.h"
#include "platform/dialog_messages.h"
#include "platform/gdi_sys_color.h"
#include "platform/hardware_key_names.h"
#include "platform/message_loop.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/views_look.h"
#include "platform/window_focus.h"
#include "platform/window_paint.h"

namespace platform {

namespace {

constexpr std::uint32_t vk_return = 0x0D;
constexpr std::uint32_t vk_escape = 0x1B;

struct combo_state {
  views_look look;
  hwnd list = no_window;
  int drop_height = 0;  // the dropped list's height asked for at creation or the last resize
  bool open = false;
  int selected_before = -1;  // the selection when the list opened
};

combo_state* state_of(hwnd h) { return reinterpret_cast<combo_state*>(window_data(h)); }

int field_height(const combo_state& st) { return st.look.text_font->metrics().height + 3 * st.look.pad; }

// The drop-down's messages that the list answers, and the list's own numbers for them.
std::optional<std::uint32_t> list_message(std::uint32_t message) {
  switch (message) {
    case cb::addstring: return lb::addstring;
    case cb::deletestring: return lb::deletestring;
    case cb::getcount: return lb::getcount;
    case cb::getcursel: return lb::getcursel;
    case cb::getlbtext: return lb::gettext;
    case cb::getlbtextlen: return lb::gettextlen;
    case cb::insertstring: return lb::insertstring;
    case cb::resetcontent: return lb::resetcontent;
    case cb::setcursel: return lb::setcursel;
    case cb::getitemdata: return lb::getitemdata;
    case cb::setitemdata: return lb::setitemdata;
    case cb::findstringexact: return lb::findstringexact;
    case cb::gethorizontalextent: return lb::gethorizontalextent;
    case cb::sethorizontalextent: return lb::sethorizontalextent;
    default: return std::nullopt;
  }
}

int selection(const combo_state& st) { return static_cast<int>(send_message(st.list, lb::getcursel, 0, 0)); }

void notify(hwnd h, std::uint32_t code) {
  const hwnd parent = parent_of(h);
  if (parent != no_window) {
    send_message(parent, wm::command, make_long(static_cast<int>(window_id(h)), static_cast<int>(code)), lparam_of(h));
  }
}

// Where the dropped list goes: under the field, or above it when it fits better there; as many
// whole lines as the height asked for holds (at least one), at most as many as there are.
rect drop_place(hwnd h, const combo_state& st) {
  const rect field = window_rect(h);
  const int line = static_cast<int>(send_message(st.list, lb::getitemheight, 0, 0));
  const int lines = std::max(1, static_cast<int>(send_message(st.list, lb::getcount, 0, 0)));
  const int whole_lines = std::clamp((st.drop_height - 2) / std::max(line, 1), 1, lines);
  int height = whole_lines * line + 2;  // whole lines inside the frame
  const int screen_height = screen_size().cy;
  const int below = screen_height - field.bottom;
  if (height > below && field.top > below) {
    height = std::min(height, field.top);
    return {field.left, field.top - height, field.right, field.top};
  }
  return {field.left, field.bottom, field.right, field.bottom + std::min(height, std::max(below, 0))};
}

void open(hwnd h, combo_state& st) {
  if (st.open || !is_window_enabled(h)) return;
  notify(h, cbn::dropdown);
  if (!is_window(h)) return;
  const rect place = drop_place(h, st);
  set_window_pos(st.list, hwnd_top, place.left, place.top, place.width(), place.height(),
                 swp::showwindow | swp::noactivate);
  st.selected_before = selection(st);
  send_message(st.list, lb::setcursel, static_cast<wparam_t>(st.selected_before), 0);  // into view
  st.open = true;
  set_capture(st.list);
  invalidate_rect(h, std::nullopt, false);
}

void close(hwnd h, combo_state& st, bool chosen) {
  if (!st.open) return;
  st.open = false;
  if (capture_window() == st.list) release_capture();
  show_window(st.list, sw::hide);
  if (!chosen) send_message(st.list, lb::setcursel, static_cast<wparam_t>(st.selected_before), 0);
  const bool changed = chosen && selection(st) != st.selected_before;
  invalidate_rect(h, std::nullopt, false);
  notify(h, chosen ? cbn::selendok : cbn::selendcancel);
  notify(h, cbn::closeup);
  if (changed) notify(h, cbn::selchange);
}

void move_selection(combo_state& st, int step) {
  const int count = static_cast<int>(send_message(st.list, lb::getcount, 0, 0));
  if (count == 0) return;
  const int at = selection(st);
  const int next = at < 0 ? 0 : std::clamp(at + step, 0, count - 1);
  if (next != at) send_message(st.list, lb::setcursel, static_cast<wparam_t>(next), 0);
}

void on_key(hwnd h, combo_state& st, wparam_t key) {
  if (st.open) {
    if (key == vk_nav_up) move_selection(st, -1);
    else if (key == vk_nav_down) move_selection(st, +1);
    else if (key == vk_nav_select || key == vk_return) close(h, st, true);
    else if (key == vk_escape) close(h, st, false);
    return;
  }
  if (key != vk_nav_up && key != vk_nav_down) return;
  const int before = selection(st);
  move_selection(st, key == vk_nav_up ? -1 : +1);
  if (selection(st) != before) {
    invalidate_rect(h, std::nullopt, false);
    notify(h, cbn::selchange);
  }
}

// A triangle pointing down, centred in the cell.
void draw_down_arrow(dc& d, const rect& cell, int scale, colorref colour) {
  const brush ink = brush::solid(colour);
  const int rows = 4 * scale;
  const int cx = (cell.left + cell.right) / 2;
  const int top = (cell.top + cell.bottom) / 2 - rows / 2;
  for (int i = 0; i < rows; ++i) {
    const int half = rows - 1 - i;
    d.fill_rect({cx - half - 1, top + i, cx + half, top + i + 1}, ink);
  }
}

void paint(hwnd h, const combo_state& st) {
  paint_context pc = begin_paint(h);
  dc& d = pc.hdc;
  const views_look& look = st.look;
  const rect client = client_rect(h);
  const bool enabled = is_window_enabled(h);
  const bool focused = focus_window() == h;
  d.fill_rect(client, brush::solid(get_sys_color(enabled ? sys_color::window : sys_color::button_face)));
  const rect button{client.right - 1 - look.scroll_width, client.top + 1, client.right - 1, client.bottom - 1};
  d.fill_rect(button, brush::solid(get_sys_color(st.open ? sys_color::button_shadow : sys_color::button_face)));
  d.fill_rect({button.left - 1, button.top, button.left, button.bottom},
              brush::solid(get_sys_color(sys_color::window_frame)));
  draw_down_arrow(d, button, look.scale,
                  get_sys_color(enabled ? (st.open ? sys_color::highlight_text : sys_color::button_text)
                                        : sys_color::gray_text));
  rect text_area{client.left + 1 + look.pad, client.top + 1 + look.pad, button.left - 1 - look.pad,
                 client.bottom - 1 - look.pad};
  const bool marked = enabled && focused && !st.open;
  if (marked) d.fill_rect(text_area, brush::solid(get_sys_color(sys_color::highlight)));
  d.select_font(look.text_font);
  d.set_bk_mode(background_mode_t::transparent);
  d.set_text_color(get_sys_color(!enabled ? sys_color::gray_text
                                 : marked ? sys_color::highlight_text
                                          : sys_color::window_text));
  rect text{text_area.left + look.pad, text_area.top, text_area.right - look.pad, text_area.bottom};
  d.draw_text(listbox_text(st.list, selection(st)), text, dt_left | dt_vcenter | dt_singleline | dt_noprefix);
  draw_views_frame(d, client);
  end_paint(pc);
}

lresult_t combo_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::create) {
    const auto* params = reinterpret_cast<const create_params*>(l);
    auto* st = new combo_state;
    st->look = views_look::current();
    set_window_data(h, reinterpret_cast<std::uintptr_t>(st));
    std::uint32_t list_style = ws::popup | (params->style & (lbs::vscroll | lbs::hscroll));
    if ((params->style & cbs::sort) != 0) list_style |= lbs::sort;
    const rect field = params->position;
    st->list = create_window({listbox_class, L"", list_style, ws_ex::topmost | ws_ex::noactivate,
                              {0, 0, field.width(), 1}, h, params->id});
    if (st->list == no_window) return -1;
    send_message(st->list, list_private::set_notify_target, static_cast<wparam_t>(handle_value(h)), 0);
    st->drop_height = std::max(0, field.height() - field_height(*st));
    set_window_pos(h, hwnd_top, 0, 0, field.width(), std::min(field.height(), field_height(*st)),
                   swp::nomove | swp::nozorder | swp::noactivate);
    return 0;
  }
  combo_state* st = state_of(h);
  if (st == nullptr) return def_window_proc(h, message, w, l);
  if (const auto forwarded = list_message(message)) {
    const lresult_t answer = send_message(st->list, *forwarded, w, l);
    if (message != cb::getcount && message != cb::getlbtext && message != cb::getlbtextlen &&
        message != cb::getitemdata && message != cb::getcursel) {
      invalidate_rect(h, std::nullopt, false);
    }
    return answer;
  }
  switch (message) {
    case wm::destroy:
      if (st->open) close(h, *st, false);
      destroy_window(st->list);
      return def_window_proc(h, message, w, l);
    case wm::ncdestroy:
      set_window_data(h, 0);
      delete st;
      return def_window_proc(h, message, w, l);
    case wm::windowposchanging: {
      auto* pos = reinterpret_cast<window_pos*>(l);
      if ((pos->flags & swp::nosize) == 0 && pos->cy > field_height(*st)) {
        st->drop_height = pos->cy - field_height(*st);
        pos->cy = field_height(*st);
      }
      return def_window_proc(h, message, w, l);
    }
    case wm::paint:
      paint(h, *st);
      return 0;
    case wm::erasebkgnd:
      return 1;
    case wm::lbuttondown:
      if (is_window_enabled(h) && !st->open) {
        set_focus(h);
        run_drop_down(h);
      }
      return 0;
    case wm::keydown:
      on_key(h, *st, w);
      return 0;
    case wm::setfocus:
    case wm::enable:
      invalidate_rect(h, std::nullopt, false);
      return def_window_proc(h, message, w, l);
    case wm::killfocus:
      close(h, *st, false);
      invalidate_rect(h, std::nullopt, false);
      return def_window_proc(h, message, w, l);
    case wm::command:
      if (hwnd_of_param(static_cast<std::uintptr_t>(l)) == st->list) {
        if (hiword(w) == list_private::popup_pick) close(h, *st, true);
        if (hiword(w) == list_private::popup_cancel) close(h, *st, false);
      }
      return 0;
    // Closed, the drop-down keeps Up and Down in a dialog; open, every key.
    case wm::getdlgcode:
      return st->open ? dlgc::wantallkeys : dlgc::wantupdown;
    // The field's height follows the font; the dropped list gets the font too.
    case wm::setfont: {
      const auto* given = reinterpret_cast<const std::shared_ptr<const font>*>(w);
      st->look.text_font = given != nullptr && *given ? *given : views_look::current().text_font;
      send_message(st->list, wm::setfont, w, l);
      set_window_pos(h, hwnd_top, 0, 0, client_rect(h).width(), field_height(*st),
                     swp::nomove | swp::nozorder | swp::noactivate);
      if (l != 0) invalidate_rect(h, std::nullopt, false);
      return 0;
    }
    case wm::getfont:
      return reinterpret_cast<lresult_t>(&st->look.text_font);
    case cb::showdropdown:
      if (w != 0) open(h, *st);
      else close(h, *st, false);
      return 1;
    case cb::getdroppedstate:
      return st->open ? 1 : 0;
    default:
      return def_window_proc(h, message, w, l);
  }
}

}  // namespace

void register_combobox_class() {
  register_listbox_class();
  if (find_class(combobox_class) == nullptr) register_class({combobox_class, combo_proc, std::nullopt});
}

bool run_drop_down(hwnd combo) {
  combo_state* st = state_of(combo);
  if (st == nullptr) return true;
  open(combo, *st);
  while (is_window(combo) && st->open) {
    msg m;
    if (!get_message(m, no_window, 0, 0)) {
      close(combo, *st, false);
      post_quit_message(static_cast<int>(m.wparam));
      return false;
    }
    // The keys belong to the open list, whichever window they were sent to.
    if (m.message >= wm::keyfirst && m.message <= wm::keylast) {
      if (m.message == wm::keydown) on_key(combo, *st, m.wparam);
      continue;
    }
    if (!filter_message(m)) dispatch_message(m);
  }
  return true;
}

hwnd combobox_list(hwnd combo) {
  const combo_state* st = state_of(combo);
  return st != nullptr ? st->list : no_window;
}

std::wstring combobox_text(hwnd combo, int index) { return listbox_text(combobox_list(combo), index); }

}  // namespace platform
