#include <gtest/gtest.h>

#include "hwsim/ir_receiver.h"
#include "platform/clock.h"

namespace {

TEST(LearningReceiverSample, NextChangeIsTheFirstDifferentLevel) {
  hwsim::ir_receiver receiver;
  // 36 kHz does not divide a microsecond: cycle edges fall between whole nanoseconds.
  receiver.play({100, -50, 30, -10, 1}, 36000, 2000);
  std::uint64_t expected = 0;
  for (std::uint64_t t = 200000; t-- > 0;) {
    if (receiver.level_at(t) != receiver.level_at(t + 1)) expected = t + 1;
    if (expected == 0) {
      ASSERT_EQ(receiver.next_change(t), UINT64_MAX) << t;
    } else {
      ASSERT_EQ(receiver.next_change(t), expected) << t;
    }
  }
}

TEST(LearningReceiverSample, SteadyStretchesArePolledInCoarserSteps) {
  platform::clock::use_virtual(0);
  hwsim::ir_receiver receiver;
  receiver.play({560}, 38000, 5000000);
  EXPECT_TRUE(receiver.sample());  // quiet for 5 ms: time moves on
  EXPECT_EQ(platform::clock::now_ns(), hwsim::quiet_read_ns);
  platform::clock::advance_to(4500000);
  EXPECT_TRUE(receiver.sample());  // the pulse is near: no step
  EXPECT_EQ(platform::clock::now_ns(), 4500000u);
  platform::clock::use_real();
}

}  // namespace
