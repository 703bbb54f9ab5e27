// The shell's full-screen call keeps, per window, which of its parts it hides over that window.
#include <gtest/gtest.h>

#include "platform/shell_full_screen.h"
#include "platform/window.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;

TEST(ShellFullScreen, EachPartIsHiddenUntilItsShowFlagComesAndGoesWithTheWindow) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", ws::overlapped | ws::visible, {0, 0, 240, 320});
  const hwnd b = log.create("B", ws::overlapped | ws::visible, {0, 0, 240, 320});
  EXPECT_EQ(shell_hidden_parts(a), 0u);
  ASSERT_TRUE(shell_full_screen(a, shfs::hidetaskbar | shfs::hidestarticon));
  ASSERT_TRUE(shell_full_screen(a, shfs::hidesipbutton | shfs::showstarticon));
  EXPECT_EQ(shell_hidden_parts(a), shfs::hidetaskbar | shfs::hidesipbutton);
  EXPECT_EQ(shell_hidden_parts(b), 0u);
  ASSERT_TRUE(shell_full_screen(a, shfs::showtaskbar));
  EXPECT_EQ(shell_hidden_parts(a), shfs::hidesipbutton);

  destroy_window(a);
  EXPECT_FALSE(shell_full_screen(a, shfs::hidetaskbar));
  EXPECT_EQ(shell_hidden_parts(a), 0u);
}

}  // namespace
