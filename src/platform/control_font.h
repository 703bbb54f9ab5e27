// The font a control draws with: the dialog gives each of its controls the dialog font; a form may
// give one control another (a title). A control without one draws with the default control font.
#pragma once

#include <memory>

#include "platform/font.h"
#include "platform/window_handle.h"

namespace platform {

// Tahoma 11 pixels to the em (twice that on a high-resolution screen), normal weight.
std::shared_ptr<const font> default_control_font();

void set_control_font(hwnd control, std::shared_ptr<const font> f, bool redraw = true);
// The control's font; the default control font when it keeps none or does not answer.
std::shared_ptr<const font> control_font(hwnd control);

}  // namespace platform
