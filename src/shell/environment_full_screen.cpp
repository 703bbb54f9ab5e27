// The frame's full-screen mode and minimising.
#include <string>

#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/shell_full_screen.h"
#include "shell/environment.h"

namespace outworld {

namespace {

// The shell's task bar along the top of the screen, and the minimise button at its right end.
constexpr int task_bar_height = 26;
constexpr int minimise_button_inset = 13;
constexpr std::wstring_view task_bar_class = L"HHTaskBar";

constexpr std::uint32_t shell_parts_hidden = platform::shfs::hidetaskbar | platform::shfs::hidesipbutton |
                                             platform::shfs::hidestarticon;
constexpr std::uint32_t shell_parts_shown = platform::shfs::showtaskbar | platform::shfs::showsipbutton |
                                            platform::shfs::showstarticon;

}  // namespace

void environment::register_frame(platform::hwnd menu_bar, platform::hwnd frame) {
  menu_bar_ = menu_bar;
  frame_ = frame;
}

void environment::unregister_frame() {
  menu_bar_ = platform::no_window;
  frame_ = platform::no_window;
}

void environment::enter_full_screen() {
  if (menu_bar_ != platform::no_window) platform::show_window(menu_bar_, platform::sw::hide);
  if (frame_ != platform::no_window) {
    (void)platform::shell_full_screen(frame_, shell_parts_hidden);
    const platform::size screen = platform::screen_size();
    platform::move_window(frame_, {0, 0, screen.cx, screen.cy}, true);
  }
  full_screen_ = true;
}

void environment::leave_full_screen(int menu_bar_flag) {
  if (menu_bar_flag != -1 && menu_bar_ != platform::no_window) {
    platform::show_window(menu_bar_, platform::sw::show);
  }
  if (frame_ != platform::no_window) {
    const platform::size screen = platform::screen_size();
    platform::move_window(frame_, {0, task_bar_height * platform::screen_scale(), screen.cx, screen.cy}, true);
    (void)platform::shell_full_screen(frame_, shell_parts_shown);
  }
  full_screen_ = false;
}

void environment::apply_full_screen() {
  if (full_screen_) {
    enter_full_screen();
  } else {
    leave_full_screen(0);
  }
}

void environment::minimise() {
  if (frame_ != platform::no_window) {
    platform::set_window_pos(frame_, platform::hwnd_bottom, 0, 0, 0, 0,
                             platform::swp::nomove | platform::swp::nosize | platform::swp::noactivate);
  }
  const platform::hwnd task_bar = platform::find_window(std::wstring(task_bar_class), L"");
  if (task_bar != platform::no_window) {
    const int scale = platform::screen_scale();
    const platform::point button{platform::screen_size().cx - minimise_button_inset * scale,
                                 minimise_button_inset * scale};
    platform::post_message(task_bar, platform::wm::lbuttondown, platform::mk_lbutton, platform::lparam_of(button));
    platform::post_message(task_bar, platform::wm::lbuttonup, 0, platform::lparam_of(button));
  }
  minimised_ = true;
}

}  // namespace outworld
