// The drop-down list (class "combobox", list-only): a field showing the selected line with a
// button beside it, and a popup list of the lines that drops down under the field (above it when
// the screen ends first). The height the control is created or moved with is the field's height
// plus the dropped list's; the control keeps the field's height and remembers the rest.
//
// Tapping the field opens the list and runs a nested message loop until it closes: lifting the
// stylus on a line chooses it (touching one line and sliding over the others highlights them),
// touching outside the list closes it without a choice (that touch and its lift go no further),
// and so do Escape or losing the stylus or the focus; Up and Down move the highlight, Select or
// Enter chooses. A closed drop-down with the focus moves its selection with Up and Down.
//
// The parent hears wm::command (low word: the control id, high word: the code; lparam: the
// control): cbn::dropdown before the list shows; on closing cbn::selendok (a choice) or
// cbn::selendcancel (none: the selection before opening comes back), then cbn::closeup, then
// cbn::selchange when the choice changed the selection. Up and Down on the closed drop-down send
// cbn::selchange. Changes made by messages notify nobody.
#pragma once

#include <cstdint>

#include "platform/control_listbox.h"
#include "platform/window.h"

namespace platform {

inline constexpr const wchar_t* combobox_class = L"combobox";

// Styles: a drop-down list always lists only; lbs::vscroll and lbs::hscroll give its list the
// scroll bars.
namespace cbs {
inline constexpr std::uint32_t dropdownlist = 0x0003;
inline constexpr std::uint32_t sort = 0x0100;
}  // namespace cbs

namespace cb {
inline constexpr std::intptr_t err = -1;
inline constexpr std::uint32_t addstring = 0x0143;       // as lb::addstring
inline constexpr std::uint32_t deletestring = 0x0144;
inline constexpr std::uint32_t getcount = 0x0146;
inline constexpr std::uint32_t getcursel = 0x0147;
inline constexpr std::uint32_t getlbtext = 0x0148;       // as lb::gettext
inline constexpr std::uint32_t getlbtextlen = 0x0149;
inline constexpr std::uint32_t insertstring = 0x014A;
inline constexpr std::uint32_t resetcontent = 0x014B;
inline constexpr std::uint32_t setcursel = 0x014E;
// wparam 1 opens the list without waiting for it to close (the caller runs its own loop until
// cbn::closeup); wparam 0 closes it without a choice.
inline constexpr std::uint32_t showdropdown = 0x014F;
inline constexpr std::uint32_t getitemdata = 0x0150;
inline constexpr std::uint32_t setitemdata = 0x0151;
inline constexpr std::uint32_t getdroppedstate = 0x0157;
inline constexpr std::uint32_t findstringexact = 0x0158;
inline constexpr std::uint32_t gethorizontalextent = 0x015D;
inline constexpr std::uint32_t sethorizontalextent = 0x015E;
}  // namespace cb

namespace cbn {
inline constexpr std::uint32_t selchange = 1;
inline constexpr std::uint32_t dropdown = 7;
inline constexpr std::uint32_t closeup = 8;
inline constexpr std::uint32_t selendok = 9;
inline constexpr std::uint32_t selendcancel = 10;
}  // namespace cbn

// Registers the class (and the list box class its list uses) once.
void register_combobox_class();

// Opens the list as a tap would and runs the nested loop until it closes. Returns false when the
// quit message ended the loop (it is posted again for the loops outside).
bool run_drop_down(hwnd combo);

// The popup list of a drop-down (tests look at it; forms use the cb messages).
hwnd combobox_list(hwnd combo);

// The text of a line (empty for an index out of range).
std::wstring combobox_text(hwnd combo, int index);

}  // namespace platform
