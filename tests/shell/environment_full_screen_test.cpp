// Full-screen mode and minimising on real windows: the frame, its menu bar, the shell's parts
// and its task bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/shell_full_screen.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "shell/environment.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
using lines = std::vector<std::string>;

constexpr std::uint32_t top_visible = ws::overlapped | ws::visible;
constexpr std::uint32_t all_parts_hidden = shfs::hidetaskbar | shfs::hidesipbutton | shfs::hidestarticon;

bool same_rect(const rect& a, const rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class FullScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = log.create("Frame", top_visible, {0, 26, 240, 320});
    bar = log.create("Bar", top_visible, {0, 294, 240, 320}, no_window, ws_ex::noactivate);
    env.register_frame(bar, frame);
  }

  zqtest::message_recorder log;
  outworld::environment env;
  hwnd frame = no_window;
  hwnd bar = no_window;
};

TEST_F(FullScreenTest, EnteringHidesTheBarsAndLeavingBringsThemBack) {
  env.enter_full_screen();
  EXPECT_TRUE(env.full_screen());
  EXPECT_FALSE(is_window_visible(bar));
  EXPECT_EQ(shell_hidden_parts(frame), all_parts_hidden);
  EXPECT_TRUE(same_rect(window_rect(frame), {0, 0, 240, 320}));

  env.leave_full_screen(-1);  // a dialog over the frame: the menu bar stays hidden
  EXPECT_FALSE(env.full_screen());
  EXPECT_FALSE(is_window_visible(bar));
  EXPECT_EQ(shell_hidden_parts(frame), 0u);
  EXPECT_TRUE(same_rect(window_rect(frame), {0, 26, 240, 320}));

  env.set_full_screen(true);
  env.apply_full_screen();
  EXPECT_TRUE(same_rect(window_rect(frame), {0, 0, 240, 320}));
  env.set_full_screen(false);
  env.apply_full_screen();
  EXPECT_TRUE(is_window_visible(bar));
  EXPECT_EQ(shell_hidden_parts(frame), 0u);
  EXPECT_TRUE(same_rect(window_rect(frame), {0, 26, 240, 320}));
}

TEST_F(FullScreenTest, TheTaskBarIsTwiceAsHighOnAHighResolutionScreen) {
  set_screen_size({480, 640});
  env.enter_full_screen();
  EXPECT_TRUE(same_rect(window_rect(frame), {0, 0, 480, 640}));
  env.leave_full_screen();
  EXPECT_TRUE(same_rect(window_rect(frame), {0, 52, 480, 640}));
  EXPECT_TRUE(is_window_visible(bar));
}

TEST_F(FullScreenTest, MinimisingSendsTheFrameBackAndTapsTheTaskBarsButton) {
  lines taps;
  ASSERT_TRUE(register_class({L"HHTaskBar",
                              [&taps](hwnd h, std::uint32_t m, wparam_t w, lparam_t l) -> lresult_t {
                                const point p = point_of(l);
                                if (m == wm::lbuttondown || m == wm::lbuttonup) {
                                  taps.push_back((m == wm::lbuttondown ? "down " : "up ") + std::to_string(w) + " " +
                                                 std::to_string(p.x) + "," + std::to_string(p.y));
                                }
                                return def_window_proc(h, m, w, l);
                              },
                              rgb(0, 0, 0)}));
  const hwnd task_bar = create_window({L"HHTaskBar", L"", top_visible, ws_ex::noactivate, {0, 0, 240, 26}, no_window, 0, nullptr});
  ASSERT_NE(task_bar, no_window);
  set_active_window(frame);
  env.enter_full_screen();
  log.pump();

  env.minimise();
  log.pump();
  EXPECT_TRUE(env.minimised());
  EXPECT_TRUE(env.full_screen());  // as it was
  EXPECT_EQ(children_of(no_window).back(), frame);
  EXPECT_EQ(active_window(), frame);  // nothing activated
  EXPECT_TRUE(same_rect(window_rect(frame), {0, 0, 240, 320}));
  EXPECT_EQ(taps, (lines{"down 1 227,13", "up 0 227,13"}));

  // Without a task bar the frame still goes back.
  destroy_window(task_bar);
  env.set_minimised(false);
  set_window_pos(frame, hwnd_top, 0, 0, 0, 0, swp::nomove | swp::nosize);
  env.minimise();
  EXPECT_TRUE(env.minimised());
  EXPECT_EQ(children_of(no_window).back(), frame);
}

}  // namespace
