#include <gtest/gtest.h>

#include "hwsim/s3c_blocks.h"
#include "hwsim/s3c_clock_controller.h"
#include "hwsim/s3c_gpio.h"
#include "hwsim/s3c_interrupt_controller.h"
#include "hwsim/s3c_pwm_timers.h"
#include "hwsim/s3c_uart.h"
#include "platform/clock.h"
#include "platform/register_page.h"
#include "support/simulated_handheld.h"

namespace {

TEST(HwsimS3C, ClockDividerGivesPclkByTheFamilysRules) {
  const struct {
    const char* text;
    std::uint32_t clock, divider;
    std::uint64_t pclk;
  } cases[] = {
      {"ARM920T S3C2440", 399651840, 0x5, 50000000},  // default: FCLK/4, then half
      {"ARM920T S3C2440", 400000000, 0x6, 133333333}, // a third
      {"ARM920T S3C2440", 0, 0x0, 203000000},
      {"ARM920T S3C2410", 266000000, 0x3, 66500000},  // default: half, half
      {"ARM920T S3C2410", 266000000, 0x4, 266000000}, // bit 2 means nothing
  };
  for (const auto& c : cases) {
    zqtest::simulated_handheld handheld(c.text, c.clock);
    auto* clock = handheld.device().block<hwsim::s3c_clock_controller>(hwsim::s3c::clock_page);
    ASSERT_NE(clock, nullptr);
    if (c.divider != clock->stored(0x14)) clock->write32(0x14, c.divider);
    EXPECT_EQ(clock->pclk_hz(), c.pclk) << c.text << " " << c.divider;
  }
}

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

TEST(HwsimS3C, PortHWiresLedAndReceiverToTheIrUart) {
  hwsim::device_description d = hwsim::device_description::from_text("ARM920T S3C2410");
  d.ir_uart = 3;  // UART2: LED on pin 6, receiver on pin 7
  d.ir_mode_at_start = false;
  zqtest::simulated_handheld handheld(d);
  auto& gpio = *handheld.device().block<hwsim::s3c_gpio>(hwsim::s3c::gpio_page);
  gpio.write32(0x74, 1u << 6);
  EXPECT_FALSE(handheld.device().led().is_on());  // the UART owns the pin
  gpio.write32(0x70, (gpio.stored(0x70) & 0xFFFFCFFF) | 0x1000);
  EXPECT_TRUE(handheld.device().led().is_on());

  handheld.device().receiver().play({1000}, 38000, 0);
  EXPECT_EQ(gpio.read32(0x74) & (1u << 7), 0u);  // a UART pin reads nothing, at no cost
  EXPECT_EQ(platform::clock::now_ns(), 0u);
  gpio.write32(0x70, gpio.stored(0x70) & 0xFFFF3FFF);
  EXPECT_EQ(gpio.read32(0x74) & (1u << 7), 0u);  // carrier on: active low
  EXPECT_EQ(platform::clock::now_ns(), hwsim::pin_read_ns);

  auto* uart2 = handheld.device().block<hwsim::s3c_uart>(hwsim::s3c::uart_pages[3]);
  EXPECT_FALSE(uart2->in_ir_mode());
  handheld.device().serial_ir_mode(L"COM3:", true);
  EXPECT_EQ(uart2->stored(0x00), 0x43u);
}

}  // namespace
