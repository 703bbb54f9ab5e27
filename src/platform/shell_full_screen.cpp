#include "platform/shell_full_screen.h"

#include "platform/window_records.h"

namespace platform {

bool shell_full_screen(hwnd h, std::uint32_t state) {
  detail::window_record* w = detail::find(h);
  if (w == nullptr) return false;
  // Each part has a show flag and, one bit above it, a hide flag.
  for (const std::uint32_t show : {shfs::showtaskbar, shfs::showsipbutton, shfs::showstarticon}) {
    const std::uint32_t hide = show << 1;
    if ((state & hide) != 0) w->shell_hidden_parts |= hide;
    if ((state & show) != 0) w->shell_hidden_parts &= ~hide;
  }
  return true;
}

std::uint32_t shell_hidden_parts(hwnd h) {
  const detail::window_record* w = detail::find(h);
  return w == nullptr ? 0 : w->shell_hidden_parts;
}

}  // namespace platform
