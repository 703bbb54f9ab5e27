#include "platform/control_tab.h"

#include <algorithm>
#include <vector>

#include "platform/dialog_messages.h"
#include "platform/gdi_sys_color.h"
#include "platform/hardware_key_names.h"
#include "platform/views_look.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/window_paint.h"

namespace platform::tab_control {

namespace {

struct tab_state {
  views_look look = views_look::current();
  std::vector<std::wstring> texts;
  int selected = -1;

  int strip_height() const { return look.header_height + look.pad; }
};

tab_state* state_of(hwnd h) {
  if (!is_window(h) || class_name_of(h) != class_name) return nullptr;
  return reinterpret_cast<tab_state*>(window_data(h));
}

// Tabs sit side by side from the left, each as wide as its text with a margin on either side.
rect tab_place(const tab_state& st, int tab) {
  if (tab < 0 || tab >= static_cast<int>(st.texts.size())) return {};
  const int margin = 6 * st.look.scale;
  int left = 0;
  for (int i = 0;; ++i) {
    const int width = (st.look.text_font ? st.look.text_font->text_width(st.texts[static_cast<std::size_t>(i)]) : 0) +
                      2 * margin;
    if (i == tab) return {left, 0, left + width, st.strip_height()};
    left += width;
  }
}

rect area_of(hwnd h, const tab_state& st) {
  rect r = client_rect(h);
  r.top = std::min(r.bottom, st.strip_height());
  return r;
}

void paint(hwnd h, tab_state& st) {
  paint_context pc = begin_paint(h);
  dc& d = pc.hdc;
  const views_look& look = st.look;
  const rect client = client_rect(h);
  const rect area = area_of(h, st);
  d.fill_rect(client, brush::solid(get_sys_color(sys_color::window)));
  d.set_bk_mode(background_mode_t::transparent);
  const colorref frame = get_sys_color(sys_color::window_frame);
  const pen old_pen = d.select_pen({pen_style_t::solid, 1, frame});
  const brush old_brush = d.select_brush(brush::hollow());
  for (int i = 0; i < static_cast<int>(st.texts.size()); ++i) {
    const bool selected = i == st.selected;
    rect r = tab_place(st, i);
    // The selected tab stands a little higher and opens into the display area.
    if (!selected) r.top += look.pad;
    d.select_brush(brush::solid(get_sys_color(selected ? sys_color::window : sys_color::button_face)));
    d.round_rect({r.left, r.top, r.right, r.bottom + 3 * look.scale}, 6 * look.scale, 6 * look.scale);
    // The rounding below the strip is wiped; the selected tab's sides run into the area's frame.
    const brush window_brush = brush::solid(get_sys_color(sys_color::window));
    if (selected) {
      d.fill_rect({r.left + 1, r.bottom - 1, r.right - 1, r.bottom + 3 * look.scale}, window_brush);
      d.fill_rect({r.left, r.bottom, r.left + 1, r.bottom + 3 * look.scale}, window_brush);
      d.fill_rect({r.right - 1, r.bottom, r.right, r.bottom + 3 * look.scale}, window_brush);
    } else {
      d.fill_rect({r.left, r.bottom, r.right, r.bottom + 3 * look.scale}, window_brush);
    }
    d.select_font(selected ? look.bold_font : look.text_font);
    d.set_text_color(get_sys_color(sys_color::button_text));
    d.draw_text(st.texts[static_cast<std::size_t>(i)], r, dt_center | dt_vcenter | dt_singleline | dt_noprefix);
  }
  // The display area's frame; its top edge is open under the selected tab.
  d.select_brush(brush::hollow());
  d.rectangle({area.left, area.top - 1, area.right, area.bottom});
  const rect open = tab_place(st, st.selected);
  if (!open.empty()) d.fill_rect({open.left + 1, area.top - 1, open.right - 1, area.top}, brush::solid(get_sys_color(sys_color::window)));
  d.select_pen(old_pen);
  d.select_brush(old_brush);
  end_paint(pc);
}

// Asks the parent, then selects and tells it; false when the parent keeps the current tab.
bool change_to(hwnd h, int tab) {
  tab_state* st = state_of(h);
  if (st == nullptr || tab < 0 || tab >= static_cast<int>(st->texts.size()) || tab == st->selected) return false;
  notify asking;
  asking.tab = st->selected;
  asking.next = tab;
  lresult_t keep = 0;
  // The parent may keep the current tab, or destroy the control or change its tabs meanwhile.
  if (!notify_parent_survives(h, selection_changing, asking.header, &keep) || keep != 0 ||
      tab >= static_cast<int>(st->texts.size())) {
    return false;
  }
  st->selected = tab;
  invalidate_rect(h, std::nullopt, false);
  notify told;
  told.tab = tab;
  notify_parent(h, selection_changed, told.header);
  return true;
}

lresult_t tab_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::create) {
    set_window_data(h, reinterpret_cast<std::uintptr_t>(new tab_state));
    return 0;
  }
  tab_state* st = reinterpret_cast<tab_state*>(window_data(h));
  if (st == nullptr) return def_window_proc(h, message, w, l);
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
    case wm::lbuttondown: {
      const point p = point_of(l);
      for (int i = 0; i < static_cast<int>(st->texts.size()); ++i) {
        if (tab_place(*st, i).contains(p)) {
          set_focus(h);
          change_to(h, i);
          break;
        }
      }
      return 0;
    }
    case wm::keydown:
      if (w == vk_nav_left || w == vk_nav_right) {
        change_to(h, st->selected + (w == vk_nav_right ? 1 : -1));
        return 0;
      }
      return def_window_proc(h, message, w, l);
    // In a dialog the tab row keeps Left and Right; Up and Down move the focus on.
    case wm::getdlgcode:
      return dlgc::wantleftright;
    default:
      return def_window_proc(h, message, w, l);
  }
}

}  // namespace

void register_class() {
  if (find_class(class_name) == nullptr) platform::register_class({class_name, tab_proc, get_sys_color(sys_color::window)});
}

int insert_tab(hwnd tabs, int index, const std::wstring& text) {
  tab_state* st = state_of(tabs);
  if (st == nullptr || index < 0) return -1;
  const int at = std::min(index, static_cast<int>(st->texts.size()));
  st->texts.insert(st->texts.begin() + at, text);
  if (st->selected < 0) {
    st->selected = 0;
  } else if (st->selected >= at) {
    ++st->selected;  // the selection stays on its tab
  }
  invalidate_rect(tabs, std::nullopt, false);
  return at;
}

int tab_count(hwnd tabs) {
  const tab_state* st = state_of(tabs);
  return st == nullptr ? 0 : static_cast<int>(st->texts.size());
}

std::wstring tab_text(hwnd tabs, int tab) {
  const tab_state* st = state_of(tabs);
  if (st == nullptr || tab < 0 || tab >= static_cast<int>(st->texts.size())) return {};
  return st->texts[static_cast<std::size_t>(tab)];
}

int selected_tab(hwnd tabs) {
  const tab_state* st = state_of(tabs);
  return st == nullptr ? -1 : st->selected;
}

bool select_tab(hwnd tabs, int tab) {
  tab_state* st = state_of(tabs);
  if (st == nullptr || tab < 0 || tab >= static_cast<int>(st->texts.size())) return false;
  st->selected = tab;
  invalidate_rect(tabs, std::nullopt, false);
  return true;
}

rect tab_rect(hwnd tabs, int tab) {
  const tab_state* st = state_of(tabs);
  return st == nullptr ? rect{} : tab_place(*st, tab);
}

rect display_area(hwnd tabs) {
  const tab_state* st = state_of(tabs);
  if (st == nullptr) return {};
  return area_of(tabs, *st).inflate(-st->look.pad, -st->look.pad);
}

}  // namespace platform::tab_control
