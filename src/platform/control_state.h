// What each control of the dialogs keeps with its window (its window data): its font, its check
// state and the stylus press in progress; and the messages every such control handles alike.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/font.h"
#include "platform/window_messages.h"

namespace platform {

struct control_state {
  std::shared_ptr<const font> text_font;  // null: the default control font
  bool checked = false;
  bool pressed = false;         // the stylus went down on the control and is not lifted yet
  bool pressed_inside = false;  // ... and is over the control now

  const std::shared_ptr<const font>& font_to_draw_with();
};

// The state of a control window (null before its creation or after its end).
control_state* control_state_of(hwnd h);

// Creation and end of the state, the font messages, and a redraw when the control's enabled state
// or focus changes; everything else goes to the default handling. For a control's procedure
// to call for what it does not handle itself.
lresult_t control_default_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l);

}  // namespace platform
