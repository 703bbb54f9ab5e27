#include <gtest/gtest.h>

#include "hwsim/ir_receiver.h"

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

}  // namespace
