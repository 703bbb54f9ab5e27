// The list view in report mode: a child window of the class list_view::class_name showing rows
// under a row of column headers. The first column carries the row's small icon and text; the
// other columns carry texts set per row. A row is selected as a whole; each row keeps one
// pointer-sized value of its owner's. A vertical scroll bar appears when the rows do not fit.
//
// The stylus selects the row it touches (and gives the list the focus); Up and Down move the
// selection, keeping it in view. Every change of the selection notifies the parent
// (item_changed); every tap on a row notifies it too (clicked), after the selection.
#pragma once

#include <cstdint>
#include <string>

#include "platform/control_notify.h"
#include "platform/gdi_icon.h"
#include "platform/geometry.h"
#include "platform/window_handle.h"

namespace platform::list_view {

inline const std::wstring class_name = L"ZqListView";

// Notification codes.
inline constexpr int clicked = -2;
inline constexpr int item_changed = -101;

struct notify {
  notify_header header;
  int item = -1;  // the row now selected (-1: none), or the row tapped
  std::uintptr_t data = 0;
};

// Registers the window class once; create_window calls for the class need it first.
void register_class();

// Columns: inserted before `index` (past the end: appended). Width in pixels.
int insert_column(hwnd list, int index, const std::wstring& text, int width);
int column_count(hwnd list);
int column_width(hwnd list, int column);
bool set_column_width(hwnd list, int column, int width);

// The small icons rows name by index; returns the icon's index.
int add_icon(hwnd list, const icon& image);

// Rows: inserted before `index` (past the end: appended); returns the row's index, -1 on failure.
// icon_index -1: no icon.
int insert_item(hwnd list, int index, const std::wstring& text, int icon_index, std::uintptr_t data);
bool set_item_text(hwnd list, int item, int column, const std::wstring& text);
std::wstring item_text(hwnd list, int item, int column);
bool set_item_data(hwnd list, int item, std::uintptr_t data);
std::uintptr_t item_data(hwnd list, int item);
int item_count(hwnd list);
// The first row whose data equals data, or -1.
int find_item_by_data(hwnd list, std::uintptr_t data);
bool delete_item(hwnd list, int item);
void delete_all_items(hwnd list);

// The selected row or -1. Selecting notifies the parent when the selection changes; -1 clears it.
int selected_item(hwnd list);
bool select_item(hwnd list, int item);
// Scrolls the least needed to show the whole row.
bool ensure_visible(hwnd list, int item);
// The first row shown, and how many rows fit below the headers.
int top_index(hwnd list);
int rows_per_page(hwnd list);
// A row's rectangle in the list's client coordinates (as scrolled), empty for no row.
rect item_rect(hwnd list, int item);

}  // namespace platform::list_view
