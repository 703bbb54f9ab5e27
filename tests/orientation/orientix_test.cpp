// Orientix's exports, from the built library loaded as the program loads it: they turn this
// program's own emulated display, the one every window of the program sees.
#include "orientation/orientix.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/display_settings.h"
#include "platform/file_system.h"
#include "platform/screen.h"
#include "platform/shared_library.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
using lines = std::vector<std::string>;

class OrientixExports : public ::testing::Test {
 protected:
  OrientixExports() {
    const std::wstring path = device_path(std::filesystem::path(ZQ_PROGRAM_DIR) / "Orientix.so");
    EXPECT_EQ(load_shared_library(path, library_), 0);
    query_ = library_.find_function<orientix::query_fn>(orientix::query_export);
    can_change_ = library_.find_function<orientix::can_change_fn>(orientix::can_change_export);
    change_ = library_.find_function<orientix::change_fn>(orientix::change_export);
    log_.create("A", ws::overlapped | ws::visible, {0, 0, 240, 320});
    log_.take();
  }

  zqtest::message_recorder log_;
  shared_library library_;
  orientix::query_fn query_ = nullptr;
  orientix::can_change_fn can_change_ = nullptr;
  orientix::change_fn change_ = nullptr;
};

TEST_F(OrientixExports, QueryReportsTheDisplaysOrientationAndChangeTurnsIt) {
  ASSERT_TRUE(query_ && can_change_ && change_);
  EXPECT_EQ(query_(), 0);
  EXPECT_EQ(can_change_(), 1);

  display_mode mode{dm_display_orientation, display_orientation::angle_270};
  ASSERT_EQ(change_display_settings(mode, display_request_t::apply), display_change::successful);
  EXPECT_EQ(query_(), 4);
  log_.take();

  EXPECT_EQ(change_(2), 1);
  EXPECT_EQ(display_orientation_now(), 2);
  EXPECT_EQ(screen_size(), (size{240, 320}));
  EXPECT_EQ(log_.take(), (lines{"A settingchange 0x3002"}));
}

TEST_F(OrientixExports, MinusOneLeavesTheDisplayAloneAndOtherCodesMeanNoTurn) {
  ASSERT_TRUE(change_);
  ASSERT_EQ(change_(1), 1);
  log_.take();

  EXPECT_EQ(change_(-1), 0);
  EXPECT_EQ(display_orientation_now(), 1);
  EXPECT_TRUE(log_.take().empty());

  EXPECT_EQ(change_(3), 1);
  EXPECT_EQ(display_orientation_now(), 0);
  EXPECT_EQ(screen_size(), (size{240, 320}));
}

}  // namespace
