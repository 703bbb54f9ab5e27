#include "platform/control_text_view.h"

#include <algorithm>
#include <memory>
#include <string>

#include "platform/control_font.h"
#include "platform/control_scroll_bar.h"
#include "platform/dialog_messages.h"
#include "platform/gdi_sys_color.h"
#include "platform/hardware_key_names.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/text_layout.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/window_paint.h"

namespace platform {

namespace {

constexpr unsigned text_format = dt_left | dt_wordbreak | dt_noprefix;

struct view_state {
  std::wstring text;
  std::shared_ptr<const font> text_font;
  int scale = 1;
  hwnd bar = no_window;
  bool with_bar = false;  // the text is taller than the window: the bar shows
  text_layout layout;  // lines placed from (0, 0)
  int content_height = 0;
  int scroll = 0;
  // Stylus dragging: where it touched and the scroll then.
  bool dragging = false;
  int drag_y = 0;
  int drag_scroll = 0;
};

view_state* state_of(hwnd h) { return reinterpret_cast<view_state*>(window_data(h)); }

// Inside the frame.
rect inner_rect(hwnd h, const view_state& st) { return client_rect(h).inflate(-st.scale, -st.scale); }

// Where the text goes: inside the frame, less a margin, less the bar when it shows.
rect text_rect(hwnd h, const view_state& st, bool with_bar) {
  rect r = inner_rect(h, st).inflate(-3 * st.scale, -2 * st.scale);
  if (with_bar) r.right -= scroll_bar_thickness();
  return r;
}

int view_height(hwnd h, const view_state& st) { return std::max(0, text_rect(h, st, false).height()); }
int most_scroll(hwnd h, const view_state& st) { return std::max(0, st.content_height - view_height(h, st)); }

void scroll_to(hwnd h, view_state& st, int scroll) {
  scroll = std::clamp(scroll, 0, most_scroll(h, st));
  if (st.bar != no_window) send_message(st.bar, sbm::setpos, static_cast<wparam_t>(scroll), 1);
  if (scroll == st.scroll) return;
  st.scroll = scroll;
  invalidate_rect(h, std::nullopt, false);
}

// Breaks the text into lines for the window's width, with room for the bar when the text needs it,
// and sets the bar's range and page.
void lay_out(hwnd h, view_state& st) {
  const auto place = [&](bool with_bar) {
    const rect area = text_rect(h, st, with_bar);
    const rect origin{0, 0, std::max(1, area.width()), 1};
    st.layout = lay_out_text(st.text, origin, text_format, *st.text_font);
    st.content_height = st.text.empty() ? 0 : st.layout.extent.height();
  };
  place(false);
  st.with_bar = st.content_height > view_height(h, st);
  if (st.with_bar) place(true);
  if (st.bar != no_window) {
    const rect inner = inner_rect(h, st);
    move_window(st.bar, {inner.right - scroll_bar_thickness(), inner.top, inner.right, inner.bottom});
    set_scroll_bar(st.bar, 0, std::max(0, st.content_height - 1), view_height(h, st), st.scroll);
    show_window(st.bar, st.with_bar ? sw::shownoactivate : sw::hide);
  }
  scroll_to(h, st, st.scroll);
  invalidate_rect(h, std::nullopt, false);
}

void paint(hwnd h, const view_state& st) {
  paint_context pc = begin_paint(h);
  dc& d = pc.hdc;
  const rect client = client_rect(h);
  d.fill_rect(client, brush::solid(get_sys_color(sys_color::window)));
  const pen old_pen = d.select_pen({pen_style_t::solid, st.scale, get_sys_color(sys_color::window_frame)});
  const brush old_brush = d.select_brush(brush::hollow());
  d.rectangle(client);
  d.select_pen(old_pen);
  d.select_brush(old_brush);
  const rect area = text_rect(h, st, st.with_bar);
  d.intersect_clip(inner_rect(h, st));
  d.select_font(st.text_font);
  d.set_text_color(get_sys_color(sys_color::window_text));
  d.set_bk_mode(background_mode_t::transparent);
  const int line_height = st.text_font->metrics().height;
  for (const text_line& line : st.layout.lines) {
    const int y = area.top + line.position.y - st.scroll;
    if (y + line_height <= 0 || y >= client.bottom) continue;
    d.ext_text_out(area.left + line.position.x, y, 0, nullptr, line.text);
  }
  end_paint(pc);
}

int line_height(const view_state& st) { return st.text_font->metrics().height; }

void on_scroll(hwnd h, view_state& st, std::uint32_t code) {
  const int page = std::max(line_height(st), view_height(h, st) - line_height(st));
  switch (code) {
    case sb::lineup: scroll_to(h, st, st.scroll - line_height(st)); break;
    case sb::linedown: scroll_to(h, st, st.scroll + line_height(st)); break;
    case sb::pageup: scroll_to(h, st, st.scroll - page); break;
    case sb::pagedown: scroll_to(h, st, st.scroll + page); break;
    case sb::thumbtrack:
    case sb::thumbposition: {
      // The full position, not the message's 16 bits.
      scroll_info info;
      info.mask = sif::trackpos;
      send_message(st.bar, sbm::getscrollinfo, 0, reinterpret_cast<lparam_t>(&info));
      scroll_to(h, st, info.track_pos);
      break;
    }
    default: break;
  }
}

void set_text(hwnd h, view_state& st, std::wstring_view text) {
  st.text = text;
  set_window_text(h, st.text);
  st.scroll = 0;
  lay_out(h, st);
}

lresult_t view_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::create) {
    auto st = std::make_unique<view_state>();
    st->scale = screen_scale();
    st->text_font = default_control_font();
    if (!st->text_font) return -1;
    st->text = window_text(h);
    st->bar = create_window({scroll_bar_class, L"", ws::child | sbs::vert, 0, {}, h, text_view_scroll_bar_id});
    set_window_data(h, reinterpret_cast<std::uintptr_t>(st.release()));
    return 0;
  }
  view_state* st = state_of(h);
  if (st == nullptr) return def_window_proc(h, message, w, l);
  switch (message) {
    case wm::ncdestroy:
      set_window_data(h, 0);
      delete st;
      return def_window_proc(h, message, w, l);
    case wm::size: lay_out(h, *st); return 0;
    case wm::paint: paint(h, *st); return 0;
    case wm::erasebkgnd: return 1;
    case wm::settext: {
      const wchar_t* text = reinterpret_cast<const wchar_t*>(l);
      set_text(h, *st, text != nullptr ? text : L"");
      return 1;
    }
    case wm::setfont: {
      const auto* given = reinterpret_cast<const std::shared_ptr<const font>*>(w);
      st->text_font = given != nullptr && *given ? *given : default_control_font();
      lay_out(h, *st);
      return 0;
    }
    case wm::getfont: return reinterpret_cast<lresult_t>(&st->text_font);
    case wm::getdlgcode: return dlgc::wantupdown;
    case wm_scroll::vscroll:
      if (hwnd_of_param(static_cast<wparam_t>(l)) == st->bar) on_scroll(h, *st, loword(w));
      return 0;
    case wm::keydown:
      if (w == vk_nav_up) on_scroll(h, *st, sb::lineup);
      if (w == vk_nav_down) on_scroll(h, *st, sb::linedown);
      return 0;
    case wm::lbuttondown:
      if (focus_window() != h) set_focus(h);
      st->dragging = true;
      st->drag_y = point_of(l).y;
      st->drag_scroll = st->scroll;
      set_capture(h);
      return 0;
    case wm::mousemove:
      if (st->dragging) scroll_to(h, *st, st->drag_scroll - (point_of(l).y - st->drag_y));
      return 0;
    case wm::lbuttonup:
      if (st->dragging && capture_window() == h) release_capture();
      st->dragging = false;
      return 0;
    case wm::capturechanged: st->dragging = false; return 0;
    default: return def_window_proc(h, message, w, l);
  }
}

}  // namespace

void register_text_view_class() {
  register_scroll_bar_class();
  if (find_class(text_view_class) == nullptr) register_class({text_view_class, view_proc, std::nullopt});
}

void text_view_set_text(hwnd view, std::wstring_view text) {
  const std::wstring copy(text);
  send_message(view, wm::settext, 0, reinterpret_cast<lparam_t>(copy.c_str()));
}

int text_view_scroll(hwnd view) {
  const view_state* st = class_name_of(view) == text_view_class ? state_of(view) : nullptr;
  return st != nullptr ? st->scroll : 0;
}

}  // namespace platform
