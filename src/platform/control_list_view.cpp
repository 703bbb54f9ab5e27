#include "platform/control_list_view.h"

#include <algorithm>
#include <vector>

#include "platform/dialog_messages.h"
#include "platform/gdi_sys_color.h"
#include "platform/hardware_key_names.h"
#include "platform/views_look.h"
#include "platform/views_scroll_bar.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/window_paint.h"

namespace platform::list_view {

namespace {

struct column {
  std::wstring text;
  int width = 0;
};

struct row {
  std::vector<std::wstring> texts;  // one per column at most; missing ones are empty
  int icon_index = -1;
  std::uintptr_t data = 0;
};

struct list_state {
  views_look look = views_look::current();
  std::vector<column> columns;
  std::vector<icon> icons;
  std::vector<row> rows;
  int selected = -1;
  views_scroll_bar scroll;
  bool stylus_on_bar = false;
};

list_state* state_of(hwnd h) {
  if (!is_window(h) || class_name_of(h) != class_name) return nullptr;
  return reinterpret_cast<list_state*>(window_data(h));
}

rect rows_area(hwnd h, const list_state& st) {
  rect r = client_rect(h);
  r.top = std::min(r.bottom, r.top + st.look.header_height);
  return r;
}

int page_of(hwnd h, const list_state& st) {
  return std::max(1, rows_area(h, st).height() / std::max(st.look.row_height, 1));
}

// Recomputes the scroll bar for the rows and the window's size.
void update_scroll(hwnd h, list_state& st) {
  const rect area = rows_area(h, st);
  st.scroll.set({area.right - st.look.scroll_width, area.top, area.right, area.bottom},
                static_cast<int>(st.rows.size()), page_of(h, st));
}

rect row_rect(hwnd h, const list_state& st, int item) {
  if (item < 0 || item >= static_cast<int>(st.rows.size())) return {};
  const rect area = rows_area(h, st);
  const int top = area.top + (item - st.scroll.position()) * st.look.row_height;
  const int right = st.scroll.shown() ? st.scroll.area().left : area.right;
  return {area.left, top, right, top + st.look.row_height};
}

void draw_cell_text(dc& d, const views_look& look, const std::wstring& text, rect r) {
  r.left += look.pad;
  r.right -= look.pad;
  if (r.right > r.left) d.draw_text(text, r, dt_left | dt_vcenter | dt_singleline | dt_noprefix);
}

void paint(hwnd h, list_state& st) {
  paint_context pc = begin_paint(h);
  dc& d = pc.hdc;
  const views_look& look = st.look;
  const rect client = client_rect(h);
  d.set_bk_mode(background_mode_t::transparent);
  d.select_font(look.text_font);

  // The headers: button-face cells divided by lines, the last cell reaching the right edge.
  const rect header{client.left, client.top, client.right, std::min(client.bottom, client.top + look.header_height)};
  d.fill_rect(header, brush::solid(get_sys_color(sys_color::button_face)));
  const pen old_pen = d.select_pen({pen_style_t::solid, 1, get_sys_color(sys_color::button_shadow)});
  d.set_text_color(get_sys_color(sys_color::button_text));
  int x = header.left;
  for (const column& c : st.columns) {
    const rect cell{x, header.top, x + c.width, header.bottom};
    draw_cell_text(d, look, c.text, cell);
    d.move_to(cell.right - 1, cell.top + look.pad);
    d.line_to(cell.right - 1, cell.bottom - look.pad);
    x += c.width;
  }
  d.move_to(header.left, header.bottom - 1);
  d.line_to(header.right, header.bottom - 1);
  d.select_pen(old_pen);

  // The rows that show; full-row selection in the highlight colours.
  const rect area = rows_area(h, st);
  d.fill_rect(area, brush::solid(get_sys_color(sys_color::window)));
  const int first = st.scroll.position();
  for (int i = first; i < static_cast<int>(st.rows.size()); ++i) {
    const rect r = row_rect(h, st, i);
    if (r.top >= area.bottom) break;
    const row& line = st.rows[static_cast<std::size_t>(i)];
    const bool selected = i == st.selected;
    if (selected) d.fill_rect(r, brush::solid(get_sys_color(sys_color::highlight)));
    d.set_text_color(get_sys_color(selected ? sys_color::highlight_text : sys_color::window_text));
    int left = r.left;
    for (std::size_t c = 0; c < st.columns.size(); ++c) {
      rect cell{left, r.top, std::min(left + st.columns[c].width, r.right), r.bottom};
      left += st.columns[c].width;
      if (cell.empty()) continue;
      if (c == 0) {
        if (line.icon_index >= 0 && line.icon_index < static_cast<int>(st.icons.size())) {
          const rect box = rect::from_size({cell.left + look.pad, cell.top + (cell.height() - look.icon_size) / 2},
                                           {look.icon_size, look.icon_size});
          // An icon wider than its column is cut at the column's edge.
          dc clipped = d;
          clipped.intersect_clip(cell);
          clipped.draw_icon(box, st.icons[static_cast<std::size_t>(line.icon_index)]);
        }
        if (!st.icons.empty()) cell.left += look.icon_size + look.pad;
      }
      if (c < line.texts.size()) draw_cell_text(d, look, line.texts[c], cell);
    }
  }
  st.scroll.draw(d);
  end_paint(pc);
}

// Tells the parent about a row (-1: none) with its data; false when the parent destroyed the list.
bool notify_row(hwnd h, const list_state& st, int code, int item) {
  notify n;
  n.item = item;
  n.data = item >= 0 ? st.rows[static_cast<std::size_t>(item)].data : 0;
  return notify_parent_survives(h, code, n.header);
}

// Selects a row that exists (-1: none), telling the parent of a change; false when the parent
// destroyed the list meanwhile.
bool set_selection(hwnd h, list_state& st, int item) {
  if (item == st.selected) return true;
  if (st.selected >= 0) invalidate_rect(h, row_rect(h, st, st.selected), false);
  st.selected = item;
  if (item >= 0) invalidate_rect(h, row_rect(h, st, item), false);
  return notify_row(h, st, item_changed, item);
}

void show_row(hwnd h, list_state& st, int item) {
  if (item < 0 || item >= static_cast<int>(st.rows.size())) return;
  if (st.scroll.scroll_into_view(item)) invalidate_rect(h, std::nullopt, false);
}

int row_at(hwnd h, const list_state& st, point p) {
  const rect area = rows_area(h, st);
  if (!area.contains(p)) return -1;
  const int item = st.scroll.position() + (p.y - area.top) / std::max(st.look.row_height, 1);
  return item < static_cast<int>(st.rows.size()) ? item : -1;
}

void after_rows_changed(hwnd h, list_state& st) {
  update_scroll(h, st);
  invalidate_rect(h, std::nullopt, false);
}

lresult_t list_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::create) {
    set_window_data(h, reinterpret_cast<std::uintptr_t>(new list_state));
    return 0;
  }
  list_state* st = reinterpret_cast<list_state*>(window_data(h));
  if (st == nullptr) return def_window_proc(h, message, w, l);
  switch (message) {
    case wm::ncdestroy:
      set_window_data(h, 0);
      delete st;
      return def_window_proc(h, message, w, l);
    case wm::size:
      update_scroll(h, *st);
      invalidate_rect(h, std::nullopt, false);
      return 0;
    case wm::paint:
      paint(h, *st);
      return 0;
    case wm::erasebkgnd:
      return 1;  // painting covers everything
    case wm::lbuttondown: {
      const point p = point_of(l);
      set_focus(h);
      if (st->scroll.shown() && st->scroll.area().contains(p)) {
        st->stylus_on_bar = true;
        set_capture(h);
        if (st->scroll.stylus_down(p)) invalidate_rect(h, std::nullopt, false);
        return 0;
      }
      const int item = row_at(h, *st, p);
      if (item >= 0) {
        // The parent, told of the change, may have destroyed the list or deleted rows.
        if (!set_selection(h, *st, item) || item >= static_cast<int>(st->rows.size())) return 0;
        show_row(h, *st, item);
        notify_row(h, *st, clicked, item);
      }
      return 0;
    }
    case wm::mousemove:
    case wm::lbuttonup:
    case wm::capturechanged:
      st->scroll.follow_stylus(h, message, l, st->stylus_on_bar);
      return 0;
    case wm::keydown: {
      const int count = static_cast<int>(st->rows.size());
      if (count == 0 || (w != vk_nav_up && w != vk_nav_down)) return def_window_proc(h, message, w, l);
      int item = st->selected;
      if (item < 0) {
        item = w == vk_nav_down ? 0 : count - 1;
      } else {
        item = std::clamp(item + (w == vk_nav_down ? 1 : -1), 0, count - 1);
      }
      if (set_selection(h, *st, item)) show_row(h, *st, item);
      return 0;
    }
    // In a dialog the list keeps Up and Down; Left and Right still move the focus.
    case wm::getdlgcode:
      return dlgc::wantupdown;
    default:
      return def_window_proc(h, message, w, l);
  }
}

}  // namespace

void register_class() {
  if (find_class(class_name) == nullptr) platform::register_class({class_name, list_proc, get_sys_color(sys_color::window)});
}

int insert_column(hwnd list, int index, const std::wstring& text, int width) {
  list_state* st = state_of(list);
  if (st == nullptr || index < 0) return -1;
  const int at = std::min(index, static_cast<int>(st->columns.size()));
  st->columns.insert(st->columns.begin() + at, {text, std::max(width, 0)});
  // The rows' texts move with their columns.
  for (row& r : st->rows) {
    if (static_cast<std::size_t>(at) < r.texts.size()) r.texts.insert(r.texts.begin() + at, std::wstring());
  }
  invalidate_rect(list, std::nullopt, false);
  return at;
}

int column_count(hwnd list) {
  const list_state* st = state_of(list);
  return st == nullptr ? 0 : static_cast<int>(st->columns.size());
}

int column_width(hwnd list, int column) {
  const list_state* st = state_of(list);
  if (st == nullptr || column < 0 || column >= static_cast<int>(st->columns.size())) return 0;
  return st->columns[static_cast<std::size_t>(column)].width;
}

bool set_column_width(hwnd list, int column, int width) {
  list_state* st = state_of(list);
  if (st == nullptr || column < 0 || column >= static_cast<int>(st->columns.size())) return false;
  st->columns[static_cast<std::size_t>(column)].width = std::max(width, 0);
  invalidate_rect(list, std::nullopt, false);
  return true;
}

int add_icon(hwnd list, const icon& image) {
  list_state* st = state_of(list);
  if (st == nullptr) return -1;
  st->icons.push_back(image);
  return static_cast<int>(st->icons.size()) - 1;
}

int insert_item(hwnd list, int index, const std::wstring& text, int icon_index, std::uintptr_t data) {
  list_state* st = state_of(list);
  if (st == nullptr || index < 0) return -1;
  const int at = std::min(index, static_cast<int>(st->rows.size()));
  st->rows.insert(st->rows.begin() + at, row{{text}, icon_index, data});
  if (st->selected >= at) ++st->selected;  // the selection stays on its row
  after_rows_changed(list, *st);
  return at;
}

bool set_item_text(hwnd list, int item, int column, const std::wstring& text) {
  list_state* st = state_of(list);
  if (st == nullptr || item < 0 || item >= static_cast<int>(st->rows.size()) || column < 0 ||
      column >= std::max(1, static_cast<int>(st->columns.size()))) {
    return false;
  }
  row& r = st->rows[static_cast<std::size_t>(item)];
  if (r.texts.size() <= static_cast<std::size_t>(column)) r.texts.resize(static_cast<std::size_t>(column) + 1);
  r.texts[static_cast<std::size_t>(column)] = text;
  invalidate_rect(list, row_rect(list, *st, item), false);
  return true;
}

std::wstring item_text(hwnd list, int item, int column) {
  const list_state* st = state_of(list);
  if (st == nullptr || item < 0 || item >= static_cast<int>(st->rows.size()) || column < 0) return {};
  const row& r = st->rows[static_cast<std::size_t>(item)];
  return static_cast<std::size_t>(column) < r.texts.size() ? r.texts[static_cast<std::size_t>(column)] : std::wstring();
}

bool set_item_data(hwnd list, int item, std::uintptr_t data) {
  list_state* st = state_of(list);
  if (st == nullptr || item < 0 || item >= static_cast<int>(st->rows.size())) return false;
  st->rows[static_cast<std::size_t>(item)].data = data;
  return true;
}

std::uintptr_t item_data(hwnd list, int item) {
  const list_state* st = state_of(list);
  if (st == nullptr || item < 0 || item >= static_cast<int>(st->rows.size())) return 0;
  return st->rows[static_cast<std::size_t>(item)].data;
}

int item_count(hwnd list) {
  const list_state* st = state_of(list);
  return st == nullptr ? 0 : static_cast<int>(st->rows.size());
}

int find_item_by_data(hwnd list, std::uintptr_t data) {
  const list_state* st = state_of(list);
  if (st == nullptr) return -1;
  for (std::size_t i = 0; i < st->rows.size(); ++i) {
    if (st->rows[i].data == data) return static_cast<int>(i);
  }
  return -1;
}

bool delete_item(hwnd list, int item) {
  list_state* st = state_of(list);
  if (st == nullptr || item < 0 || item >= static_cast<int>(st->rows.size())) return false;
  // The parent may destroy the list on hearing that the selection went.
  if (item == st->selected && !set_selection(list, *st, -1)) return true;
  st->rows.erase(st->rows.begin() + item);
  if (st->selected > item) --st->selected;
  after_rows_changed(list, *st);
  return true;
}

void delete_all_items(hwnd list) {
  list_state* st = state_of(list);
  if (st == nullptr) return;
  if (st->selected >= 0 && !set_selection(list, *st, -1)) return;
  st->rows.clear();
  after_rows_changed(list, *st);
}

int selected_item(hwnd list) {
  const list_state* st = state_of(list);
  return st == nullptr ? -1 : st->selected;
}

bool select_item(hwnd list, int item) {
  list_state* st = state_of(list);
  if (st == nullptr || item < -1 || item >= static_cast<int>(st->rows.size())) return false;
  set_selection(list, *st, item);
  return true;
}

bool ensure_visible(hwnd list, int item) {
  list_state* st = state_of(list);
  if (st == nullptr || item < 0 || item >= static_cast<int>(st->rows.size())) return false;
  show_row(list, *st, item);
  return true;
}

int top_index(hwnd list) {
  const list_state* st = state_of(list);
  return st == nullptr ? 0 : st->scroll.position();
}

int rows_per_page(hwnd list) {
  const list_state* st = state_of(list);
  return st == nullptr ? 0 : page_of(list, *st);
}

rect item_rect(hwnd list, int item) {
  const list_state* st = state_of(list);
  return st == nullptr ? rect{} : row_rect(list, *st, item);
}

}  // namespace platform::list_view
