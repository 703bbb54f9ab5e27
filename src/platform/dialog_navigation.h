// The navigation pad in a dialog: the focus steps through the tab-stop controls (visible, enabled,
// with the tab-stop style) in the dialog's order, wrapping at either end.
#pragma once

#include <vector>

#include "platform/window_handle.h"

namespace platform {

std::vector<hwnd> tab_stops_of(hwnd dialog);

// The tab stop after (or before) `from`; from a window that is no tab stop, the first (or the
// last). no_window when the dialog has none.
hwnd next_tab_stop(hwnd dialog, hwnd from, bool forward);

}  // namespace platform
