// Check boxes: a square with a tick when checked and the text beside it. Clicking one (stylus or
// button-click message) turns the tick over and sends the parent the clicked command.
#pragma once

#include <string>

namespace platform {

inline const std::wstring check_box_class_name = L"CheckBox";

void register_check_box_class();

}  // namespace platform
