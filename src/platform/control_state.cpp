#include "platform/control_state.h"

#include "platform/control_font.h"
#include "platform/dialog_messages.h"
#include "platform/window.h"
#include "platform/window_paint.h"

namespace platform {

const std::shared_ptr<const font>& control_state::font_to_draw_with() {
  if (!text_font) text_font = default_control_font();
  return text_font;
}

control_state* control_state_of(hwnd h) { return reinterpret_cast<control_state*>(window_data(h)); }

lresult_t control_default_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  switch (message) {
    case wm::create:
      set_window_data(h, reinterpret_cast<std::uintptr_t>(new control_state));
      return 0;
    case wm::ncdestroy:
      delete control_state_of(h);
      set_window_data(h, 0);
      return def_window_proc(h, message, w, l);
    case wm::setfont:
      if (control_state* state = control_state_of(h)) {
        const auto* given = reinterpret_cast<const std::shared_ptr<const font>*>(w);
        state->text_font = given != nullptr ? *given : nullptr;
        if (l != 0) invalidate_rect(h, std::nullopt, true);
      }
      return 0;
    case wm::getfont: {
      control_state* state = control_state_of(h);
      return state != nullptr && state->text_font ? reinterpret_cast<lresult_t>(&state->text_font) : 0;
    }
    case wm::enable:
    case wm::setfocus:
    case wm::killfocus:
      invalidate_rect(h, std::nullopt, true);
      return 0;
    default:
      return def_window_proc(h, message, w, l);
  }
}

}  // namespace platform
