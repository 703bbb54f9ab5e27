#include <gtest/gtest.h>

#include "hwsim/ir_receiver.h"
#include "hwsim/pxa_blocks.h"
#include "hwsim/pxa_gpio.h"
#include "platform/clock.h"
#include "platform/register_page.h"
#include "support/simulated_handheld.h"

namespace {

TEST(HwsimReceiver, OutputIsActiveLowDuringTheHighHalfOfEachCarrierCycle) {
  hwsim::ir_receiver receiver;
  EXPECT_TRUE(receiver.level_at(0));
  // 40 kHz: 25 us cycles, low for the first 12.5 us of each.
  receiver.play({100, -50, 50}, 40000, 1000);
  EXPECT_TRUE(receiver.level_at(999));
  EXPECT_FALSE(receiver.level_at(1000));
  EXPECT_FALSE(receiver.level_at(1000 + 12499));
  EXPECT_TRUE(receiver.level_at(1000 + 12500));
  EXPECT_TRUE(receiver.level_at(1000 + 24999));
  EXPECT_FALSE(receiver.level_at(1000 + 25000));
  EXPECT_FALSE(receiver.level_at(1000 + 75000 + 12499));
  EXPECT_TRUE(receiver.level_at(1000 + 100000));  // the space
  EXPECT_TRUE(receiver.level_at(1000 + 149999));
  EXPECT_FALSE(receiver.level_at(1000 + 150000));
  EXPECT_TRUE(receiver.level_at(1000 + 200000));  // after the end
  EXPECT_EQ(receiver.end_ns(), 1000u + 200000u);
  receiver.stop();
  EXPECT_TRUE(receiver.level_at(1000));
}

TEST(HwsimReceiver, ParsesPulseAndSpaceLines) {
  std::vector<std::int32_t> out{7};
  EXPECT_TRUE(hwsim::ir_receiver::parse_waveform("# an NEC leader\npulse 9000\r\n\nspace  4500\npulse 560\n", out));
  EXPECT_EQ(out, (std::vector<std::int32_t>{9000, -4500, 560}));
  EXPECT_FALSE(hwsim::ir_receiver::parse_waveform("pulse 9000\nmark 10\n", out));
  EXPECT_FALSE(hwsim::ir_receiver::parse_waveform("pulse -3\n", out));
  EXPECT_FALSE(hwsim::ir_receiver::parse_waveform("space 12x\n", out));
  EXPECT_FALSE(hwsim::ir_receiver::parse_waveform("pulse 99999999999\n", out));
  EXPECT_EQ(out, (std::vector<std::int32_t>{9000, -4500, 560}));
}

class HwsimPxaGpio : public ::testing::Test {
 protected:
  HwsimPxaGpio()
      : handheld_("Intel PXA255"), gpio_(platform::map_register_page(hwsim::pxa::gpio_page)) {}
  hwsim::led_recorder& led() { return handheld_.device().led(); }

  zqtest::simulated_handheld handheld_;
  platform::register_page gpio_;
};

TEST_F(HwsimPxaGpio, LedFollowsTheTransmitPinOnlyWhileItIsAPlainOutput) {
  constexpr std::uint32_t pin47 = 1u << 15;
  // The UART owns GPIO 47: setting its latch does not light the LED.
  gpio_.write32(0x1C, pin47);
  EXPECT_FALSE(led().is_on());
  gpio_.write32(0x5C, gpio_.read32(0x5C) & 0x3FFFFFFF);
  EXPECT_TRUE(led().is_on());
  platform::clock::advance_by(1000);
  gpio_.write32(0x28, pin47);
  EXPECT_FALSE(led().is_on());
  gpio_.write32(0x1C, pin47);
  gpio_.write32(0x10, gpio_.read32(0x10) & ~pin47);  // an input: not driven
  EXPECT_FALSE(led().is_on());
  // Other pins do nothing to it.
  gpio_.write32(0x10, gpio_.read32(0x10) | pin47);
  gpio_.write32(0x28, 1u << 7);
  gpio_.write32(0x18, 0xFFFFFFFF);
  EXPECT_TRUE(led().is_on());
  EXPECT_EQ(led().edges(), (std::vector<hwsim::led_edge>{
                              {0, true}, {1000, false}, {1000, true}, {1000, false}, {1000, true}}));
  // Set and clear read as 0; the latch holds the result.
  EXPECT_EQ(gpio_.read32(0x1C), 0u);
  EXPECT_EQ(gpio_.read32(0x28), 0u);
  EXPECT_EQ(gpio_.read32(0x1C + 0x0C), 0u);
}

TEST_F(HwsimPxaGpio, LevelReadsCostTimeAndSeeTheReceiver) {
  constexpr std::uint32_t pin46 = 1u << 14;
  handheld_.device().receiver().play({1000}, 38000, 5000);
  const std::uint64_t start = platform::clock::now_ns();
  EXPECT_EQ(gpio_.read32(0x04) & pin46, pin46);  // nothing received yet: high
  EXPECT_EQ(platform::clock::now_ns(), start + hwsim::pin_read_ns);
  platform::clock::advance_to(5000 - hwsim::pin_read_ns);
  EXPECT_EQ(gpio_.read32(0x04) & pin46, 0u);  // a carrier pulse: low
  // Made an output, the pin reads its latch instead.
  gpio_.write32(0x10, gpio_.read32(0x10) | pin46);
  gpio_.write32(0x1C, pin46);
  EXPECT_EQ(gpio_.read32(0x04) & pin46, pin46);
  // Reading the level of bank 0 costs the same.
  const std::uint64_t before = platform::clock::now_ns();
  gpio_.read32(0x00);
  EXPECT_EQ(platform::clock::now_ns(), before + hwsim::pin_read_ns);
}

}  // namespace
