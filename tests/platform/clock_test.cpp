#include "platform/clock.h"

#include <gtest/gtest.h>

#include <chrono>

#include "platform/performance_counter.h"

namespace {

using platform::clock;

class ClockVirtual : public ::testing::Test {
 protected:
  ~ClockVirtual() override { clock::use_real(); }
};

TEST_F(ClockVirtual, TimeStandsStillUntilMoved) {
  clock::use_virtual(5);
  EXPECT_TRUE(clock::is_virtual());
  EXPECT_EQ(clock::now_ns(), 5u);
  EXPECT_EQ(clock::now_ns(), 5u);
  clock::advance_by(10);
  EXPECT_EQ(clock::now_ns(), 15u);
  clock::advance_to(1000);
  EXPECT_EQ(clock::now_ns(), 1000u);
  clock::advance_to(999);  // never backwards
  EXPECT_EQ(clock::now_ns(), 1000u);
  clock::idle_spin();
  EXPECT_EQ(clock::now_ns(), 1000u + clock::idle_spin_ns);
}

TEST_F(ClockVirtual, TwentySecondSleepIsExactAndCostsNoRealTime) {
  clock::use_virtual(0);
  const auto real_start = std::chrono::steady_clock::now();
  clock::sleep(20000);
  clock::sleep(1);
  const auto real_spent = std::chrono::steady_clock::now() - real_start;
  EXPECT_EQ(clock::now_ns(), 20001000000u);
  EXPECT_LT(real_spent, std::chrono::milliseconds(50));
}

TEST_F(ClockVirtual, PerformanceCounterFollowsTheClock) {
  clock::use_virtual(0);
  EXPECT_EQ(platform::performance_counter_frequency(), 10000000u);
  EXPECT_EQ(platform::performance_counter(), 0u);
  clock::sleep(20000);
  EXPECT_EQ(platform::performance_counter(), 200000000u);
  clock::advance_by(99);
  EXPECT_EQ(platform::performance_counter(), 200000000u);
  clock::advance_by(1);
  EXPECT_EQ(platform::performance_counter(), 200000001u);
}

TEST(ClockReal, SleepsForRealAndIsNotMovedByHand) {
  clock::use_real();
  EXPECT_FALSE(clock::is_virtual());
  const std::uint64_t start = clock::now_ns();
  clock::advance_by(5000000000u);
  clock::sleep(20);
  const std::uint64_t spent = clock::now_ns() - start;
  EXPECT_GE(spent, 20000000u);
  EXPECT_LT(spent, 5000000000u);
}

}  // namespace
