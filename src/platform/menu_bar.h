// The frame's menu bar: a strip across the bottom of the screen, 26 pixels high (52 on a
// high-resolution screen), showing the titles of its menu's popups from left to right. Tapping
// a title opens that popup above the bar for the frame (the frame gets the notification before it
// opens and the command of the picked item). The bar is a top-level window owned by the frame
// that is never activated: tapping it leaves the frame active and its focus where it was. It
// follows a screen reset (rotation) to the new bottom edge.
#pragma once

#include <cstdint>

#include "base/result.h"
#include "platform/geometry.h"
#include "platform/menu.h"
#include "platform/module.h"
#include "platform/window_messages.h"

namespace platform {

class menu_bar {
 public:
  menu_bar() = default;
  ~menu_bar();
  menu_bar(const menu_bar&) = delete;
  menu_bar& operator=(const menu_bar&) = delete;

  // Creates the bar's window for the frame with the menu (its items are the popups). False when
  // the bar exists already or the frame is no window.
  bool create(hwnd frame, menu items, std::uint32_t id = default_id);
  // The same with the module's menu resource: 0, or load_menu's failure (no bar then).
  [[nodiscard]] zq::result_t create(hwnd frame, const module& from, std::uint16_t menu_id,
                                    std::uint32_t id = default_id);
  void destroy();

  hwnd window() const { return window_; }
  menu& items() { return items_; }
  // Opens the popup at this position as a tap on its title would; returns the picked command.
  std::uint32_t open_popup(int position);
  // The title's rectangle in the bar's client coordinates (empty for no such popup).
  rect title_rect(int position) const;

  static constexpr std::uint32_t default_id = 0xE800;
  static int height();  // 26, or 52 on a high-resolution screen

 private:
  static lresult_t proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l);
  void paint();
  void place();

  hwnd window_ = no_window;
  hwnd frame_ = no_window;
  menu items_;
  int open_ = -1;  // the title whose popup is open
};

inline constexpr const wchar_t* menu_bar_class = L"ZqMenuBar";

}  // namespace platform
