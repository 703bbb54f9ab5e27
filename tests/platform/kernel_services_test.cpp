// Thread scheduling, key state and input purge of the platform layer.
#include <gtest/gtest.h>
#include <sched.h>

#include "platform/clock.h"
#include "platform/input_purge.h"
#include "platform/key_state.h"
#include "platform/thread_priority.h"

namespace {

class KernelServices : public ::testing::Test {
 protected:
  KernelServices() {
    platform::reset_thread_scheduling();
    platform::reset_key_states();
    platform::clear_input_purge_log();
    platform::clock::use_virtual(0);
  }
  ~KernelServices() override {
    platform::reset_thread_scheduling();
    platform::reset_key_states();
    platform::clear_input_purge_log();
    platform::set_input_purge_hook({});
    platform::clock::use_real();
  }
};

TEST_F(KernelServices, ThreadSchedulingIsRecordedWithItsTime) {
  const platform::thread_id self = platform::current_thread();
  EXPECT_NE(self, 0u);
  EXPECT_EQ(platform::thread_priority(self), 251);
  EXPECT_EQ(platform::thread_quantum(self), 100u);

  platform::set_thread_priority(self, 1);
  platform::clock::sleep(3);
  platform::set_thread_quantum(self, 0);
  platform::set_thread_priority(self, 251);
  EXPECT_EQ(platform::thread_priority(self), 251);
  EXPECT_EQ(platform::thread_quantum(self), 0u);

  const auto& log = platform::thread_change_log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].kind, platform::thread_change::kind_t::priority);
  EXPECT_EQ(log[0].value, 1);
  EXPECT_EQ(log[0].time_ns, 0u);
  EXPECT_EQ(log[1].kind, platform::thread_change::kind_t::quantum);
  EXPECT_EQ(log[1].value, 0);
  EXPECT_EQ(log[1].time_ns, 3000000u);
  EXPECT_EQ(log[2].value, 251);

  platform::reset_thread_scheduling();
  EXPECT_TRUE(platform::thread_change_log().empty());
  EXPECT_EQ(platform::thread_quantum(self), 100u);
}

TEST_F(KernelServices, VirtualClockNeverTouchesTheHostScheduler) {
  const int before = sched_getscheduler(0);
  platform::set_thread_priority(platform::current_thread(), 0);
  EXPECT_EQ(sched_getscheduler(0), before);
}

TEST_F(KernelServices, RealTimePriorityIsUsedWhenPermittedAndDroppedAfter) {
  platform::clock::use_real();
  const platform::thread_id self = platform::current_thread();
  platform::set_thread_priority(self, 1);
  const int raised = sched_getscheduler(0);
  // Either the host allowed real-time scheduling or it silently refused.
  EXPECT_TRUE(raised == SCHED_FIFO || raised == SCHED_OTHER);
  platform::set_thread_priority(self, 251);
  EXPECT_EQ(sched_getscheduler(0), SCHED_OTHER);
  EXPECT_EQ(platform::thread_change_log().size(), 2u);
}

TEST_F(KernelServices, KeyStateHasTheHighBitWhileDown) {
  EXPECT_EQ(platform::async_key_state(platform::vk_stylus), 0);
  platform::set_key_state(platform::vk_stylus, true);
  EXPECT_EQ(platform::async_key_state(platform::vk_stylus), 0x8000);
  EXPECT_FALSE(platform::key_is_down(0x75));
  platform::set_key_state(platform::vk_stylus, false);
  EXPECT_FALSE(platform::key_is_down(platform::vk_stylus));
}

TEST_F(KernelServices, ScheduledKeyChangesApplyWhenTheClockGetsThere) {
  platform::schedule_key_state(0x75, false, 3000);
  platform::schedule_key_state(0x75, true, 1000);
  EXPECT_FALSE(platform::key_is_down(0x75));
  platform::clock::advance_to(999);
  EXPECT_FALSE(platform::key_is_down(0x75));
  platform::clock::advance_to(1000);
  EXPECT_TRUE(platform::key_is_down(0x75));
  platform::clock::advance_to(2999);
  EXPECT_TRUE(platform::key_is_down(0x75));
  platform::clock::advance_to(3000);
  EXPECT_FALSE(platform::key_is_down(0x75));
  // Setting the state now drops what was scheduled.
  platform::schedule_key_state(0x75, true, 5000);
  platform::set_key_state(0x75, false);
  platform::clock::advance_to(6000);
  EXPECT_FALSE(platform::key_is_down(0x75));
}

TEST_F(KernelServices, PurgeCallsTheQueueHookAndIsRecorded) {
  std::vector<platform::pending_input_t> removed;
  platform::purge_pending_input(platform::pending_input_t::keys);
  platform::set_input_purge_hook([&](platform::pending_input_t kind) { removed.push_back(kind); });
  platform::clock::sleep(7);
  platform::purge_pending_input(platform::pending_input_t::stylus);
  EXPECT_EQ(removed, std::vector<platform::pending_input_t>{platform::pending_input_t::stylus});
  const auto& log = platform::input_purge_log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].kind, platform::pending_input_t::keys);
  EXPECT_EQ(log[1].kind, platform::pending_input_t::stylus);
  EXPECT_EQ(log[1].time_ns, 7000000u);
}

}  // namespace
