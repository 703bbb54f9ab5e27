// What the list box and the drop-down list say to each other and nobody else: the drop-down's
// popup list reports a pick or a dismissal to the drop-down, and the list answers scroll queries.
#pragma once

#include <cstdint>

namespace platform::list_private {

// Messages (beyond the list box's own range).
inline constexpr std::uint32_t set_notify_target = 0x01C0;  // wparam: the window told instead of the parent
inline constexpr std::uint32_t get_scroll_info = 0x01C1;    // wparam: 1 horizontal; lparam: list_scroll_info*

// Codes of a popup list's wm::command to its notify target.
inline constexpr std::uint32_t popup_pick = 0x7F01;    // the stylus was lifted on a line
inline constexpr std::uint32_t popup_cancel = 0x7F02;  // touched outside, or the stylus was taken away

}  // namespace platform::list_private
