// Inside the window system: the record of each window, the tree, the thread queues, and the
// helpers the window, paint, focus, queue and input modules share. Not for use outside
// src/platform.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/region.h"
#include "platform/window.h"

namespace platform::detail {

struct thread_queue {
  std::mutex mutex;
  std::condition_variable posted_to;
  std::deque<msg> posted;
  bool quit = false;
  int quit_code = 0;
  std::uint64_t generation = 0;  // counts posts, so a waiting thread sees that something came
};

// The calling thread's queue, made on first use.
const std::shared_ptr<thread_queue>& current_queue();

struct window_record {
  hwnd handle = no_window;
  std::wstring class_name;
  std::optional<colorref> background;
  window_proc proc;
  hwnd parent = no_window;
  hwnd owner = no_window;
  std::vector<hwnd> children;  // front to back
  std::uint32_t style = 0;
  std::uint32_t ex_style = 0;
  std::uint32_t id = 0;
  rect position;  // in the parent's client coordinates
  std::wstring text;
  region update;  // client coordinates
  bool erase = false;
  std::uintptr_t data = 0;
  std::uint32_t shell_hidden_parts = 0;  // shfs hide flags (shell_full_screen.h)
  std::shared_ptr<thread_queue> queue;
  bool destroying = false;
};

struct window_system {
  // Guards the window table for other threads that post; the owning thread changes it only
  // under the lock and reads it without.
  std::mutex table_mutex;
  std::unordered_map<std::uint32_t, std::unique_ptr<window_record>> windows;
  std::vector<hwnd> top_levels;  // front to back
  std::map<std::wstring, window_class> classes;
  std::uint32_t next_handle = 0x00010000;
  hwnd active = no_window;
  hwnd focus = no_window;
  hwnd capture = no_window;
};

window_system& windows();
window_record* find(hwnd h);
// The sibling list the window sits in (its parent's children, or the top-level windows).
std::vector<hwnd>& siblings_of(const window_record& w);
rect screen_rect(const window_record& w);
bool visible_with_ancestors(const window_record& w);

// Repaints what lies under a screen area after windows moved, appeared or disappeared: every
// visible window gets its visible part of the area added to its update region (to be erased),
// and the part no window covers is filled with the desktop colour.
void expose(const region& screen_area);

// The first window of the calling thread with something to repaint, parents before children and
// front windows before those behind, limited to filter and its children (no_window: any).
hwnd window_to_paint(hwnd filter);

// What other modules must forget when a window goes away.
void forget_hot_keys(hwnd h);
void forget_focus(hwnd h);  // active, focus and capture, quietly
// After hiding h: when it held the activation, the next visible top-level window gets it.
void activate_after_hiding(hwnd h);
// set_window_pos; may_activate false keeps a top-level window from being activated by it.
bool set_window_pos_impl(hwnd h, hwnd insert_after, int x, int y, int cx, int cy, std::uint32_t flags,
                         bool may_activate);
// Activates without the z-order change's own activation (used by set_window_pos).
void activate(hwnd top, std::uint32_t state);

}  // namespace platform::detail
