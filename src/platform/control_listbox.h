// The list box control (class "listbox"): lines of text, each with one pointer-sized value of its
// owner's, kept in insertion order or sorted, one selected line or none, scrolled vertically by
// lines and horizontally by pixels over a horizontal extent its owner sets.
//
// The stylus selects the line it touches and follows the drag (dragging past the top or the
// bottom edge scrolls a line per move); the built-in scroll bars scroll by a line at their arrows,
// by a page in their tracks and follow their thumbs. Up and Down move the selection by one line.
// With lbs::notify the parent hears of what the user does as wm::command (low word: the control
// id, high word: the code; lparam: the list box): lbn::selchange when a tap, a drag or a key has
// changed the selection (at the lift for the stylus), lbn::dblclk when a line is touched again
// within the double-tap time after it was tapped. Changes made by messages notify nobody.
//
// Messages take and give texts as NUL-terminated wide strings; indexes out of range answer lb::err.
#pragma once

#include <cstdint>
#include <string>

#include "platform/window.h"

namespace platform {

inline constexpr const wchar_t* listbox_class = L"listbox";

// Styles of a list box (its window style bits).
namespace lbs {
inline constexpr std::uint32_t notify = 0x0001;    // tell the parent about the user's selections
inline constexpr std::uint32_t sort = 0x0002;      // keep the lines sorted (lb::addstring)
inline constexpr std::uint32_t noredraw = 0x0004;  // start with redrawing suspended
inline constexpr std::uint32_t hscroll = 0x00100000;  // a horizontal scroll bar when the extent needs it
inline constexpr std::uint32_t vscroll = 0x00200000;  // a vertical scroll bar when the lines need it
}  // namespace lbs

namespace lb {
inline constexpr std::intptr_t err = -1;
// Suspends (wparam 0) or resumes (wparam 1) redrawing; resuming redraws the whole list.
inline constexpr std::uint32_t setredraw = 0x000B;
inline constexpr std::uint32_t addstring = 0x0180;     // lparam: text; sorted or at the end; answers its index
inline constexpr std::uint32_t insertstring = 0x0181;  // wparam: index (-1: the end); never sorts
inline constexpr std::uint32_t deletestring = 0x0182;  // wparam: index; answers the lines left
inline constexpr std::uint32_t resetcontent = 0x0184;
inline constexpr std::uint32_t setcursel = 0x0186;     // wparam: index, -1 for none; scrolls it into view
inline constexpr std::uint32_t getcursel = 0x0188;     // -1 (err) when none is selected
inline constexpr std::uint32_t gettext = 0x0189;       // wparam: index; lparam: buffer of gettextlen + 1
inline constexpr std::uint32_t gettextlen = 0x018A;
inline constexpr std::uint32_t getcount = 0x018B;
inline constexpr std::uint32_t gettopindex = 0x018E;
inline constexpr std::uint32_t gethorizontalextent = 0x0193;
inline constexpr std::uint32_t sethorizontalextent = 0x0194;  // wparam: the width the lines need, in pixels
inline constexpr std::uint32_t settopindex = 0x0197;
inline constexpr std::uint32_t getitemdata = 0x0199;
inline constexpr std::uint32_t setitemdata = 0x019A;    // wparam: index; lparam: the value
inline constexpr std::uint32_t getitemheight = 0x01A1;
// wparam: the index to search after (-1: from the start), wrapping round; lparam: the text,
// compared without regard to case.
inline constexpr std::uint32_t findstringexact = 0x01A2;
// lparam: a client point; answers the line under it in the low word, 1 in the high word when the
// point lies outside the lines.
inline constexpr std::uint32_t itemfrompoint = 0x01A9;
}  // namespace lb

namespace lbn {
inline constexpr std::uint32_t selchange = 1;
inline constexpr std::uint32_t dblclk = 2;
}  // namespace lbn

// Registers the class once (again after the window system was reset).
void register_listbox_class();

// The text of a line (empty for an index out of range).
std::wstring listbox_text(hwnd list, int index);

// A built-in scroll bar's state: positions run from 0 to max_pos; page is what one view shows
// (lines vertically, pixels horizontally). shown is false when the bar is absent.
struct list_scroll_info {
  bool shown = false;
  int total = 0;
  int page = 0;
  int pos = 0;
  int max_pos() const { return total > page ? total - page : 0; }
};
list_scroll_info listbox_scroll_info(hwnd list, bool horizontal);

}  // namespace platform
