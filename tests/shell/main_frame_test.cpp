// The main frame on the headless backend: the wake-up message, full-screen mode kept over wake-ups
// and modal dialogs, and the return from being minimised.
#include "shell/main_frame.h"

#include <gtest/gtest.h>

#include "platform/message_loop.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "shell/environment.h"
#include "storage/settings.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

using namespace platform;

class MainFrame : public ::testing::Test {
 protected:
  MainFrame() {
    frame_ = new shell::CMainFrame(settings_, 0);  // deletes itself with its window
    EXPECT_TRUE(frame_->Create());
    bar_ = frame_->MenuBar().window();
  }
  ~MainFrame() override {
    if (is_window(frame_->GetSafeHwnd())) frame_->DestroyWindow();
    outworld::environment::instance().set_full_screen(false);
    outworld::environment::instance().set_minimised(false);
  }

  zqtest::message_recorder log_;  // a fresh window system
  zqtest::temp_folder folder_;
  xman::settings settings_{folder_.device_path("Zequon.pref")};
  shell::CMainFrame* frame_ = nullptr;
  hwnd bar_ = no_window;
};

TEST_F(MainFrame, AWakeUpPutsTheRemoteScreenBackInFullScreenModeAndAHiddenFrameDropsIt) {
  outworld::environment& environment = outworld::environment::instance();
  process_pending_messages();
  ASSERT_TRUE(is_window_visible(bar_));
  // The shell brought its bars back while the program slept.
  environment.set_full_screen(true);
  frame_->PostMessage(wm_wakeup);
  process_pending_messages();
  EXPECT_FALSE(is_window_visible(bar_));
  EXPECT_EQ(window_rect(frame_->GetSafeHwnd()), screen_surface().bounds());

  // Hidden, the frame never sees the message.
  show_window(bar_, sw::show);
  frame_->ShowWindow(sw::hide);
  frame_->PostMessage(wm_wakeup);
  process_pending_messages();
  EXPECT_TRUE(is_window_visible(bar_));
}

TEST_F(MainFrame, AModalWindowOverTheBarHidesItUntilItEndsAndFullScreenModeKeepsItHidden) {
  process_pending_messages();
  // A box in the middle of the screen leaves the bar; a dialog over the whole screen hides it.
  struct modal_case {
    rect place;
    bool bar_seen;
  };
  for (const modal_case c : {modal_case{{20, 100, 220, 200}, true}, modal_case{{0, 0, 240, 320}, false}}) {
    const hwnd modal = log_.create("M", ws::popup | ws::visible, c.place);
    frame_->EnableWindow(false);
    set_active_window(modal);
    process_pending_messages();
    EXPECT_EQ(is_window_visible(bar_), c.bar_seen);
    frame_->EnableWindow(true);
    destroy_window(modal);
    EXPECT_TRUE(is_window_visible(bar_));
  }
  outworld::environment::instance().set_full_screen(true);
  show_window(bar_, sw::hide);
  frame_->EnableWindow(false);
  frame_->EnableWindow(true);
  EXPECT_FALSE(is_window_visible(bar_));
}

TEST_F(MainFrame, RaisedAfterBeingMinimisedItHearsThatItWokeUp) {
  int wakeups = 0;
  process_pending_messages();
  set_active_window(frame_->GetSafeHwnd());
  outworld::environment::instance().set_minimised(true);
  set_window_pos(frame_->GetSafeHwnd(), hwnd_top, 0, 0, 0, 0,
                 swp::nomove | swp::nosize | swp::noactivate | swp::noownerzorder);
  EXPECT_FALSE(outworld::environment::instance().minimised());
  msg m;
  while (peek_message(m, no_window, 0, 0, pm::remove)) {
    if (m.message == wm_wakeup && m.window == frame_->GetSafeHwnd()) ++wakeups;
  }
  EXPECT_EQ(wakeups, 1);
}

}  // namespace
