// zqxwakeup run as the system runs it, against this test acting as the running program: the shared
// block with its window's handle and the system port it answers on while its loop is idle.
#include <gtest/gtest.h>

#include <cstdlib>
#include <future>

#include "base/wakeup_channel.h"
#include "platform/message_loop.h"
#include "platform/message_queue.h"
#include "platform/shared_memory.h"
#include "platform/system_port.h"
#include "platform/window_focus.h"
#include "support/message_recorder.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

using namespace platform;
constexpr std::uint32_t top_visible = ws::overlapped | ws::visible;

class Zqxwakeup : public ::testing::Test {
 protected:
  Zqxwakeup() {
    // Named objects of this test's own, inherited by the program it starts.
    ::setenv("ZEQUON_NAMESPACE", folder_.path().c_str(), 1);
    log_.on = [this](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
      if (m == wm_wakeup) ++wakeups_;
      return std::nullopt;
    };
  }
  ~Zqxwakeup() override { ::unsetenv("ZEQUON_NAMESPACE"); }

  // Runs zqxwakeup while this program's loop idles, answering its questions; its exit status.
  int run_wakeup() {
    auto run = std::async(std::launch::async, [] { return zqtest::run_program(ZQXWAKEUP_PATH, {}); });
    while (run.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) {
      port_.serve();
      process_pending_messages();
    }
    port_.serve();
    process_pending_messages();
    return run.get().status;
  }
  // The block as the running program keeps it, holding window.
  void publish(hwnd window) {
    bool existed = true;
    ASSERT_EQ(block_.open_or_create(zq::wakeup_block_name, zq::wakeup_block_size, existed), 0);
    ASSERT_FALSE(existed);
    ASSERT_TRUE(block_.write_u32(0, handle_value(window)));
  }

  zqtest::temp_folder folder_;
  zqtest::message_recorder log_;
  system_port port_;
  shared_memory block_;
  int wakeups_ = 0;
};

TEST_F(Zqxwakeup, WithoutTheRunningProgramItEndsWithMinusTwoAndLeavesNoBlock) {
  EXPECT_EQ(run_wakeup(), 254);  // -2
  shared_memory left;
  EXPECT_EQ(left.open_existing(zq::wakeup_block_name, zq::wakeup_block_size), ENOENT);
}

TEST_F(Zqxwakeup, TellsTheWindowInFrontAndNoOther) {
  ASSERT_EQ(port_.open(), 0);
  const hwnd main = log_.create("A", top_visible, {0, 0, 240, 320});
  const hwnd other = log_.create("B", top_visible, {0, 0, 240, 320});
  publish(main);

  set_active_window(main);
  EXPECT_EQ(run_wakeup(), 0);
  EXPECT_EQ(wakeups_, 1);

  // Visible but behind another program's window: nothing is posted.
  set_active_window(other);
  EXPECT_EQ(run_wakeup(), 0);
  EXPECT_EQ(wakeups_, 1);

  // The program in the background keeps 0 in the block: nothing is asked or posted.
  ASSERT_TRUE(block_.write_u32(0, 0));
  set_active_window(main);
  EXPECT_EQ(run_wakeup(), 0);
  EXPECT_EQ(wakeups_, 1);
}

TEST(SystemPort, CarriesOnlyTheProgramsOwnMessagesAndAnswersForItsWindows) {
  zqtest::message_recorder log;
  std::vector<std::uint32_t> heard;
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m == wm::close || m >= wm::user) heard.push_back(m);
    return std::nullopt;
  };
  const hwnd window = log.create("A", top_visible, {0, 0, 240, 320});
  set_active_window(window);
  system_port port;
  ASSERT_EQ(port.open(), 0);
  ASSERT_EQ(post_message_across(window, wm::close, 0, 0), 0);   // would close it: refused
  ASSERT_EQ(post_message_across(window, wm::user + 7, 0, 0), 0);
  port.serve();
  process_pending_messages();
  EXPECT_EQ(heard, std::vector<std::uint32_t>{wm::user + 7});
  EXPECT_TRUE(is_window(window));
  port.close();
  // Without a port there is nobody to ask.
  EXPECT_EQ(post_message_across(window, wm::user, 0, 0), ENOENT);
  EXPECT_EQ(query_window_across(window, std::chrono::milliseconds(10)), std::nullopt);
}

}  // namespace
