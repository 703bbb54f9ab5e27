// An open popup menu: a window in front of everything that never takes the activation, and a
// nested message loop that tracks it. Before it shows, the owner gets the enter-menu-loop
// message and the notification wm::initmenupopup (wparam: the menu, which the owner may change:
// remove, append, check items); when it closes, the exit-menu-loop message, then a picked
// command is posted to the owner as wm::command with the item's id.
//
// The stylus picks the item it is lifted on (sliding over the items highlights them); touching
// outside the popup closes it and the touch goes no further (nor its lift while the stylus is
// held). Keys: Up and Down move the highlight over the items that can be picked, Select picks
// the highlighted one, Escape closes.
#pragma once

#include <cstdint>

#include "platform/geometry.h"
#include "platform/menu.h"
#include "platform/window_handle.h"

namespace platform {

namespace tpm {
inline constexpr std::uint32_t leftalign = 0x0000;    // x is the popup's left edge
inline constexpr std::uint32_t topalign = 0x0000;     // y is the popup's top edge
inline constexpr std::uint32_t bottomalign = 0x0020;  // y is the popup's bottom edge
inline constexpr std::uint32_t returncmd = 0x0100;    // return the command instead of posting it
// The popup is opened from a menu bar: the menu-loop messages carry 0.
inline constexpr std::uint32_t from_menu_bar = 0x10000000;
}  // namespace tpm

// Opens the popup at the screen point (kept on the screen) for the owner and tracks it until it
// closes. Returns the picked command id, 0 when none was picked. position is the popup's place in
// its menu bar, handed on with the notification.
std::uint32_t track_popup_menu(menu& popup, std::uint32_t flags, point at, hwnd owner, int position = 0);

// The class name of the popup window (tests find the open popup by it).
inline constexpr const wchar_t* popup_menu_class = L"ZqPopupMenu";

}  // namespace platform
