#include <gtest/gtest.h>

#include "hwsim/down_counter.h"
#include "hwsim/pxa_blocks.h"
#include "hwsim/pxa_os_timer.h"
#include "hwsim/tick_clock.h"
#include "platform/clock.h"
#include "platform/register_page.h"
#include "support/simulated_handheld.h"

namespace {

using hwsim::tick_clock;

class HwsimTickClock : public ::testing::Test {
 protected:
  HwsimTickClock() { platform::clock::use_virtual(0); }
  ~HwsimTickClock() override { platform::clock::use_real(); }
};

TEST_F(HwsimTickClock, EachReadMovesTimeToTheNextTickExactly) {
  tick_clock ticks(3686400);
  // Tick k starts at ceil(k * 1e9 / 3686400) ns: 271.267... ns apart.
  EXPECT_EQ(ticks.next(), 1u);
  EXPECT_EQ(platform::clock::now_ns(), 272u);
  EXPECT_EQ(ticks.next(), 2u);
  EXPECT_EQ(platform::clock::now_ns(), 543u);
  EXPECT_EQ(ticks.next(), 3u);
  EXPECT_EQ(platform::clock::now_ns(), 814u);
  for (int i = 3; i < 3686400; ++i) ticks.next();
  // A whole second of reads is exactly one second.
  EXPECT_EQ(platform::clock::now_ns(), 1000000000u);
  EXPECT_EQ(ticks.current(), 3686400u);
}

TEST_F(HwsimTickClock, TickTimesAndTicksAreInverse) {
  for (const std::uint64_t hz : {3686400ull, 3250000ull, 25000000ull, 6480000ull, 32768ull}) {
    for (std::uint64_t k = 0; k < 100000; k += 7) {
      const std::uint64_t t = tick_clock::time_of_tick(k, hz);
      EXPECT_EQ(tick_clock::tick_at(t, hz), k);
      if (t > 0) {
        EXPECT_EQ(tick_clock::tick_at(t - 1, hz), k - 1);
      }
    }
  }
  // Far out, past 64-bit products.
  const std::uint64_t far = 1ull << 45;
  EXPECT_EQ(tick_clock::tick_at(tick_clock::time_of_tick(far, 3686400), 3686400), far);
}

TEST_F(HwsimTickClock, OtherMovesOfTimeAreFollowed) {
  tick_clock ticks(3250000);
  ticks.next();
  platform::clock::sleep(100);  // 325000 ticks later: at the start of tick 325001
  EXPECT_EQ(ticks.current(), 325001u);
  EXPECT_EQ(ticks.next(), 325002u);
  EXPECT_EQ(platform::clock::now_ns(), tick_clock::time_of_tick(325002, 3250000));
  platform::clock::advance_by(100);  // inside the current tick
  EXPECT_EQ(ticks.next(), 325003u);
  // A new run of the virtual clock from 0.
  platform::clock::use_virtual(0);
  EXPECT_EQ(ticks.next(), 1u);
}

TEST_F(HwsimTickClock, RealClockIsReadNotMoved) {
  platform::clock::use_real();
  tick_clock ticks(1000);
  const std::uint64_t before = platform::clock::now_ns();
  const std::uint64_t tick = ticks.next();
  EXPECT_LE(tick, tick_clock::tick_at(platform::clock::now_ns(), 1000));
  EXPECT_GE(tick, tick_clock::tick_at(before, 1000));
}

TEST(HwsimPxaTimer, CountsUpFromTheStartValueAndWraps) {
  hwsim::device_description d = hwsim::device_description::from_text("Intel PXA255");
  d.timer_start = 0xFFFFFFFE;
  zqtest::simulated_handheld handheld(d);
  const platform::register_page timer = platform::map_register_page(hwsim::pxa::os_timer_page);
  ASSERT_TRUE(timer.is_mapped());
  EXPECT_EQ(timer.read32(0x10), 0xFFFFFFFFu);
  EXPECT_EQ(timer.read32(0x10), 0u);
  EXPECT_EQ(timer.read32(0x10), 1u);
  EXPECT_EQ(platform::clock::now_ns(), 814u);
  // Other registers cost nothing and keep their values.
  timer.write32(0x00, 1234);
  EXPECT_EQ(timer.read32(0x00), 1234u);
  EXPECT_EQ(platform::clock::now_ns(), 814u);
  // Writing the count sets it from now on.
  timer.write32(0x10, 500);
  EXPECT_EQ(timer.read32(0x10), 501u);
  // 1 ms is 3686.4 ticks: the sleep ends inside a tick, and the read moves to the next one.
  platform::clock::sleep(1);
  EXPECT_EQ(timer.read32(0x10), 501u + 3686u + 1u);
  EXPECT_EQ(handheld.device().timer_hz(), 3686400u);
}

}  // namespace

namespace {

TEST_F(HwsimTickClock, DownCounterReloadsAndCountsUnderflows) {
  hwsim::down_counter timer(1000000);  // 1 us ticks
  EXPECT_FALSE(timer.running());
  timer.start(3, true);
  EXPECT_TRUE(timer.running());
  EXPECT_EQ(timer.value(), 3u);
  EXPECT_EQ(timer.read(), 2u);
  EXPECT_EQ(timer.read(), 1u);
  EXPECT_EQ(timer.read(), 0u);
  EXPECT_FALSE(timer.underflow_pending());
  EXPECT_EQ(timer.read(), 3u);  // 0 -> reload: one underflow
  EXPECT_TRUE(timer.underflow_pending());
  timer.acknowledge();
  EXPECT_FALSE(timer.underflow_pending());
  platform::clock::advance_by(10000);  // 10 more ticks: two more underflows and a half
  EXPECT_EQ(timer.underflows(), 3u);
  EXPECT_EQ(timer.value(), 1u);
  EXPECT_TRUE(timer.underflow_pending());
  timer.stop();
  platform::clock::advance_by(10000);
  EXPECT_EQ(timer.value(), 1u);
  EXPECT_EQ(timer.read(), 1u);
  EXPECT_EQ(timer.underflows(), 3u);
  EXPECT_FALSE(timer.running());
}

TEST_F(HwsimTickClock, OneShotDownCounterStopsAtZero) {
  hwsim::down_counter timer(6480000);
  platform::clock::advance_by(777);  // starts inside a tick
  timer.start(5, false);
  for (std::uint32_t expected = 4; expected > 0; --expected) {
    EXPECT_TRUE(timer.running());
    EXPECT_EQ(timer.read(), expected);
  }
  EXPECT_EQ(timer.read(), 0u);
  EXPECT_FALSE(timer.running());
  EXPECT_EQ(timer.read(), 0u);
  EXPECT_EQ(timer.underflows(), 0u);
}

}  // namespace
