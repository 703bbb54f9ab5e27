#include "platform/control_font.h"

#include "platform/dialog_messages.h"
#include "platform/message_queue.h"
#include "platform/screen.h"

namespace platform {

std::shared_ptr<const font> default_control_font() { return font::create({L"Tahoma", -11 * screen_scale(), 400}); }

void set_control_font(hwnd control, std::shared_ptr<const font> f, bool redraw) {
  send_message(control, wm::setfont, reinterpret_cast<wparam_t>(&f), redraw ? 1 : 0);
}

std::shared_ptr<const font> control_font(hwnd control) {
  const lresult_t answer = send_message(control, wm::getfont, 0, 0);
  const auto* kept = reinterpret_cast<const std::shared_ptr<const font>*>(answer);
  if (kept != nullptr && *kept) return *kept;
  return default_control_font();
}

}  // namespace platform
