// The single-line edit field: a child window of class edit_class holding one line of text (its
// window text) with a caret and a selection, scrolled sideways to keep the caret in view.
//
// Input: characters arrive as wm::char_ (backspace is character 8; the control characters 3, 22,
// 24 and 26 copy, paste, cut and undo; other control characters are ignored); the keys Left/Right
// (with Shift held to extend the selection), Home, End and Delete; Ctrl+C, Ctrl+V, Ctrl+X and
// Ctrl+Z (the letter's key down while Control is down) copy, paste, cut and undo. The stylus places the caret and drags a selection. Holding the stylus still for
// edit_hold_ms before lifting it, or the context-menu request, opens the program's menu 257
// (Undo, Cut, Copy, Paste, Clear, Select All) with the items that cannot act greyed.
//
// A read-only field (es::readonly) refuses every change from the user (typing, cut, paste, clear,
// undo) but still selects and copies. The character limit cuts typed and pasted text; a pasted
// text's line breaks become spaces (a pasted list of words keeps its separators). Undo takes back the last change (typing in a row is one change);
// undoing twice redoes it.
//
// The parent hears of changes as wm::command with wparam (id, en::*) and lparam the field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/window_handle.h"
#include "platform/window_messages.h"

namespace platform {

inline constexpr const wchar_t* edit_class = L"Edit";

// Registers edit_class once (again after the window system was reset).
void register_edit_class();

namespace es {
inline constexpr std::uint32_t left = 0x0000;
inline constexpr std::uint32_t autohscroll = 0x0080;  // always in effect
inline constexpr std::uint32_t readonly = 0x0800;
inline constexpr std::uint32_t number = 0x2000;  // digits only: other characters are not typed, nor pasted
}  // namespace es

// Messages the field takes, with the handheld's numbers.
namespace em {
inline constexpr std::uint32_t getsel = 0x00B0;      // wparam, lparam: int* start, end (may be null); returns (start, end)
inline constexpr std::uint32_t setsel = 0x00B1;      // wparam start, lparam end; end -1: to the end; start -1: none
inline constexpr std::uint32_t replacesel = 0x00C2;  // wparam: can be undone; lparam: const wchar_t* (NUL-terminated)
inline constexpr std::uint32_t limittext = 0x00C5;   // wparam: the most characters, 0 for the largest
inline constexpr std::uint32_t canundo = 0x00C6;
inline constexpr std::uint32_t undo = 0x00C7;
inline constexpr std::uint32_t setreadonly = 0x00CF;  // wparam: 1 read-only, 0 editable
inline constexpr std::uint32_t getlimittext = 0x00D5;
}  // namespace em

// Generic messages the field answers besides wm::settext (lparam: const wchar_t*, NUL-terminated),
// the dialog's wm::getdlgcode (it keeps Left, Right and the characters) and wm::setfont/getfont.
namespace wm_edit {
inline constexpr std::uint32_t contextmenu = 0x007B;  // lparam: screen point, (-1, -1) for below the field
inline constexpr std::uint32_t cut = 0x0300;
inline constexpr std::uint32_t copy = 0x0301;
inline constexpr std::uint32_t paste = 0x0302;
inline constexpr std::uint32_t clear = 0x0303;
inline constexpr std::uint32_t undo = 0x0304;
}  // namespace wm_edit

// Notifications (high word of the command's wparam).
namespace en {
inline constexpr std::uint32_t setfocus = 0x0100;
inline constexpr std::uint32_t killfocus = 0x0200;
inline constexpr std::uint32_t change = 0x0300;   // the text changed (by the user or by settext)
inline constexpr std::uint32_t maxtext = 0x0501;  // text was cut at the character limit
}  // namespace en

// The command ids of menu 257, which the field carries out itself.
namespace edit_command {
inline constexpr std::uint32_t undo = 32835;
inline constexpr std::uint32_t cut = 32850;
inline constexpr std::uint32_t copy = 32851;
inline constexpr std::uint32_t paste = 32838;
inline constexpr std::uint32_t clear = 32843;
inline constexpr std::uint32_t select_all = 32839;
}  // namespace edit_command
inline constexpr std::uint16_t edit_context_menu_id = 257;

// The default and largest character limit.
inline constexpr int edit_max_limit = 30000;
// How long the stylus is held still for the context menu.
inline constexpr std::uint32_t edit_hold_ms = 500;

// Sets the field's text through its message (limit, undo and notification included).
void edit_set_text(hwnd field, std::wstring_view text);

}  // namespace platform
