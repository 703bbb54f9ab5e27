#include "hwsim/device.h"

#include <gtest/gtest.h>

#include "hwsim/pxa_blocks.h"
#include "hwsim/pxa_uart.h"
#include "platform/clock.h"
#include "platform/simulated_hardware.h"
#include "support/simulated_handheld.h"

namespace {

TEST(HwsimDevice, ProcessorTextSplitsAtTheLastBlank) {
  const auto s3c = hwsim::device_description::from_text("ARM920T S3C2440", 400000000);
  EXPECT_EQ(s3c.core_name, "ARM920T");
  EXPECT_EQ(s3c.processor_name, "S3C2440");
  EXPECT_EQ(s3c.clock_hz, 400000000u);
  EXPECT_EQ(s3c.text(), "ARM920T S3C2440");
  const auto sa = hwsim::device_description::from_text("SA1110");
  EXPECT_EQ(sa.core_name, "");
  EXPECT_EQ(sa.processor_name, "SA1110");
  EXPECT_EQ(hwsim::device_description::from_text("TI Texas OMAP850").core_name, "TI Texas");
}

TEST(HwsimDevice, PxaDeviceHasItsBlocksAndIrUart) {
  zqtest::simulated_handheld handheld("Intel PXA255");
  hwsim::device& d = handheld.device();
  EXPECT_EQ(d.family(), "pxa25x");
  for (const std::uint32_t page : {hwsim::pxa::os_timer_page, hwsim::pxa::gpio_page, hwsim::pxa::interrupt_page,
                                   hwsim::pxa::ff_uart_page, hwsim::pxa::bt_uart_page, hwsim::pxa::st_uart_page})
    EXPECT_NE(d.register_block_at(page), nullptr) << std::hex << page;
  EXPECT_EQ(d.register_block_at(0x40000000), nullptr);
  EXPECT_TRUE(d.block<hwsim::pxa_uart>(hwsim::pxa::st_uart_page)->in_ir_mode());
  EXPECT_FALSE(d.block<hwsim::pxa_uart>(hwsim::pxa::ff_uart_page)->in_ir_mode());
  EXPECT_EQ(platform::installed_simulated_hardware(), &d);
}

TEST(HwsimDevice, IrModeCanBeSwitchedPerUart) {
  hwsim::device_description desc = hwsim::device_description::from_text("Intel PXA250");
  desc.ir_uart = 2;
  desc.ir_mode_at_start = false;
  zqtest::simulated_handheld handheld(desc);
  hwsim::device& d = handheld.device();
  auto* bt = d.block<hwsim::pxa_uart>(hwsim::pxa::bt_uart_page);
  EXPECT_FALSE(bt->in_ir_mode());
  d.set_uart_ir_mode(2, true);
  EXPECT_TRUE(bt->in_ir_mode());
  d.set_uart_ir_mode(2, false);
  EXPECT_FALSE(bt->in_ir_mode());
  d.set_uart_ir_mode(0, true);  // no UART: nothing
  d.set_uart_ir_mode(9, true);
  EXPECT_FALSE(bt->in_ir_mode());
}

TEST(HwsimDevice, UnknownFamilyHasNoBlocksAndUninstallsItself) {
  {
    hwsim::device d(hwsim::device_description::from_text("x86_64 Intel Xeon"));
    d.install();
    EXPECT_EQ(d.family(), "");
    EXPECT_EQ(platform::installed_simulated_hardware(), &d);
    EXPECT_EQ(d.register_block_at(hwsim::pxa::os_timer_page), nullptr);
  }
  EXPECT_EQ(platform::installed_simulated_hardware(), nullptr);
}

TEST(HwsimLed, PrintsRawEdgesAndTheDemodulatedWaveform) {
  platform::clock::use_virtual(0);
  const auto burst = [](hwsim::led_recorder& led, int cycles, std::uint64_t high, std::uint64_t low) {
    for (int i = 0; i < cycles; ++i) {
      led.set(true);
      platform::clock::advance_by(high);
      led.set(false);
      platform::clock::advance_by(low);
    }
  };
  hwsim::led_recorder led;
  burst(led, 3, 13000, 13000);          // 3 cycles of 26 us
  platform::clock::advance_by(500000);  // 500 us more off
  burst(led, 2, 9000, 17000);
  platform::clock::advance_by(2000000);
  burst(led, 1, 12000, 1000);  // a lone cycle counts as twice its high time
  EXPECT_EQ(led.edges_text(3686400),
            "timer-hz: 3686400\n"
            "0 1\n13000 0\n26000 1\n39000 0\n52000 1\n65000 0\n"
            "578000 1\n587000 0\n604000 1\n613000 0\n"
            "2630000 1\n2642000 0\n");
  EXPECT_EQ(led.demodulated(), (std::vector<std::int32_t>{78, -500, 52, -2000, 24}));
  EXPECT_EQ(led.demodulated_text(), "pulse 78\nspace 500\npulse 52\nspace 2000\npulse 24\n");

  // Only changes are recorded; clearing keeps the level.
  led.set(true);
  led.set(true);
  EXPECT_EQ(led.edges().size(), 13u);
  led.clear();
  EXPECT_TRUE(led.edges().empty());
  EXPECT_TRUE(led.is_on());
  EXPECT_EQ(led.edges_text(1000), "timer-hz: 1000\n");
  EXPECT_TRUE(led.demodulated().empty());
  platform::clock::use_real();
}

}  // namespace
