#include "platform/control_tree_view.h"

#include <algorithm>
#include <cwctype>
#include <functional>
#include <unordered_map>

#include "platform/dialog_messages.h"
#include "platform/gdi_sys_color.h"
#include "platform/hardware_key_names.h"
#include "platform/views_look.h"
#include "platform/views_scroll_bar.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/window_paint.h"

namespace platform::tree_view {

namespace {

struct node {
  item_id parent = root;
  std::vector<item_id> children;
  std::wstring text;
  int icon_index = -1;
  std::uintptr_t data = 0;
  bool has_children = false;
  bool expanded = false;
};

struct shown_row {
  item_id item = root;
  int depth = 0;
};

struct tree_state {
  views_look look = views_look::current();
  std::unordered_map<item_id, node> nodes{{root, node{}}};
  item_id next_id = 1;
  std::vector<icon> icons;
  item_id selected = root;
  views_scroll_bar scroll;
  bool stylus_on_bar = false;

  int indent() const { return 12 * look.scale; }
  node* find(item_id id) {
    const auto it = nodes.find(id);
    return it == nodes.end() ? nullptr : &it->second;
  }
  // The rows the expansion shows, in order.
  std::vector<shown_row> shown() const {
    std::vector<shown_row> rows;
    const std::function<void(item_id, int)> walk = [&](item_id id, int depth) {
      for (item_id child : nodes.at(id).children) {
        rows.push_back({child, depth});
        if (nodes.at(child).expanded) walk(child, depth + 1);
      }
    };
    walk(root, 0);
    return rows;
  }
};

tree_state* state_of(hwnd h) {
  if (!is_window(h) || class_name_of(h) != class_name) return nullptr;
  return reinterpret_cast<tree_state*>(window_data(h));
}

int page_of(hwnd h, const tree_state& st) {
  return std::max(1, client_rect(h).height() / std::max(st.look.row_height, 1));
}

void update_scroll(hwnd h, tree_state& st) {
  const rect client = client_rect(h);
  st.scroll.set({client.right - st.look.scroll_width, client.top, client.right, client.bottom},
                static_cast<int>(st.shown().size()), page_of(h, st));
}

void refresh(hwnd h, tree_state& st) {
  update_scroll(h, st);
  invalidate_rect(h, std::nullopt, false);
}

int row_index(const std::vector<shown_row>& rows, item_id item) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].item == item) return static_cast<int>(i);
  }
  return -1;
}

rect row_rect(hwnd h, const tree_state& st, int index) {
  const rect client = client_rect(h);
  const int top = client.top + (index - st.scroll.position()) * st.look.row_height;
  const int right = st.scroll.shown() ? st.scroll.area().left : client.right;
  return {client.left, top, right, top + st.look.row_height};
}

// The expand button's square for a row at a depth.
rect button_rect(const tree_state& st, const rect& row, int depth) {
  const int side = 9 * st.look.scale;
  const int left = row.left + st.look.pad + depth * st.indent() + (st.indent() - side) / 2;
  return rect::from_size({left, row.top + (row.height() - side) / 2}, {side, side});
}

bool shows_button(const node& n) { return n.has_children || !n.children.empty(); }

void paint(hwnd h, tree_state& st) {
  paint_context pc = begin_paint(h);
  dc& d = pc.hdc;
  const views_look& look = st.look;
  const rect client = client_rect(h);
  d.fill_rect(client, brush::solid(get_sys_color(sys_color::window)));
  d.set_bk_mode(background_mode_t::transparent);
  d.select_font(look.text_font);
  const std::vector<shown_row> rows = st.shown();
  const pen old_pen = d.select_pen({pen_style_t::solid, 1, get_sys_color(sys_color::button_shadow)});
  const brush old_brush = d.select_brush(brush::solid(get_sys_color(sys_color::window)));
  for (int i = st.scroll.position(); i < static_cast<int>(rows.size()); ++i) {
    const rect r = row_rect(h, st, i);
    if (r.top >= client.bottom) break;
    const node& n = st.nodes.at(rows[static_cast<std::size_t>(i)].item);
    const int depth = rows[static_cast<std::size_t>(i)].depth;
    if (shows_button(n)) {
      // A boxed plus, or a minus while expanded.
      const rect b = button_rect(st, r, depth);
      d.select_pen({pen_style_t::solid, 1, get_sys_color(sys_color::button_shadow)});
      d.rectangle(b);
      d.select_pen({pen_style_t::solid, 1, get_sys_color(sys_color::window_text)});
      const int cx = b.left + b.width() / 2;
      const int cy = b.top + b.height() / 2;
      const int arm = b.width() / 2 - 2 * look.scale;
      for (int t = 0; t < look.scale; ++t) {
        d.move_to(cx - arm, cy + t);
        d.line_to(cx + arm + 1, cy + t);
        if (!n.expanded) {
          d.move_to(cx + t, cy - arm);
          d.line_to(cx + t, cy + arm + 1);
        }
      }
    }
    int left = r.left + look.pad + (depth + 1) * st.indent();
    if (n.icon_index >= 0 && n.icon_index < static_cast<int>(st.icons.size())) {
      d.draw_icon(rect::from_size({left, r.top + (r.height() - look.icon_size) / 2}, {look.icon_size, look.icon_size}),
                  st.icons[static_cast<std::size_t>(n.icon_index)]);
    }
    if (!st.icons.empty()) left += look.icon_size + look.pad;
    // The selection highlights the text only, as wide as it is.
    rect text{left, r.top, r.right, r.bottom};
    const bool selected = rows[static_cast<std::size_t>(i)].item == st.selected;
    if (selected && look.text_font) {
      const int width = look.text_font->text_width(n.text) + 2 * look.pad;
      d.fill_rect({text.left, r.top + look.pad / 2, std::min(text.left + width, r.right), r.bottom - look.pad / 2},
                  brush::solid(get_sys_color(sys_color::highlight)));
    }
    d.set_text_color(get_sys_color(selected ? sys_color::highlight_text : sys_color::window_text));
    text.left += look.pad;
    if (text.right > text.left) d.draw_text(n.text, text, dt_left | dt_vcenter | dt_singleline | dt_noprefix);
  }
  d.select_pen(old_pen);
  d.select_brush(old_brush);
  st.scroll.draw(d);
  end_paint(pc);
}

// Tells the parent about an item with its data; false when the parent destroyed the tree.
bool notify_item(hwnd h, tree_state& st, int code, item_id item, action_t action, lresult_t* answer = nullptr) {
  notify n;
  n.item = item;
  const node* target = st.find(item);
  n.data = target != nullptr ? target->data : 0;
  n.action = action;
  return notify_parent_survives(h, code, n.header, answer);
}

void show_index(hwnd h, tree_state& st, int index) {
  if (index < 0) return;
  update_scroll(h, st);
  if (st.scroll.scroll_into_view(index)) invalidate_rect(h, std::nullopt, false);
}

// Selects an item that exists (root: none), telling the parent of a change; false when the
// parent destroyed the tree meanwhile.
bool change_selection(hwnd h, tree_state& st, item_id item) {
  if (item == st.selected) return true;
  st.selected = item;
  invalidate_rect(h, std::nullopt, false);
  return notify_item(h, st, selection_changed, item, action_t::expand);
}

bool is_below(const tree_state& st, item_id item, item_id ancestor) {
  for (item_id at = item; at != root;) {
    at = st.nodes.at(at).parent;
    if (at == ancestor) return true;
  }
  return false;
}

bool do_expand(hwnd h, tree_state& st, item_id item, action_t action) {
  node* n = st.find(item);
  if (n == nullptr || item == root) return false;
  const bool expand_it = action == action_t::expand;
  if (n->expanded == expand_it) return true;
  if (expand_it && !shows_button(*n)) return false;
  lresult_t refused = 0;
  // The parent may have destroyed the tree or deleted the item meanwhile.
  if (!notify_item(h, st, item_expanding, item, action, &refused) || refused != 0 || (n = st.find(item)) == nullptr) {
    return false;
  }
  if (expand_it && n->children.empty()) {
    // Nothing to show: the button goes.
    n->has_children = false;
    refresh(h, st);
    return false;
  }
  n->expanded = expand_it;
  // A selection hidden by collapsing moves up to the collapsed item.
  if (!expand_it && st.selected != root && is_below(st, st.selected, item) && !change_selection(h, st, item)) {
    return false;
  }
  refresh(h, st);
  notify_item(h, st, item_expanded, item, action);
  return true;
}

void erase_subtree(tree_state& st, item_id item) {
  for (item_id child : st.nodes.at(item).children) erase_subtree(st, child);
  st.nodes.erase(item);
}

bool sort_of(tree_state& st, item_id parent) {
  node* p = st.find(parent);
  if (p == nullptr) return false;
  const auto lower = [](const std::wstring& s) {
    std::wstring out = s;
    for (wchar_t& c : out) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return out;
  };
  std::stable_sort(p->children.begin(), p->children.end(), [&](item_id a, item_id b) {
    return lower(st.nodes.at(a).text) < lower(st.nodes.at(b).text);
  });
  return true;
}

void stylus_down(hwnd h, tree_state& st, point p) {
  set_focus(h);
  if (st.scroll.shown() && st.scroll.area().contains(p)) {
    st.stylus_on_bar = true;
    set_capture(h);
    if (st.scroll.stylus_down(p)) invalidate_rect(h, std::nullopt, false);
    return;
  }
  const std::vector<shown_row> rows = st.shown();
  const int index = st.scroll.position() + p.y / std::max(st.look.row_height, 1);
  if (p.y < 0 || index >= static_cast<int>(rows.size())) return;
  const shown_row& row = rows[static_cast<std::size_t>(index)];
  const node& n = st.nodes.at(row.item);
  const rect r = row_rect(h, st, index);
  // The whole indent cell of the button takes the tap, which is small for a stylus otherwise.
  const rect b = button_rect(st, r, row.depth);
  const rect cell{r.left + st.look.pad + row.depth * st.indent(), r.top, b.right + st.look.pad, r.bottom};
  if (shows_button(n) && cell.contains(p)) {
    do_expand(h, st, row.item, n.expanded ? action_t::collapse : action_t::expand);
    return;
  }
  // The parent, told of the change, may have destroyed the tree.
  if (change_selection(h, st, row.item)) show_index(h, st, index);
}

void key_down(hwnd h, tree_state& st, wparam_t key) {
  const std::vector<shown_row> rows = st.shown();
  if (rows.empty()) return;
  const int index = row_index(rows, st.selected);
  const auto go = [&](int to) {
    to = std::clamp(to, 0, static_cast<int>(rows.size()) - 1);
    if (change_selection(h, st, rows[static_cast<std::size_t>(to)].item)) show_index(h, st, to);
  };
  if (index < 0) {
    go(key == vk_nav_up ? static_cast<int>(rows.size()) - 1 : 0);
    return;
  }
  const item_id item = st.selected;
  const node& n = st.nodes.at(item);
  if (key == vk_nav_up) {
    go(index - 1);
  } else if (key == vk_nav_down) {
    go(index + 1);
  } else if (key == vk_nav_right) {
    if (!n.expanded) {
      do_expand(h, st, item, action_t::expand);
    } else if (!n.children.empty()) {
      go(index + 1);
    }
  } else if (key == vk_nav_left) {
    if (n.expanded) {
      do_expand(h, st, item, action_t::collapse);
    } else if (n.parent != root) {
      go(row_index(rows, n.parent));
    }
  } else if (key == vk_nav_select) {
    do_expand(h, st, item, n.expanded ? action_t::collapse : action_t::expand);
  }
}

lresult_t tree_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::create) {
    set_window_data(h, reinterpret_cast<std::uintptr_t>(new tree_state));
    return 0;
  }
  tree_state* st = reinterpret_cast<tree_state*>(window_data(h));
  if (st == nullptr) return def_window_proc(h, message, w, l);
  switch (message) {
    case wm::ncdestroy:
      set_window_data(h, 0);
      delete st;
      return def_window_proc(h, message, w, l);
    case wm::size:
      refresh(h, *st);
      return 0;
    case wm::paint:
      paint(h, *st);
      return 0;
    case wm::erasebkgnd:
      return 1;
    case wm::lbuttondown:
      stylus_down(h, *st, point_of(l));
      return 0;
    case wm::mousemove:
    case wm::lbuttonup:
    case wm::capturechanged:
      st->scroll.follow_stylus(h, message, l, st->stylus_on_bar);
      return 0;
    case wm::keydown:
      if (w == vk_nav_up || w == vk_nav_down || w == vk_nav_left || w == vk_nav_right || w == vk_nav_select) {
        key_down(h, *st, w);
        return 0;
      }
      return def_window_proc(h, message, w, l);
    // In a dialog the tree keeps Up and Down; Left and Right move the focus on, and the stylus
    // expands and collapses.
    case wm::getdlgcode:
      return dlgc::wantupdown;
    default:
      return def_window_proc(h, message, w, l);
  }
}

}  // namespace

void register_class() {
  if (find_class(class_name) == nullptr) platform::register_class({class_name, tree_proc, get_sys_color(sys_color::window)});
}

int add_icon(hwnd tree, const icon& image) {
  tree_state* st = state_of(tree);
  if (st == nullptr) return -1;
  st->icons.push_back(image);
  return static_cast<int>(st->icons.size()) - 1;
}

item_id insert_item(hwnd tree, item_id parent, const std::wstring& text, int icon_index, std::uintptr_t data,
                    bool has_children, insert_at_t where) {
  tree_state* st = state_of(tree);
  if (st == nullptr || st->find(parent) == nullptr) return root;
  const item_id id = st->next_id++;
  st->nodes[id] = node{parent, {}, text, icon_index, data, has_children, false};
  std::vector<item_id>& siblings = st->nodes.at(parent).children;
  if (where == insert_at_t::first) {
    siblings.insert(siblings.begin(), id);
  } else {
    siblings.push_back(id);
    if (where == insert_at_t::sorted) sort_of(*st, parent);
  }
  refresh(tree, *st);
  return id;
}

bool delete_item(hwnd tree, item_id item) {
  tree_state* st = state_of(tree);
  if (st == nullptr || item == root || st->find(item) == nullptr) return false;
  // The parent may destroy the tree, or delete the item itself, on hearing of the selection.
  if ((st->selected == item || is_below(*st, st->selected, item)) && !change_selection(tree, *st, root)) return true;
  if (st->find(item) == nullptr) return true;
  std::vector<item_id>& siblings = st->nodes.at(st->nodes.at(item).parent).children;
  siblings.erase(std::find(siblings.begin(), siblings.end(), item));
  erase_subtree(*st, item);
  refresh(tree, *st);
  return true;
}

void delete_all_items(hwnd tree) {
  tree_state* st = state_of(tree);
  if (st == nullptr) return;
  if (!change_selection(tree, *st, root)) return;
  st->nodes = {{root, node{}}};
  st->scroll.scroll_to(0);
  refresh(tree, *st);
}

item_id parent_item(hwnd tree, item_id item) {
  tree_state* st = state_of(tree);
  const node* n = st == nullptr ? nullptr : st->find(item);
  return n == nullptr ? root : n->parent;
}

std::vector<item_id> children(hwnd tree, item_id item) {
  tree_state* st = state_of(tree);
  const node* n = st == nullptr ? nullptr : st->find(item);
  return n == nullptr ? std::vector<item_id>{} : n->children;
}

std::wstring item_text(hwnd tree, item_id item) {
  tree_state* st = state_of(tree);
  const node* n = st == nullptr ? nullptr : st->find(item);
  return n == nullptr ? std::wstring() : n->text;
}

std::uintptr_t item_data(hwnd tree, item_id item) {
  tree_state* st = state_of(tree);
  const node* n = st == nullptr ? nullptr : st->find(item);
  return n == nullptr ? 0 : n->data;
}

bool set_item_data(hwnd tree, item_id item, std::uintptr_t data) {
  tree_state* st = state_of(tree);
  node* n = st == nullptr || item == root ? nullptr : st->find(item);
  if (n == nullptr) return false;
  n->data = data;
  return true;
}

bool has_button(hwnd tree, item_id item) {
  tree_state* st = state_of(tree);
  const node* n = st == nullptr || item == root ? nullptr : st->find(item);
  return n != nullptr && shows_button(*n);
}

bool set_has_children(hwnd tree, item_id item, bool has_children) {
  tree_state* st = state_of(tree);
  node* n = st == nullptr || item == root ? nullptr : st->find(item);
  if (n == nullptr) return false;
  n->has_children = has_children;
  invalidate_rect(tree, std::nullopt, false);
  return true;
}

bool is_expanded(hwnd tree, item_id item) {
  tree_state* st = state_of(tree);
  const node* n = st == nullptr ? nullptr : st->find(item);
  return n != nullptr && n->expanded;
}

bool expand(hwnd tree, item_id item, action_t action) {
  tree_state* st = state_of(tree);
  return st != nullptr && do_expand(tree, *st, item, action);
}

bool sort_children(hwnd tree, item_id item) {
  tree_state* st = state_of(tree);
  if (st == nullptr || !sort_of(*st, item)) return false;
  refresh(tree, *st);
  return true;
}

item_id selected_item(hwnd tree) {
  tree_state* st = state_of(tree);
  return st == nullptr ? root : st->selected;
}

bool select_item(hwnd tree, item_id item) {
  tree_state* st = state_of(tree);
  if (st == nullptr || (item != root && st->find(item) == nullptr)) return false;
  change_selection(tree, *st, item);
  if (item != root) ensure_visible(tree, item);
  return true;
}

bool ensure_visible(hwnd tree, item_id item) {
  tree_state* st = state_of(tree);
  if (st == nullptr || item == root || st->find(item) == nullptr) return false;
  for (item_id at = st->nodes.at(item).parent; at != root; at = st->nodes.at(at).parent) {
    st->nodes.at(at).expanded = true;
  }
  refresh(tree, *st);
  show_index(tree, *st, row_index(st->shown(), item));
  return true;
}

rect item_rect(hwnd tree, item_id item) {
  tree_state* st = state_of(tree);
  if (st == nullptr) return {};
  const int index = row_index(st->shown(), item);
  return index < 0 ? rect{} : row_rect(tree, *st, index);
}

int shown_count(hwnd tree) {
  tree_state* st = state_of(tree);
  return st == nullptr ? 0 : static_cast<int>(st->shown().size());
}

int top_index(hwnd tree) {
  tree_state* st = state_of(tree);
  return st == nullptr ? 0 : st->scroll.position();
}

}  // namespace platform::tree_view
