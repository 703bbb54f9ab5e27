// The tree view: a child window of the class tree_view::class_name showing items nested under
// items, each with an optional small icon, an expand button when it has (or may have) children,
// and one pointer-sized value of its owner's. Children of an item show while it is expanded, one
// level further right. A vertical scroll bar appears when the shown items do not fit.
//
// Expanding asks the parent first (item_expanding, answered nonzero to refuse), which may fill
// the item's children then; an item still without children afterwards stays collapsed and loses
// its button. The stylus on a button expands or collapses; elsewhere on a row it selects the
// item. Up and Down move the selection; Right expands (or goes to the first child), Left
// collapses (or goes to the parent), Select toggles. Selection changes notify the parent.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/control_notify.h"
#include "platform/gdi_icon.h"
#include "platform/geometry.h"
#include "platform/window_handle.h"

namespace platform::tree_view {

inline const std::wstring class_name = L"ZqTreeView";

// Items are named by numbers that stay valid until the item is deleted. The invisible root,
// parent of the top-level items, is 0; 0 also stands for "no item".
using item_id = std::uint32_t;
inline constexpr item_id root = 0;

// Notification codes.
inline constexpr int selection_changed = -402;
inline constexpr int item_expanding = -405;
inline constexpr int item_expanded = -406;

enum class action_t { collapse, expand };

struct notify {
  notify_header header;
  item_id item = root;  // the item selected (root: none), expanding or collapsing
  std::uintptr_t data = 0;
  action_t action = action_t::expand;  // for the expansion codes
};

enum class insert_at_t { first, last, sorted };

void register_class();

// The small icons items name by index; returns the icon's index.
int add_icon(hwnd tree, const icon& image);

// Returns the new item, or root when the tree or the parent does not exist. icon_index -1: none.
// has_children: whether the item shows an expand button before it has children.
item_id insert_item(hwnd tree, item_id parent, const std::wstring& text, int icon_index, std::uintptr_t data,
                    bool has_children, insert_at_t where = insert_at_t::last);
// Deletes the item with everything below it; a selection inside is cleared (and notified).
bool delete_item(hwnd tree, item_id item);
void delete_all_items(hwnd tree);

item_id parent_item(hwnd tree, item_id item);
std::vector<item_id> children(hwnd tree, item_id item);
std::wstring item_text(hwnd tree, item_id item);
std::uintptr_t item_data(hwnd tree, item_id item);
bool set_item_data(hwnd tree, item_id item, std::uintptr_t data);
// Whether the item shows an expand button.
bool has_button(hwnd tree, item_id item);
bool set_has_children(hwnd tree, item_id item, bool has_children);
bool is_expanded(hwnd tree, item_id item);

// Expands or collapses with the notifications; false when refused or impossible.
bool expand(hwnd tree, item_id item, action_t action);
// Orders the item's children by text, ignoring case (equal texts keep their order).
bool sort_children(hwnd tree, item_id item);

item_id selected_item(hwnd tree);
// Selects (root: clears), notifying a change, and brings the item into view.
bool select_item(hwnd tree, item_id item);
// Expands the item's ancestors (without asking) and scrolls the least needed to show it.
bool ensure_visible(hwnd tree, item_id item);
// The item's row in the tree's client coordinates; empty when it does not show.
rect item_rect(hwnd tree, item_id item);
// The rows shown by expansion (whether scrolled into view or not) and the first one in view.
int shown_count(hwnd tree);
int top_index(hwnd tree);

}  // namespace platform::tree_view
