// The scroll bar control: a child window of class scroll_bar_class, vertical (sbs::vert) or
// horizontal, with an arrow button at each end and a thumb in the trough between them. The bar
// keeps a range, a page and a position (from min to max - page + 1 when a page is set); it moves
// the thumb itself only while the stylus drags it. Everything else it reports to its parent as
// scroll messages, and the parent sets the new position:
//   an arrow touched: sb::lineup / sb::linedown;
//   the trough touched before or after the thumb: sb::pageup / sb::pagedown;
//   the thumb dragged: sb::thumbtrack with each new position, sb::thumbposition where it is lifted;
//   the stylus lifted: sb::endscroll.
// A bar whose range holds no more than one page is disabled: no thumb, no messages.
#pragma once

#include <cstdint>

#include "platform/window_handle.h"
#include "platform/window_messages.h"

namespace platform {

inline constexpr const wchar_t* scroll_bar_class = L"ScrollBar";

// Registers scroll_bar_class once (again after the window system was reset).
void register_scroll_bar_class();

namespace sbs {
inline constexpr std::uint32_t horz = 0x0000;
inline constexpr std::uint32_t vert = 0x0001;
}  // namespace sbs

// The scroll messages the parent gets: wparam (sb::*, position for the thumb codes), lparam the bar.
namespace wm_scroll {
inline constexpr std::uint32_t hscroll = 0x0114;
inline constexpr std::uint32_t vscroll = 0x0115;
}  // namespace wm_scroll

namespace sb {
inline constexpr std::uint32_t lineup = 0;
inline constexpr std::uint32_t linedown = 1;
inline constexpr std::uint32_t pageup = 2;
inline constexpr std::uint32_t pagedown = 3;
inline constexpr std::uint32_t thumbposition = 4;
inline constexpr std::uint32_t thumbtrack = 5;
inline constexpr std::uint32_t endscroll = 8;
}  // namespace sb

struct scroll_info {
  std::uint32_t mask = 0;  // sif::*: which fields are given or wanted
  int min = 0;
  int max = 0;
  int page = 0;
  int pos = 0;
  int track_pos = 0;  // while the thumb is dragged
};

namespace sif {
inline constexpr std::uint32_t range = 0x0001;
inline constexpr std::uint32_t page = 0x0002;
inline constexpr std::uint32_t pos = 0x0004;
inline constexpr std::uint32_t trackpos = 0x0010;
inline constexpr std::uint32_t all = range | page | pos | trackpos;
}  // namespace sif

// Messages the bar takes, with the handheld's numbers.
namespace sbm {
inline constexpr std::uint32_t setpos = 0x00E0;         // wparam: position; lparam: redraw; returns the old one
inline constexpr std::uint32_t getpos = 0x00E1;
inline constexpr std::uint32_t setrange = 0x00E2;       // wparam min, lparam max
inline constexpr std::uint32_t getrange = 0x00E3;       // wparam, lparam: int* min, max
inline constexpr std::uint32_t setscrollinfo = 0x00E9;  // wparam: redraw; lparam: const scroll_info*; returns the position
inline constexpr std::uint32_t getscrollinfo = 0x00EA;  // lparam: scroll_info* with the mask of what is wanted
}  // namespace sbm

// The width of a vertical bar (the height of a horizontal one) on this screen.
int scroll_bar_thickness();

// Sets range, page and position in one go.
void set_scroll_bar(hwnd bar, int min, int max, int page, int pos);
int scroll_bar_pos(hwnd bar);

}  // namespace platform
