// Message boxes: a modal box in front of its owner with a title, an icon, a text word-wrapped to
// the screen's width and one row of buttons. The owner's top-level window is disabled while the
// box is open and a nested message loop runs until a button is pressed: tapped with the stylus,
// the Select key for the default (first) button, Escape for Cancel (for OK alone in an OK box),
// or the headless script's answer. The transcript records the box and its answer.
#pragma once

#include <string_view>

#include "platform/message_box_answer.h"
#include "platform/window_handle.h"

namespace platform {

enum class message_box_buttons_t { ok, ok_cancel, yes_no, yes_no_cancel };

// Returns the pressed button. When the quit message ends the loop first, the box closes as if
// Escape was pressed (No for a Yes/No box) and the quit message stays posted.
message_box_button_t message_box(hwnd owner, std::wstring_view text, std::wstring_view title,
                                 message_box_icon_t icon, message_box_buttons_t buttons);

}  // namespace platform
