// Windows: creation and destruction, the window tree (parent, children, owner), z-order,
// visibility, position and size, enabling, text. A window has no frame of its own: its client
// area is the whole window, and its rectangle is kept in the parent's client coordinates (screen
// coordinates for a top-level window). Windows always clip their children and their siblings.
//
// Every operation that changes a window sends it the handheld's messages in the handheld's order;
// the tests hold these orders as tables.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/geometry.h"
#include "platform/window_class.h"
#include "platform/window_messages.h"

namespace platform {

namespace ws {
inline constexpr std::uint32_t overlapped = 0x00000000;
inline constexpr std::uint32_t popup = 0x80000000;
inline constexpr std::uint32_t child = 0x40000000;
inline constexpr std::uint32_t visible = 0x10000000;
inline constexpr std::uint32_t disabled = 0x08000000;
inline constexpr std::uint32_t clipsiblings = 0x04000000;  // always in effect
inline constexpr std::uint32_t clipchildren = 0x02000000;  // always in effect
}  // namespace ws

namespace ws_ex {
inline constexpr std::uint32_t topmost = 0x00000008;
// A top-level window that is never activated: not when shown, raised or tapped (a menu bar, an
// open popup menu), so that the window that was active keeps the activation and the focus.
inline constexpr std::uint32_t noactivate = 0x08000000;
}  // namespace ws_ex

// What set_window_pos is asked to leave alone or to do.
namespace swp {
inline constexpr std::uint32_t nosize = 0x0001;
inline constexpr std::uint32_t nomove = 0x0002;
inline constexpr std::uint32_t nozorder = 0x0004;
inline constexpr std::uint32_t noredraw = 0x0008;
inline constexpr std::uint32_t noactivate = 0x0010;
inline constexpr std::uint32_t framechanged = 0x0020;
inline constexpr std::uint32_t showwindow = 0x0040;
inline constexpr std::uint32_t hidewindow = 0x0080;
inline constexpr std::uint32_t noownerzorder = 0x0200;
}  // namespace swp

// The position change the two window-position messages carry (lparam points to it). A procedure
// may change the fields of the first message to change what happens.
struct window_pos {
  hwnd window = no_window;
  hwnd insert_after = hwnd_top;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  std::uint32_t flags = 0;
};

// What the create message's lparam points to.
struct create_params {
  void* param = nullptr;  // the creator's pointer, as given to create_window
  hwnd parent = no_window;
  std::uint32_t style = 0;
  rect position;
  std::uint32_t id = 0;
};

namespace sw {
inline constexpr int hide = 0;
inline constexpr int shownormal = 1;
inline constexpr int shownoactivate = 4;
inline constexpr int show = 5;
inline constexpr int showna = 8;
}  // namespace sw

struct window_create {
  std::wstring class_name;
  std::wstring text;
  std::uint32_t style = 0;
  std::uint32_t ex_style = 0;
  rect position;                 // in the parent's client coordinates
  hwnd parent = no_window;       // the parent of a child window, the owner of a top-level one
  std::uint32_t id = 0;          // a child's control id
  void* param = nullptr;         // handed to the create message
};

// Creates the window: the create message (a -1 answer destroys it again and gives no_window),
// the size and move messages, then, with ws::visible, the messages of showing it (a visible
// top-level window also becomes the active window).
hwnd create_window(const window_create& request);
// Called once with the next window the calling thread creates, before its first message (a class
// library uses it to attach its object and hook the window).
void set_create_hook(std::function<void(hwnd)> hook);
// Hides the window, sends the destroy message to it and then to its children (parents before
// children), destroys its owned windows, then the final ncdestroy message children first. The
// handle is invalid afterwards. False for an invalid handle.
bool destroy_window(hwnd h);
bool is_window(hwnd h);

// Returns whether the window was visible before.
bool show_window(hwnd h, int command);
bool set_window_pos(hwnd h, hwnd insert_after, int x, int y, int cx, int cy, std::uint32_t flags);
bool move_window(hwnd h, const rect& position, bool repaint = true);
// Brings a window to the top of its siblings (a top-level window is also activated).
bool bring_window_to_top(hwnd h);
// Whether the window and all of its ancestors are visible.
bool is_window_visible(hwnd h);
bool enable_window(hwnd h, bool enable);  // returns whether it was disabled before
bool is_window_enabled(hwnd h);

rect window_rect(hwnd h);   // in screen coordinates
rect client_rect(hwnd h);   // (0, 0, width, height)
rect position_in_parent(hwnd h);
point client_to_screen(hwnd h, point p);
point screen_to_client(hwnd h, point p);

hwnd parent_of(hwnd h);
hwnd owner_of(hwnd h);
hwnd top_level_of(hwnd h);  // the window itself for a top-level window
bool is_child_of(hwnd parent, hwnd h);  // h lies somewhere below parent
// The children of a window front to back; of no_window: the top-level windows front to back.
std::vector<hwnd> children_of(hwnd h);
hwnd child_by_id(hwnd parent, std::uint32_t id);
std::uint32_t window_id(hwnd h);
std::uint32_t window_style(hwnd h);
std::uint32_t window_ex_style(hwnd h);
std::wstring class_name_of(hwnd h);

// The deepest visible and enabled window under a screen point (disabled windows pass the point
// to their parent); no_window when no top-level window covers it.
hwnd window_from_point(point screen);
// The first top-level window with this class name (empty: any) and text (empty: any).
hwnd find_window(const std::wstring& class_name, const std::wstring& text);

bool set_window_text(hwnd h, const std::wstring& text);
std::wstring window_text(hwnd h);

// The procedure that receives the window's messages; replacing it (to hook a window) returns the
// one before, which the new procedure passes messages on to.
window_proc set_window_proc(hwnd h, window_proc proc);
window_proc get_window_proc(hwnd h);
// One pointer-sized value the window's owner may keep with it.
void set_window_data(hwnd h, std::uintptr_t data);
std::uintptr_t window_data(hwnd h);

// The default handling of every message a window procedure does not handle itself.
lresult_t def_window_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l);

// Sends the settings-change message with these parameters to every top-level window.
void broadcast_setting_change(wparam_t w, lparam_t l);

// Destroys every window and forgets every class (tests and program end).
void reset_window_system();

}  // namespace platform
