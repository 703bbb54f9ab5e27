#include "platform/dialog_navigation.h"

#include <algorithm>

#include "platform/dialog_messages.h"
#include "platform/dialog_template.h"
#include "platform/hardware_key_names.h"
#include "platform/message_queue.h"
#include "platform/window.h"

namespace platform {

std::vector<hwnd> tab_stops_of(hwnd dialog) {
  std::vector<hwnd> stops;
  for (const hwnd child : children_of(dialog)) {
    if ((window_style(child) & dialog_style::tabstop) != 0 && is_window_visible(child) && is_window_enabled(child)) {
      stops.push_back(child);
    }
  }
  return stops;
}

hwnd next_tab_stop(hwnd dialog, hwnd from, bool forward) {
  const std::vector<hwnd> stops = tab_stops_of(dialog);
  if (stops.empty()) return no_window;
  const auto at = std::find(stops.begin(), stops.end(), from);
  if (at == stops.end()) return forward ? stops.front() : stops.back();
  const std::size_t index = static_cast<std::size_t>(at - stops.begin());
  const std::size_t count = stops.size();
  return stops[forward ? (index + 1) % count : (index + count - 1) % count];
}

lresult_t dialog_code_of(hwnd control, std::uint32_t key) {
  return send_message(control, wm::getdlgcode, key, 0);
}

bool control_keeps_key(hwnd control, std::uint32_t key) {
  const lresult_t wants = dialog_code_of(control, key);
  if ((wants & dlgc::wantallkeys) != 0) return true;
  const bool vertical = key == vk_nav_up || key == vk_nav_down;
  const bool horizontal = key == vk_nav_left || key == vk_nav_right;
  if ((vertical || horizontal) && (wants & dlgc::wantarrows) != 0) return true;
  return (vertical && (wants & dlgc::wantupdown) != 0) || (horizontal && (wants & dlgc::wantleftright) != 0);
}

}  // namespace platform
