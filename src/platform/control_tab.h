// The tab control: a child window of the class tab_control::class_name with a row of tabs along
// its top and a framed display area below them, where the owner places the page of the
// selected tab. The stylus on another tab, or Left and Right while the control has the focus,
// first asks the parent (selection_changing, answered nonzero to keep the current tab), then
// selects it and tells the parent (selection_changed). Selecting from the program asks nothing.
#pragma once

#include <string>

#include "platform/control_notify.h"
#include "platform/geometry.h"
#include "platform/window_handle.h"

namespace platform::tab_control {

inline const std::wstring class_name = L"ZqTabControl";

// Notification codes.
inline constexpr int selection_changed = -551;
inline constexpr int selection_changing = -552;

struct notify {
  notify_header header;
  int tab = -1;   // the selected tab (while changing: the one still selected)
  int next = -1;  // while changing: the tab asked for
};

void register_class();

// Inserted before `index` (past the end: appended); returns the tab's index, -1 on failure. The
// first tab is selected when it is inserted.
int insert_tab(hwnd tabs, int index, const std::wstring& text);
int tab_count(hwnd tabs);
std::wstring tab_text(hwnd tabs, int tab);
int selected_tab(hwnd tabs);
bool select_tab(hwnd tabs, int tab);
// In the control's client coordinates.
rect tab_rect(hwnd tabs, int tab);
rect display_area(hwnd tabs);

}  // namespace platform::tab_control
