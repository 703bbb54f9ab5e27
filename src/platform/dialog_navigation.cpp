#include "platform/dialog_navigation.h"

#include <algorithm>

#include "platform/dialog_template.h"
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

}  // namespace platform
