// The display-settings service: turning the display resizes the screen and tells the top-level
// windows, as a rotation does on the handheld.
#include "platform/display_settings.h"

#include <gtest/gtest.h>

#include "platform/screen.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
using lines = std::vector<std::string>;

int apply(std::int32_t code) {
  display_mode mode{dm_display_orientation, code};
  return change_display_settings(mode, display_request_t::apply);
}

std::int32_t query() {
  display_mode mode{dm_display_orientation, 99};
  EXPECT_EQ(change_display_settings(mode, display_request_t::test), display_change::successful);
  return mode.orientation;
}

TEST(DisplaySettings, TurningResizesTheScreenAndResetsEveryTopLevelWindow) {
  zqtest::message_recorder log;
  log.create("A", ws::overlapped | ws::visible, {0, 0, 240, 320});
  log.take();
  EXPECT_EQ(query(), display_orientation::angle_0);

  ASSERT_EQ(apply(display_orientation::angle_90), display_change::successful);
  EXPECT_EQ(screen_size(), (size{320, 240}));
  EXPECT_EQ(query(), display_orientation::angle_90);
  EXPECT_EQ(log.take(), (lines{"A settingchange 0x3002"}));

  // A quarter turn more keeps the screen sideways; a half turn back stands it up again.
  ASSERT_EQ(apply(display_orientation::angle_270), display_change::successful);
  EXPECT_EQ(screen_size(), (size{320, 240}));
  ASSERT_EQ(apply(display_orientation::angle_180), display_change::successful);
  EXPECT_EQ(screen_size(), (size{240, 320}));
  EXPECT_EQ(log.take(), (lines{"A settingchange 0x3002", "A settingchange 0x3002"}));

  // The orientation it already has changes nothing and tells nobody.
  ASSERT_EQ(apply(display_orientation::angle_180), display_change::successful);
  EXPECT_TRUE(log.take().empty());
}

TEST(DisplaySettings, RequestsWithoutTheOrientationFieldOrAValidCodeAreRefused) {
  zqtest::message_recorder log;
  EXPECT_EQ(apply(3), display_change::bad_mode);
  EXPECT_EQ(apply(-1), display_change::bad_mode);
  display_mode no_field{0, display_orientation::angle_90};
  EXPECT_EQ(change_display_settings(no_field, display_request_t::apply), display_change::bad_param);
  EXPECT_EQ(screen_size(), (size{240, 320}));
  EXPECT_EQ(display_orientation_now(), display_orientation::angle_0);
}

}  // namespace
