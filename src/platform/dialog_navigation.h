// The navigation pad in a dialog: the focus steps through the tab-stop controls (visible, enabled,
// with the tab-stop style) in the dialog's order, wrapping at either end.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/window_messages.h"

namespace platform {

std::vector<hwnd> tab_stops_of(hwnd dialog);

// The tab stop after (or before) `from`; from a window that is no tab stop, the first (or the
// last). no_window when the dialog has none.
hwnd next_tab_stop(hwnd dialog, hwnd from, bool forward);

// The dlgc bits of the keys a control keeps for itself: its answer to the dialog-code message
// (0 from a control that keeps none).
lresult_t dialog_code_of(hwnd control, std::uint32_t key);

// Whether the control keeps this key (a pad arrow, Select, Enter or Escape) from the dialog.
bool control_keeps_key(hwnd control, std::uint32_t key);

}  // namespace platform
