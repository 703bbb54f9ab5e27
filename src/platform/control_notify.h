// The notification message controls send to their parent: wparam is the control's id, lparam
// points to a header (the first member of the control's own notification record) naming the
// control, its id and what happened. Codes are negative and belong to the control's kind.
#pragma once

#include <cstdint>

#include "platform/window_messages.h"

namespace platform {

inline constexpr std::uint32_t wm_notify = 0x004E;

struct notify_header {
  hwnd from = no_window;
  std::uint32_t id = 0;
  int code = 0;
};

// Fills in the control and its id and sends the notification to the control's parent; returns
// the parent's answer (0 without a parent).
lresult_t notify_parent(hwnd control, int code, notify_header& header);

// Sends the notification as notify_parent does and tells whether the control outlived it: the
// parent may destroy the control while handling it, and the control must then leave its state
// alone. answer (when given) gets the parent's answer.
bool notify_parent_survives(hwnd control, int code, notify_header& header, lresult_t* answer = nullptr);

}  // namespace platform
