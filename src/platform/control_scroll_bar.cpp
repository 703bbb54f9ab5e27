#include "platform/control_scroll_bar.h"

#include <algorithm>
#include <memory>

#include "platform/gdi_sys_color.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/scroll_arrow.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/window_paint.h"

namespace platform {

namespace {

enum class part_t { none, arrow_up, page_up, thumb, page_down, arrow_down };

struct bar_state {
  bool vertical = false;
  int min = 0;
  int max = 100;
  int page = 0;
  int pos = 0;
  int scale = 1;
  part_t pressed = part_t::none;
  // Thumb dragging: the stylus's distance from the thumb's start, and the dragged position.
  int grip = 0;
  int track_pos = 0;

  // The highest position: the last page starts there.
  int max_pos() const { return std::max(min, max - std::max(page - 1, 0)); }
  bool enabled() const { return max_pos() > min; }
};

bar_state* state_of(hwnd h) { return reinterpret_cast<bar_state*>(window_data(h)); }

// Lengths along the bar: the client's long side, and the arrows' square size across it.
int along(const bar_state& st, const rect& r) { return st.vertical ? r.height() : r.width(); }
int across(const bar_state& st, const rect& r) { return st.vertical ? r.width() : r.height(); }

struct bar_geometry {
  int arrow = 0;        // each arrow's length
  int trough_start = 0;
  int trough_end = 0;
  int thumb_start = 0;  // along the bar
  int thumb_length = 0;
};

bar_geometry geometry(hwnd h, const bar_state& st, int pos) {
  const rect r = client_rect(h);
  bar_geometry g;
  const int length = along(st, r);
  g.arrow = std::min(across(st, r), length / 2);
  g.trough_start = g.arrow;
  g.trough_end = length - g.arrow;
  const int trough = std::max(0, g.trough_end - g.trough_start);
  const long long span = static_cast<long long>(st.max) - st.min + 1;
  const int smallest = std::min(trough, 8 * st.scale);
  g.thumb_length = st.page > 0 && span > 0 ? std::max(smallest, static_cast<int>(trough * static_cast<long long>(st.page) / span))
                                            : std::min(trough, g.arrow);
  g.thumb_length = std::min(g.thumb_length, trough);
  const long long range = st.max_pos() - static_cast<long long>(st.min);
  const int room = trough - g.thumb_length;
  const long long offset = std::clamp(pos, st.min, st.max_pos()) - static_cast<long long>(st.min);
  g.thumb_start = g.trough_start + (range > 0 ? static_cast<int>(room * offset / range) : 0);
  return g;
}

rect span_rect(const bar_state& st, const rect& client, int from, int to) {
  return st.vertical ? rect{0, from, client.width(), to} : rect{from, 0, to, client.height()};
}

part_t part_at(hwnd h, const bar_state& st, point p) {
  const bar_geometry g = geometry(h, st, st.pos);
  const int at = st.vertical ? p.y : p.x;
  if (at < g.trough_start) return part_t::arrow_up;
  if (at >= g.trough_end) return part_t::arrow_down;
  if (at < g.thumb_start) return part_t::page_up;
  if (at >= g.thumb_start + g.thumb_length) return part_t::page_down;
  return part_t::thumb;
}

void notify(hwnd h, const bar_state& st, std::uint32_t code, int pos = 0) {
  const hwnd parent = parent_of(h);
  if (parent == no_window) return;
  send_message(parent, st.vertical ? wm_scroll::vscroll : wm_scroll::hscroll,
               make_long(static_cast<int>(code), pos), lparam_of(h));
}

// A button face with a shadow-coloured edge, as the list controls' bars draw theirs; highlighted
// while pressed.
void draw_button(dc& d, const rect& r, int scale, bool pressed) {
  d.fill_rect(r, brush::solid(get_sys_color(pressed ? sys_color::highlight : sys_color::button_face)));
  const brush shadow = brush::solid(get_sys_color(sys_color::button_shadow));
  d.fill_rect({r.left, r.top, r.right, r.top + scale}, shadow);
  d.fill_rect({r.left, r.bottom - scale, r.right, r.bottom}, shadow);
  d.fill_rect({r.left, r.top, r.left + scale, r.bottom}, shadow);
  d.fill_rect({r.right - scale, r.top, r.right, r.bottom}, shadow);
}

void paint(hwnd h, const bar_state& st) {
  paint_context pc = begin_paint(h);
  dc& d = pc.hdc;
  const rect client = client_rect(h);
  const int s = st.scale;
  const bool dragging = st.pressed == part_t::thumb;
  const bar_geometry g = geometry(h, st, dragging ? st.track_pos : st.pos);
  d.fill_rect(client, brush::solid(get_sys_color(sys_color::scrollbar)));
  const rect back = span_rect(st, client, 0, g.trough_start);
  const rect forward = span_rect(st, client, g.trough_end, along(st, client));
  const colorref ink = get_sys_color(st.enabled() ? sys_color::button_text : sys_color::gray_text);
  const colorref pressed_ink = get_sys_color(sys_color::highlight_text);
  draw_button(d, back, s, st.pressed == part_t::arrow_up);
  draw_scroll_arrow(d, back, st.vertical, false, s, st.pressed == part_t::arrow_up ? pressed_ink : ink);
  draw_button(d, forward, s, st.pressed == part_t::arrow_down);
  draw_scroll_arrow(d, forward, st.vertical, true, s, st.pressed == part_t::arrow_down ? pressed_ink : ink);
  if (st.enabled()) draw_button(d, span_rect(st, client, g.thumb_start, g.thumb_start + g.thumb_length), s, dragging);
  end_paint(pc);
}

// The position the thumb's start at `start` along the bar stands for.
int pos_for_thumb(hwnd h, const bar_state& st, int start) {
  const bar_geometry g = geometry(h, st, st.pos);
  const int room = g.trough_end - g.trough_start - g.thumb_length;
  if (room <= 0) return st.min;
  const long long range = st.max_pos() - static_cast<long long>(st.min);
  const long long offset = std::clamp(start - g.trough_start, 0, room);
  return st.min + static_cast<int>((offset * range + room / 2) / room);
}

void set_pos(hwnd h, bar_state& st, int pos) {
  st.pos = std::clamp(pos, st.min, st.max_pos());
  invalidate_rect(h, std::nullopt, false);
}

void on_stylus(hwnd h, bar_state& st, std::uint32_t message, point p) {
  const int at = st.vertical ? p.y : p.x;
  switch (message) {
    case wm::lbuttondown: {
      if (!st.enabled()) return;
      st.pressed = part_at(h, st, p);
      set_capture(h);
      invalidate_rect(h, std::nullopt, false);
      switch (st.pressed) {
        case part_t::arrow_up: notify(h, st, sb::lineup); break;
        case part_t::arrow_down: notify(h, st, sb::linedown); break;
        case part_t::page_up: notify(h, st, sb::pageup); break;
        case part_t::page_down: notify(h, st, sb::pagedown); break;
        case part_t::thumb:
          st.grip = at - geometry(h, st, st.pos).thumb_start;
          st.track_pos = st.pos;
          break;
        case part_t::none: break;
      }
      return;
    }
    case wm::mousemove:
      if (st.pressed != part_t::thumb) return;
      if (const int pos = pos_for_thumb(h, st, at - st.grip); pos != st.track_pos) {
        st.track_pos = pos;
        invalidate_rect(h, std::nullopt, false);
        notify(h, st, sb::thumbtrack, pos);
      }
      return;
    case wm::lbuttonup: {
      if (st.pressed == part_t::none) return;
      const part_t pressed = st.pressed;
      st.pressed = part_t::none;
      if (capture_window() == h) release_capture();
      invalidate_rect(h, std::nullopt, false);
      if (pressed == part_t::thumb) notify(h, st, sb::thumbposition, st.track_pos);
      notify(h, st, sb::endscroll);
      return;
    }
    default: return;
  }
}

lresult_t bar_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::create) {
    auto st = std::make_unique<bar_state>();
    st->vertical = (reinterpret_cast<const create_params*>(l)->style & sbs::vert) != 0;
    st->scale = screen_scale();
    set_window_data(h, reinterpret_cast<std::uintptr_t>(st.release()));
    return 0;
  }
  bar_state* st = state_of(h);
  if (st == nullptr) return def_window_proc(h, message, w, l);
  switch (message) {
    case wm::ncdestroy:
      set_window_data(h, 0);
      delete st;
      return def_window_proc(h, message, w, l);
    case wm::paint: paint(h, *st); return 0;
    case wm::erasebkgnd: return 1;
    case wm::lbuttondown:
    case wm::mousemove:
    case wm::lbuttonup: on_stylus(h, *st, message, point_of(l)); return 0;
    case wm::capturechanged:
      if (st->pressed != part_t::none) {
        st->pressed = part_t::none;
        invalidate_rect(h, std::nullopt, false);
      }
      return 0;
    case sbm::setpos: {
      const int old = st->pos;
      set_pos(h, *st, static_cast<int>(w));
      return old;
    }
    case sbm::getpos: return st->pos;
    case sbm::setrange:
      st->min = static_cast<int>(w);
      st->max = std::max(st->min, static_cast<int>(l));
      set_pos(h, *st, st->pos);
      return 0;
    case sbm::getrange:
      if (w != 0) *reinterpret_cast<int*>(w) = st->min;
      if (l != 0) *reinterpret_cast<int*>(l) = st->max;
      return 0;
    case sbm::setscrollinfo: {
      const auto* info = reinterpret_cast<const scroll_info*>(l);
      if (info == nullptr) return st->pos;
      if ((info->mask & sif::range) != 0) {
        st->min = info->min;
        st->max = std::max(info->min, info->max);
      }
      if ((info->mask & sif::page) != 0) {
        const long long span = static_cast<long long>(st->max) - st->min + 1;
        st->page = static_cast<int>(std::clamp<long long>(info->page, 0, span));
      }
      set_pos(h, *st, (info->mask & sif::pos) != 0 ? info->pos : st->pos);
      return st->pos;
    }
    case sbm::getscrollinfo: {
      auto* info = reinterpret_cast<scroll_info*>(l);
      if (info == nullptr) return 0;
      if ((info->mask & sif::range) != 0) {
        info->min = st->min;
        info->max = st->max;
      }
      if ((info->mask & sif::page) != 0) info->page = st->page;
      if ((info->mask & sif::pos) != 0) info->pos = st->pos;
      if ((info->mask & sif::trackpos) != 0) info->track_pos = st->pressed == part_t::thumb ? st->track_pos : st->pos;
      return 1;
    }
    default: return def_window_proc(h, message, w, l);
  }
}

}  // namespace

void register_scroll_bar_class() {
  if (find_class(scroll_bar_class) == nullptr) register_class({scroll_bar_class, bar_proc, std::nullopt});
}

int scroll_bar_thickness() { return 13 * screen_scale(); }

void set_scroll_bar(hwnd bar, int min, int max, int page, int pos) {
  const scroll_info info{sif::range | sif::page | sif::pos, min, max, page, pos, 0};
  send_message(bar, sbm::setscrollinfo, 1, reinterpret_cast<lparam_t>(&info));
}

int scroll_bar_pos(hwnd bar) { return static_cast<int>(send_message(bar, sbm::getpos, 0, 0)); }

}  // namespace platform
