// What push buttons, radio buttons and check boxes share: the button messages, the clicked
// notification, and the stylus press — down on the control takes the focus and the capture and
// shows it pressed, sliding off shows it up again, lifting it over the control clicks it.
#pragma once

#include <cstdint>

#include "platform/control_state.h"
#include "platform/gdi_dc.h"
#include "platform/window_messages.h"

namespace platform {

namespace wm {
inline constexpr std::uint32_t bm_getcheck = 0x00F0;  // answers 1 when checked
inline constexpr std::uint32_t bm_setcheck = 0x00F1;  // wparam: 1 checks, 0 clears (no notification)
inline constexpr std::uint32_t bm_click = 0x00F5;     // clicks the control as the stylus would
}  // namespace wm

// The notification code (high word of the command's wparam) of a click.
inline constexpr std::uint32_t bn_clicked = 0;

// Sends the parent the command message of a click: wparam (id, bn_clicked), lparam the control.
void notify_clicked(hwnd control);

// Handles the stylus and capture messages of a button-like control, calling click(control) when
// the stylus is lifted over it; false for any other message.
bool track_button_press(hwnd control, control_state& state, std::uint32_t message, lparam_t l,
                        void (*click)(hwnd));

// The procedure of a control with a check state (check box, radio button): the stylus press,
// painting with paint(control), the check messages, and a click by message; click(control) is what
// a click does to the check state (it notifies the parent too).
lresult_t checkable_button_proc(hwnd control, std::uint32_t message, wparam_t w, lparam_t l, void (*paint)(hwnd),
                                void (*click)(hwnd));

// The label of a check box or radio button, right of its mark (mark_width pixels wide), grey while
// disabled, with the focus frame around the text while the control has the focus.
void draw_mark_label(dc& d, hwnd control, control_state& state, int mark_width);

// Reads and sets the check state of a radio button or check box.
bool is_button_checked(hwnd control);
void set_button_checked(hwnd control, bool checked);

}  // namespace platform
