// Window message numbers and their parameters. The numbers are the handheld's own, because other
// programs post some of them by number (the wake-up message 1124, the form messages 0x401-0x404).
#pragma once

#include <cstdint>

#include "platform/geometry.h"
#include "platform/window_handle.h"

namespace platform {

using wparam_t = std::uintptr_t;
using lparam_t = std::intptr_t;
using lresult_t = std::intptr_t;

// One message as the queue holds it.
struct msg {
  hwnd window = no_window;
  std::uint32_t message = 0;
  wparam_t wparam = 0;
  lparam_t lparam = 0;
  std::uint32_t time_ms = 0;  // the clock when it was posted
};

namespace wm {
inline constexpr std::uint32_t null = 0x0000;
inline constexpr std::uint32_t create = 0x0001;   // lparam: create_params*; -1 refuses the window
inline constexpr std::uint32_t destroy = 0x0002;
inline constexpr std::uint32_t move = 0x0003;     // lparam: client origin in the parent (x, y)
inline constexpr std::uint32_t size = 0x0005;     // lparam: client size (width, height)
inline constexpr std::uint32_t activate = 0x0006; // wparam low word: wa::*; lparam: the other window
inline constexpr std::uint32_t setfocus = 0x0007; // wparam: the window that lost it
inline constexpr std::uint32_t killfocus = 0x0008;  // wparam: the window that gets it
inline constexpr std::uint32_t enable = 0x000A;
inline constexpr std::uint32_t settext = 0x000C;
inline constexpr std::uint32_t paint = 0x000F;
inline constexpr std::uint32_t close = 0x0010;
inline constexpr std::uint32_t quit = 0x0012;
inline constexpr std::uint32_t erasebkgnd = 0x0014;  // wparam: dc* to erase with
inline constexpr std::uint32_t showwindow = 0x0018;  // wparam: 1 shown, 0 hidden
inline constexpr std::uint32_t settingchange = 0x001A;
inline constexpr std::uint32_t cancelmode = 0x001F;
inline constexpr std::uint32_t windowposchanging = 0x0046;  // lparam: window_pos*
inline constexpr std::uint32_t windowposchanged = 0x0047;   // lparam: window_pos*
inline constexpr std::uint32_t ncdestroy = 0x0082;
inline constexpr std::uint32_t keyfirst = 0x0100;
inline constexpr std::uint32_t keydown = 0x0100;  // wparam: virtual key; lparam: repeat count and flags
inline constexpr std::uint32_t keyup = 0x0101;
inline constexpr std::uint32_t char_ = 0x0102;
inline constexpr std::uint32_t keylast = 0x0108;
inline constexpr std::uint32_t command = 0x0111;  // wparam low word: command id
inline constexpr std::uint32_t timer = 0x0113;
inline constexpr std::uint32_t initmenupopup = 0x0117;  // wparam: menu*; lparam low word: its position
inline constexpr std::uint32_t mousefirst = 0x0200;
inline constexpr std::uint32_t mousemove = 0x0200;    // the stylus moves while down
inline constexpr std::uint32_t lbuttondown = 0x0201;  // the stylus touches the screen
inline constexpr std::uint32_t lbuttonup = 0x0202;    // the stylus is lifted
inline constexpr std::uint32_t mouselast = 0x0209;
inline constexpr std::uint32_t entermenuloop = 0x0211;   // wparam: 1 for a popup of its own, 0 from a menu bar
inline constexpr std::uint32_t exitmenuloop = 0x0212;    // wparam: as entermenuloop
inline constexpr std::uint32_t capturechanged = 0x0215;  // lparam: the new capture window
inline constexpr std::uint32_t hotkey = 0x0312;          // wparam: id; lparam: (modifiers, key)
inline constexpr std::uint32_t user = 0x0400;
inline constexpr std::uint32_t app = 0x8000;
}  // namespace wm

// Messages of the application and of the programs beside it.
inline constexpr std::uint32_t wm_wakeup = wm::user + 100;  // 1124: the handheld woke up
// The settings-change parameter telling top-level windows that the screen was reset (rotated).
inline constexpr wparam_t settingchange_reset = 0x3002;

// Activation states (low word of the activation message's wparam).
namespace wa {
inline constexpr std::uint32_t inactive = 0;
inline constexpr std::uint32_t active = 1;
inline constexpr std::uint32_t clickactive = 2;
}  // namespace wa

inline constexpr wparam_t mk_lbutton = 0x0001;  // stylus-message wparam while the stylus is down

constexpr std::uint32_t make_long(int low, int high) {
  return (static_cast<std::uint32_t>(low) & 0xFFFFu) | ((static_cast<std::uint32_t>(high) & 0xFFFFu) << 16);
}
constexpr lparam_t make_lparam(int low, int high) { return static_cast<lparam_t>(make_long(low, high)); }
constexpr std::uint32_t loword(std::uintptr_t v) { return static_cast<std::uint32_t>(v & 0xFFFFu); }
constexpr std::uint32_t hiword(std::uintptr_t v) { return static_cast<std::uint32_t>((v >> 16) & 0xFFFFu); }
// A point packed in an lparam; each coordinate is a signed 16-bit number (a captured stylus may
// be left or above the window).
constexpr point point_of(lparam_t l) {
  return {static_cast<std::int16_t>(loword(static_cast<std::uintptr_t>(l))),
          static_cast<std::int16_t>(hiword(static_cast<std::uintptr_t>(l)))};
}
constexpr lparam_t lparam_of(point p) { return make_lparam(p.x, p.y); }
constexpr lparam_t lparam_of(hwnd h) { return static_cast<lparam_t>(handle_value(h)); }
constexpr hwnd hwnd_of_param(std::uintptr_t v) { return hwnd_of(static_cast<std::uint32_t>(v)); }

}  // namespace platform
