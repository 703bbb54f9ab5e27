#include <gtest/gtest.h>

#include "hwsim/s3c_blocks.h"
#include "platform/clock.h"
#include "platform/register_page.h"
#include "support/simulated_handheld.h"

namespace {

TEST(HwsimS3C, TimerUnderflowsArePendingUntilClearedAndPollsWaitForThem) {
  zqtest::simulated_handheld handheld("ARM920T S3C2440", 399651840);
  const platform::register_page timers = platform::map_register_page(hwsim::s3c::pwm_page);
  const platform::register_page interrupts = platform::map_register_page(hwsim::s3c::interrupt_page);
  timers.write32(0x00, 4 << 8);        // prescaler 4: 50 MHz / 5 / 2
  timers.write32(0x04, 1 << 12);       // timer 3 at a quarter: 2.5 MHz, 400 ns a tick
  timers.write32(0x30, 2);             // count buffer of timer 3
  timers.write32(0x08, 0xA0000);       // manual update + auto-reload
  EXPECT_EQ(timers.read32(0x38), 2u);  // loaded, not counting (the read takes tick 1)
  timers.write32(0x08, 0x90000);       // start + auto-reload, from tick 1
  EXPECT_EQ(handheld.device().timer_hz(), 2500000u);
  EXPECT_EQ(timers.read32(0x38), 1u);
  EXPECT_EQ(timers.read32(0x38), 0u);
  // Nothing new to see: the poll waits for the underflow, at tick 4.
  EXPECT_EQ(interrupts.read32(0x00) & 0x2000, 0x2000u);
  EXPECT_EQ(platform::clock::now_ns(), 1600u);
  // Interrupt-pending shows it only while unmasked.
  EXPECT_EQ(interrupts.read32(0x10) & 0x2000, 0u);
  interrupts.write32(0x08, ~0x2000u);
  EXPECT_EQ(interrupts.read32(0x10) & 0x2000, 0x2000u);
  interrupts.write32(0x00, 0x2000);
  EXPECT_EQ(interrupts.read32(0x10) & 0x2000, 0u);
  EXPECT_EQ(interrupts.read32(0x00) & 0x2000, 0u);  // cleared: a change, seen at once
  EXPECT_EQ(platform::clock::now_ns(), 1600u);
  EXPECT_EQ(interrupts.read32(0x00) & 0x2000, 0x2000u);  // the next underflow, 3 ticks on
  EXPECT_EQ(platform::clock::now_ns(), 2800u);
  timers.write32(0x08, 0);
  EXPECT_EQ(timers.read32(0x38), timers.read32(0x38));  // stopped
}

}  // namespace
