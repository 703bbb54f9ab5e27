// The icons of message boxes, drawn with the drawing primitives so that they stay sharp at every
// size: stop (red octagon, white bar), error (red disc, white cross), warning (yellow triangle,
// black "!"), exclamation (yellow disc, black "!"), information (blue disc, white "i") and
// question (blue disc, white "?").
#pragma once

#include "platform/gdi_dc.h"
#include "platform/message_box_answer.h"

namespace platform {

// Draws the icon into the square r (nothing for message_box_icon_t::none).
void draw_message_box_icon(dc& target, const rect& r, message_box_icon_t icon);

}  // namespace platform
