// The messages between a dialog and its controls, with the handheld's numbers: the dialog's
// initialisation, the codes a control answers to say which keys it handles itself, the fonts
// controls draw with, and the dialog's two fixed command ids. Notifications with a header come as wm_notify (control_notify.h).
#pragma once

#include <cstdint>

#include "platform/window_messages.h"

namespace platform {

namespace wm {
// Sent to the dialog once its controls exist, before it is shown. wparam: the control that gets
// the focus when the dialog answers nonzero (the first tab stop).
inline constexpr std::uint32_t initdialog = 0x0110;
// Asked of the focus control before the dialog uses a key: dlgc bits of the keys it keeps.
inline constexpr std::uint32_t getdlgcode = 0x0087;
// wparam: a std::shared_ptr<const font>* the control copies (a null one: its default font);
// lparam nonzero: redraw.
inline constexpr std::uint32_t setfont = 0x0030;
// Answers a const std::shared_ptr<const font>* to the control's font, or 0 when it has none.
inline constexpr std::uint32_t getfont = 0x0031;
}  // namespace wm

namespace dlgc {
inline constexpr lresult_t wantarrows = 0x0001;   // Up, Down, Left, Right stay with the control
inline constexpr lresult_t wantallkeys = 0x0004;  // every key stays with the control
inline constexpr lresult_t hassetsel = 0x0008;    // a text field: its whole text is selected when it gets the focus
// The pad's two axes apart: a list keeps Up and Down (Left and Right still leave it), a text
// field or a tab row keeps Left and Right (Up and Down still leave it).
inline constexpr lresult_t wantupdown = 0x4000;
inline constexpr lresult_t wantleftright = 0x8000;
}  // namespace dlgc

// The command ids of OK and Cancel: Select presses the default button (OK unless a push button is
// marked default); Escape sends the Cancel command whether or not a Cancel button exists.
inline constexpr std::uint32_t idok = 1;
inline constexpr std::uint32_t idcancel = 2;

}  // namespace platform
