#include "platform/control_notify.h"

#include "platform/message_queue.h"
#include "platform/window.h"

namespace platform {

lresult_t notify_parent(hwnd control, int code, notify_header& header) {
  header.from = control;
  header.id = window_id(control);
  header.code = code;
  const hwnd parent = parent_of(control);
  if (parent == no_window) return 0;
  return send_message(parent, wm_notify, header.id, reinterpret_cast<lparam_t>(&header));
}

bool notify_parent_survives(hwnd control, int code, notify_header& header, lresult_t* answer) {
  const lresult_t result = notify_parent(control, code, header);
  if (answer != nullptr) *answer = result;
  return is_window(control);
}

}  // namespace platform
