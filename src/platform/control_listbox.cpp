#include "platform/control_listbox.h"

#include <algorithm>
#include <cwctype>
#include <memory>
#include <optional>
#include <vector>

#include "platform/control_list_private.h"
#include "platform/dialog_messages.h"
#include "platform/font.h"
#include "platform/gdi_sys_color.h"
#include "platform/hardware_key_names.h"
#include "platform/list_scroll_bar.h"
#include "platform/message_queue.h"
#include "platform/views_look.h"
#include "platform/window_focus.h"
#include "platform/window_paint.h"

namespace platform {

namespace {

constexpr std::uint32_t wm_hscroll = 0x0114;
constexpr std::uint32_t wm_vscroll = 0x0115;
// The scroll requests of the two scroll messages (low word of wparam; the high word carries the
// position for the thumb requests).
enum : std::uint32_t { sb_lineup, sb_linedown, sb_pageup, sb_pagedown, sb_thumbposition, sb_thumbtrack, sb_top, sb_bottom };

constexpr std::uint32_t double_tap_ms = 500;
constexpr int text_margin = 2;  // pixels before a line's text (the owners' extents add them)

struct line {
  std::wstring text;
  std::uintptr_t data = 0;
};

enum class drag_t { none, lines, vertical_thumb, horizontal_thumb, bar_button };

struct listbox_state {
  std::vector<line> lines;
  int selected = -1;
  int top = 0;      // the first line shown
  int shift = 0;    // pixels scrolled to the left
  int extent = 0;   // the width the lines need
  bool redraw = true;
  views_look look;
  hwnd notify_target = no_window;

  drag_t drag = drag_t::none;
  int selected_at_touch = -1;
  int grab = 0;  // where the thumb was grabbed, from its leading edge
  // The last tap's line and time, for the double tap.
  int tapped_line = -1;
  std::uint32_t tapped_at = 0;
  bool tapped = false;
  // A popup list: a touch outside closes it when the stylus is lifted.
  bool dismissed = false;
};

listbox_state* state_of(hwnd h) { return reinterpret_cast<listbox_state*>(window_data(h)); }

bool is_popup(hwnd h) { return (window_style(h) & ws::child) == 0; }

int line_height(const listbox_state& st) { return st.look.text_font->metrics().height + 2 * st.look.pad; }
int bar_thickness(const listbox_state& st) { return st.look.scroll_width; }

// Where the lines and the scroll bars go. A bar appears when its style asks for it and the
// content does not fit; one bar takes room from the other direction, so they are decided together.
struct list_layout {
  rect lines;
  std::optional<list_scroll_bar> vertical;
  std::optional<list_scroll_bar> horizontal;
  int page = 1;  // whole lines the view shows (at least 1)
};

list_layout lay_out(hwnd h, const listbox_state& st) {
  const rect inner = client_rect(h).inflate(-1, -1);  // inside the frame
  const std::uint32_t style = window_style(h);
  const int count = static_cast<int>(st.lines.size());
  bool vertical = false;
  bool horizontal = false;
  for (int pass = 0; pass < 2; ++pass) {
    const int width = inner.width() - (vertical ? bar_thickness(st) : 0);
    const int height = inner.height() - (horizontal ? bar_thickness(st) : 0);
    vertical = (style & lbs::vscroll) != 0 && count * line_height(st) > height;
    horizontal = (style & lbs::hscroll) != 0 && st.extent > width;
  }
  list_layout out;
  out.lines = {inner.left, inner.top, inner.right - (vertical ? bar_thickness(st) : 0),
               inner.bottom - (horizontal ? bar_thickness(st) : 0)};
  out.page = std::max(1, out.lines.height() / line_height(st));
  if (vertical) {
    out.vertical = list_scroll_bar{true, {out.lines.right, inner.top, inner.right, out.lines.bottom}, count, out.page,
                                   st.top};
  }
  if (horizontal) {
    out.horizontal = list_scroll_bar{false, {inner.left, out.lines.bottom, out.lines.right, inner.bottom}, st.extent,
                                     out.lines.width(), st.shift};
  }
  return out;
}

void refresh(hwnd h, const listbox_state& st) {
  if (st.redraw) invalidate_rect(h, std::nullopt, false);
}

// Keeps the scroll positions inside their ranges (after lines went or the window shrank).
void clamp_scroll(hwnd h, listbox_state& st) {
  const list_layout layout = lay_out(h, st);
  const int count = static_cast<int>(st.lines.size());
  st.top = std::clamp(st.top, 0, std::max(0, count - layout.page));
  st.shift = std::clamp(st.shift, 0, std::max(0, st.extent - layout.lines.width()));
}

void set_top(hwnd h, listbox_state& st, int top) {
  const int before = st.top;
  st.top = top;
  clamp_scroll(h, st);
  if (st.top != before) refresh(h, st);
}

void set_shift(hwnd h, listbox_state& st, int shift) {
  const int before = st.shift;
  st.shift = shift;
  clamp_scroll(h, st);
  if (st.shift != before) refresh(h, st);
}

void scroll_into_view(hwnd h, listbox_state& st, int index) {
  if (index < 0) return;
  const int page = lay_out(h, st).page;
  if (index < st.top) set_top(h, st, index);
  else if (index >= st.top + page) set_top(h, st, index - page + 1);
}

void select(hwnd h, listbox_state& st, int index) {
  if (index != st.selected) {
    st.selected = index;
    refresh(h, st);
  }
  scroll_into_view(h, st, index);
}

void notify(hwnd h, const listbox_state& st, std::uint32_t code) {
  const hwnd target = st.notify_target != no_window ? st.notify_target : parent_of(h);
  if (target != no_window) send_message(target, wm::command, make_long(static_cast<int>(window_id(h)), static_cast<int>(code)), lparam_of(h));
}

void notify_user_selection(hwnd h, const listbox_state& st) {
  if ((window_style(h) & lbs::notify) != 0) notify(h, st, lbn::selchange);
}

int compare_no_case(const std::wstring& a, const std::wstring& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = std::towlower(static_cast<wint_t>(a[i]));
    const auto y = std::towlower(static_cast<wint_t>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::wstring text_param(lparam_t l) {
  const auto* text = reinterpret_cast<const wchar_t*>(l);
  return text != nullptr ? std::wstring(text) : std::wstring();
}

lresult_t insert(hwnd h, listbox_state& st, int index, std::wstring text) {
  const int count = static_cast<int>(st.lines.size());
  if (index < 0) index = count;
  if (index > count) return lb::err;
  st.lines.insert(st.lines.begin() + index, line{std::move(text), 0});
  if (st.selected >= index) ++st.selected;
  refresh(h, st);
  return index;
}

// A sorted list puts the line after the lines that compare equal to it.
int sorted_place(const listbox_state& st, const std::wstring& text) {
  const auto at = std::upper_bound(st.lines.begin(), st.lines.end(), text,
                                   [](const std::wstring& t, const line& l) { return compare_no_case(t, l.text) < 0; });
  return static_cast<int>(at - st.lines.begin());
}

lresult_t remove(hwnd h, listbox_state& st, int index) {
  if (index < 0 || index >= static_cast<int>(st.lines.size())) return lb::err;
  st.lines.erase(st.lines.begin() + index);
  if (st.selected == index) st.selected = -1;
  else if (st.selected > index) --st.selected;
  clamp_scroll(h, st);
  refresh(h, st);
  return static_cast<lresult_t>(st.lines.size());
}

// The line under a client point; outside is set when the point is not on a line.
int line_at(hwnd h, const listbox_state& st, point p, bool& outside) {
  const list_layout layout = lay_out(h, st);
  const int count = static_cast<int>(st.lines.size());
  outside = !layout.lines.contains(p) || count == 0;
  if (count == 0) return 0;
  const int row = std::max(0, p.y - layout.lines.top) / line_height(st);
  if (st.top + row >= count) outside = true;
  return std::min(count - 1, st.top + row);
}

void scroll_by(hwnd h, listbox_state& st, const list_scroll_bar& bar, scroll_part part) {
  const int line_step = bar.vertical ? 1 : 8 * st.look.scale;
  const int page_step = std::max(1, bar.vertical ? bar.page - 1 : bar.page - line_step);
  int pos = bar.pos;
  if (part == scroll_part::back_arrow) pos -= line_step;
  if (part == scroll_part::forward_arrow) pos += line_step;
  if (part == scroll_part::back_page) pos -= page_step;
  if (part == scroll_part::forward_page) pos += page_step;
  if (bar.vertical) set_top(h, st, pos);
  else set_shift(h, st, pos);
}

void on_scroll_message(hwnd h, listbox_state& st, bool vertical, wparam_t w) {
  const list_layout layout = lay_out(h, st);
  const std::optional<list_scroll_bar>& bar = vertical ? layout.vertical : layout.horizontal;
  if (!bar) return;
  const std::uint32_t request = loword(w);
  switch (request) {
    case sb_lineup: scroll_by(h, st, *bar, scroll_part::back_arrow); break;
    case sb_linedown: scroll_by(h, st, *bar, scroll_part::forward_arrow); break;
    case sb_pageup: scroll_by(h, st, *bar, scroll_part::back_page); break;
    case sb_pagedown: scroll_by(h, st, *bar, scroll_part::forward_page); break;
    case sb_thumbposition:
    case sb_thumbtrack: vertical ? set_top(h, st, static_cast<int>(hiword(w))) : set_shift(h, st, static_cast<int>(hiword(w))); break;
    case sb_top: vertical ? set_top(h, st, 0) : set_shift(h, st, 0); break;
    case sb_bottom: vertical ? set_top(h, st, bar->max_pos()) : set_shift(h, st, bar->max_pos()); break;
    default: break;
  }
}

// The stylus over the lines while it is held: the line under it is selected; above or below the
// lines the list scrolls a line at a time and selects the line that comes in.
void follow_stylus(hwnd h, listbox_state& st, point p) {
  if (st.lines.empty()) return;
  const list_layout layout = lay_out(h, st);
  const int count = static_cast<int>(st.lines.size());
  if (p.y < layout.lines.top) {
    select(h, st, std::max(0, std::min(st.top, count) - 1));
    return;
  }
  const int row = (p.y - layout.lines.top) / line_height(st);
  if (row >= layout.page) {
    select(h, st, std::min(count - 1, st.top + layout.page));
    return;
  }
  if (st.top + row < count) select(h, st, st.top + row);
}

void on_touch(hwnd h, listbox_state& st, point p) {
  const bool popup = is_popup(h);
  st.drag = drag_t::none;
  if (popup && !client_rect(h).contains(p)) {
    // Closed at the lift, which the list keeps so that it goes no further.
    st.dismissed = true;
    return;
  }
  if (!popup) {
    set_focus(h);
    set_capture(h);
  }
  const list_layout layout = lay_out(h, st);
  for (const auto* bar : {layout.vertical ? &*layout.vertical : nullptr,
                          layout.horizontal ? &*layout.horizontal : nullptr}) {
    if (bar == nullptr) continue;
    const scroll_part part = bar->part_at(p);
    if (part == scroll_part::none) continue;
    if (part == scroll_part::thumb) {
      st.drag = bar->vertical ? drag_t::vertical_thumb : drag_t::horizontal_thumb;
      st.grab = (bar->vertical ? p.y : p.x) - bar->thumb_edge();
    } else {
      st.drag = drag_t::bar_button;
      scroll_by(h, st, *bar, part);
    }
    return;
  }
  if (!layout.lines.contains(p) || st.lines.empty()) return;
  st.drag = drag_t::lines;
  st.selected_at_touch = st.selected;
  bool outside = false;
  const int index = line_at(h, st, p, outside);
  if (outside) return;
  const std::uint32_t now = last_message().time_ms;
  if (!popup && st.tapped && st.tapped_line == index && index == st.selected && now - st.tapped_at <= double_tap_ms) {
    st.tapped = false;
    select(h, st, index);
    if ((window_style(h) & lbs::notify) != 0) notify(h, st, lbn::dblclk);
    st.drag = drag_t::none;  // the second tap of a double tap is not a new choice
    return;
  }
  select(h, st, index);
}

void on_drag(hwnd h, listbox_state& st, point p) {
  const list_layout layout = lay_out(h, st);
  switch (st.drag) {
    case drag_t::lines: follow_stylus(h, st, p); break;
    case drag_t::vertical_thumb:
      if (layout.vertical) set_top(h, st, layout.vertical->pos_for_thumb_edge(p.y - st.grab));
      break;
    case drag_t::horizontal_thumb:
      if (layout.horizontal) set_shift(h, st, layout.horizontal->pos_for_thumb_edge(p.x - st.grab));
      break;
    default: break;
  }
}

void on_lift(hwnd h, listbox_state& st, point p) {
  const drag_t drag = st.drag;
  st.drag = drag_t::none;
  // The lift chooses the line it is on, even when no move reached that line first.
  if (drag == drag_t::lines && lay_out(h, st).lines.contains(p)) follow_stylus(h, st, p);
  if (is_popup(h)) {
    if (st.dismissed) {
      st.dismissed = false;
      notify(h, st, list_private::popup_cancel);
      return;
    }
    bool outside = false;
    if (drag == drag_t::lines && !st.lines.empty()) {
      line_at(h, st, p, outside);
      if (!outside) notify(h, st, list_private::popup_pick);
    }
    return;
  }
  if (capture_window() == h) release_capture();
  if (drag != drag_t::lines) return;
  if (st.selected >= 0) {
    st.tapped = true;
    st.tapped_line = st.selected;
    st.tapped_at = last_message().time_ms;
  }
  if (st.selected != st.selected_at_touch) notify_user_selection(h, st);
}

void on_key(hwnd h, listbox_state& st, wparam_t key) {
  if (st.lines.empty()) return;
  const int count = static_cast<int>(st.lines.size());
  int index = st.selected;
  if (key == vk_nav_down) index = st.selected < 0 ? 0 : std::min(count - 1, st.selected + 1);
  else if (key == vk_nav_up) index = st.selected < 0 ? 0 : std::max(0, st.selected - 1);
  else return;
  if (index == st.selected) return;
  select(h, st, index);
  notify_user_selection(h, st);
}

void paint(hwnd h, listbox_state& st) {
  paint_context pc = begin_paint(h);
  dc& d = pc.hdc;
  const int s = st.look.scale;
  const rect client = client_rect(h);
  const list_layout layout = lay_out(h, st);
  const bool enabled = is_window_enabled(h);
  d.fill_rect(layout.lines, brush::solid(get_sys_color(sys_color::window)));
  draw_views_frame(d, client);
  d.select_font(st.look.text_font);
  d.set_bk_mode(background_mode_t::transparent);
  const int height = line_height(st);
  const int count = static_cast<int>(st.lines.size());
  for (int i = st.top; i < count; ++i) {
    const rect row{layout.lines.left, layout.lines.top + (i - st.top) * height, layout.lines.right,
                   layout.lines.top + (i - st.top + 1) * height};
    if (row.top >= layout.lines.bottom) break;
    dc cell = d;
    cell.intersect_clip(row.intersect(layout.lines));
    const bool selected = i == st.selected;
    if (selected) cell.fill_rect(row, brush::solid(get_sys_color(sys_color::highlight)));
    cell.set_text_color(!enabled    ? get_sys_color(sys_color::gray_text)
                        : selected ? get_sys_color(sys_color::highlight_text)
                                   : get_sys_color(sys_color::window_text));
    rect text{row.left + text_margin - st.shift, row.top, row.right + st.extent, row.bottom};
    cell.draw_text(st.lines[static_cast<std::size_t>(i)].text, text, dt_left | dt_vcenter | dt_singleline | dt_noprefix);
  }
  if (layout.vertical) layout.vertical->draw(d, s);
  if (layout.horizontal) layout.horizontal->draw(d, s);
  if (layout.vertical && layout.horizontal) {
    d.fill_rect({layout.vertical->area.left, layout.horizontal->area.top, layout.vertical->area.right,
                 layout.horizontal->area.bottom},
                brush::solid(get_sys_color(sys_color::button_face)));
  }
  end_paint(pc);
}

lresult_t listbox_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::create) {
    auto* st = new listbox_state;
    st->look = views_look::current();
    st->redraw = (reinterpret_cast<const create_params*>(l)->style & lbs::noredraw) == 0;
    set_window_data(h, reinterpret_cast<std::uintptr_t>(st));
    return 0;
  }
  listbox_state* st = state_of(h);
  if (st == nullptr) return def_window_proc(h, message, w, l);
  const int count = static_cast<int>(st->lines.size());
  const auto index = static_cast<int>(static_cast<std::intptr_t>(w));
  const bool valid = index >= 0 && index < count;
  switch (message) {
    case wm::ncdestroy:
      set_window_data(h, 0);
      delete st;
      return def_window_proc(h, message, w, l);
    case wm::paint:
      paint(h, *st);
      return 0;
    case wm::erasebkgnd:
      return 1;
    case wm::size:
      clamp_scroll(h, *st);
      refresh(h, *st);
      return 0;
    case wm::lbuttondown:
      if (is_window_enabled(h)) on_touch(h, *st, point_of(l));
      return 0;
    case wm::mousemove:
      // A popup list opened by a touch elsewhere picks up the stylus sliding onto its lines.
      if (st->drag == drag_t::none && is_popup(h) && !st->dismissed && lay_out(h, *st).lines.contains(point_of(l))) {
        st->drag = drag_t::lines;
      }
      if (st->drag != drag_t::none) on_drag(h, *st, point_of(l));
      return 0;
    case wm::lbuttonup:
      on_lift(h, *st, point_of(l));
      return 0;
    case wm::showwindow:
      st->drag = drag_t::none;
      st->dismissed = false;
      return def_window_proc(h, message, w, l);
    case wm::capturechanged:
      st->drag = drag_t::none;
      if (is_popup(h) && is_window_visible(h) && hwnd_of_param(static_cast<std::uintptr_t>(l)) != h) {
        notify(h, *st, list_private::popup_cancel);
      }
      return 0;
    case wm::keydown:
      on_key(h, *st, w);
      return 0;
    case wm::enable:
      refresh(h, *st);
      return def_window_proc(h, message, w, l);
    case wm_vscroll:
    case wm_hscroll:
      on_scroll_message(h, *st, message == wm_vscroll, w);
      return 0;
    // In a dialog the list keeps Up and Down; Left and Right still move the focus.
    case wm::getdlgcode:
      return dlgc::wantupdown;
    case wm::setfont: {
      const auto* given = reinterpret_cast<const std::shared_ptr<const font>*>(w);
      st->look.text_font = given != nullptr && *given ? *given : views_look::current().text_font;
      clamp_scroll(h, *st);
      if (l != 0) refresh(h, *st);
      return 0;
    }
    case wm::getfont:
      return reinterpret_cast<lresult_t>(&st->look.text_font);
    case lb::setredraw:
      st->redraw = w != 0;
      refresh(h, *st);
      return 0;
    case lb::addstring: {
      std::wstring text = text_param(l);
      const int at = (window_style(h) & lbs::sort) != 0 ? sorted_place(*st, text) : count;
      return insert(h, *st, at, std::move(text));
    }
    case lb::insertstring:
      return insert(h, *st, index, text_param(l));
    case lb::deletestring:
      return remove(h, *st, index);
    case lb::resetcontent:
      st->lines.clear();
      st->selected = -1;
      st->top = 0;
      st->tapped = false;
      clamp_scroll(h, *st);
      refresh(h, *st);
      return 0;
    case lb::setcursel:
      if (!valid) {
        select(h, *st, -1);
        return index == -1 ? 0 : lb::err;
      }
      select(h, *st, index);
      return index;
    case lb::getcursel:
      return st->selected;
    case lb::gettextlen:
      return valid ? static_cast<lresult_t>(st->lines[static_cast<std::size_t>(index)].text.size()) : lb::err;
    case lb::gettext: {
      if (!valid) return lb::err;
      const std::wstring& text = st->lines[static_cast<std::size_t>(index)].text;
      if (auto* out = reinterpret_cast<wchar_t*>(l); out != nullptr) std::copy(text.c_str(), text.c_str() + text.size() + 1, out);
      return static_cast<lresult_t>(text.size());
    }
    case lb::getcount:
      return count;
    case lb::gettopindex:
      return st->top;
    case lb::settopindex:
      if (!valid) return lb::err;
      set_top(h, *st, index);
      return 0;
    case lb::gethorizontalextent:
      return st->extent;
    case lb::sethorizontalextent:
      st->extent = std::max(0, index);
      clamp_scroll(h, *st);
      refresh(h, *st);
      return 0;
    case lb::getitemdata:
      return valid ? static_cast<lresult_t>(st->lines[static_cast<std::size_t>(index)].data) : lb::err;
    case lb::setitemdata:
      if (!valid) return lb::err;
      st->lines[static_cast<std::size_t>(index)].data = static_cast<std::uintptr_t>(l);
      return 0;
    case lb::getitemheight:
      return line_height(*st);
    case lb::findstringexact: {
      if (count == 0) return lb::err;
      const std::wstring text = text_param(l);
      const int start = valid ? index + 1 : 0;
      for (int k = 0; k < count; ++k) {
        const int i = (start + k) % count;
        if (compare_no_case(st->lines[static_cast<std::size_t>(i)].text, text) == 0) return i;
      }
      return lb::err;
    }
    case lb::itemfrompoint: {
      bool outside = false;
      const int at = line_at(h, *st, point_of(l), outside);
      return static_cast<lresult_t>(make_long(at, outside || count == 0 ? 1 : 0));
    }
    case list_private::set_notify_target:
      st->notify_target = hwnd_of_param(w);
      return 0;
    case list_private::get_scroll_info: {
      const list_layout layout = lay_out(h, *st);
      const std::optional<list_scroll_bar>& bar = w != 0 ? layout.horizontal : layout.vertical;
      auto* out = reinterpret_cast<list_scroll_info*>(l);
      if (out == nullptr) return 0;
      *out = w != 0 ? list_scroll_info{bar.has_value(), st->extent, layout.lines.width(), st->shift}
                    : list_scroll_info{bar.has_value(), count, layout.page, st->top};
      return 1;
    }
    default:
      return def_window_proc(h, message, w, l);
  }
}

}  // namespace

void register_listbox_class() {
  if (find_class(listbox_class) == nullptr) register_class({listbox_class, listbox_proc, std::nullopt});
}

std::wstring listbox_text(hwnd list, int index) {
  const lresult_t length = send_message(list, lb::gettextlen, static_cast<wparam_t>(index), 0);
  if (length < 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  send_message(list, lb::gettext, static_cast<wparam_t>(index), reinterpret_cast<lparam_t>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

list_scroll_info listbox_scroll_info(hwnd list, bool horizontal) {
  list_scroll_info out;
  send_message(list, list_private::get_scroll_info, horizontal ? 1 : 0, reinterpret_cast<lparam_t>(&out));
  return out;
}

}  // namespace platform
