// Radio buttons: a round mark with its text beside it. Clicking one (stylus or button-click
// message) checks it, clears every other radio button of its group and sends the parent the
// clicked command. A group runs from a control with the group style (or the parent's first child)
// to the next control with the group style, in the order of the parent's children front to back,
// which is the order a dialog creates its controls in.
#pragma once

#include <string>
#include <vector>

#include "platform/window_handle.h"

namespace platform {

inline const std::wstring radio_button_class_name = L"RadioButton";

void register_radio_button_class();

// The radio buttons of the group the control belongs to, in order (the control itself included).
std::vector<hwnd> radio_group_of(hwnd control);

}  // namespace platform
