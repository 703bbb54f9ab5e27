#include <gtest/gtest.h>

#include "hwsim/omap1510_configuration.h"
#include "hwsim/omap1510_uart.h"
#include "hwsim/tick_clock.h"
#include "platform/clock.h"
#include "platform/register_page.h"
#include "support/simulated_handheld.h"

namespace {

using hwsim::omap1510_uart;
using hwsim::tick_clock;

constexpr std::uint32_t thr = omap1510_uart::base + omap1510_uart::thr;
constexpr std::uint32_t lcr = omap1510_uart::base + omap1510_uart::lcr;
constexpr std::uint32_t lsr = omap1510_uart::base + omap1510_uart::lsr;
constexpr std::uint32_t mdr1 = omap1510_uart::base + omap1510_uart::mdr1;

// UART3 on its 12 MHz clock at divisor 1: 16 clocks, 1333.3 ns per bit.
struct uart_bench {
  zqtest::simulated_handheld handheld{"TI OMAP1510"};
  platform::register_page uart = platform::map_register_page(omap1510_uart::page);
  hwsim::led_recorder& led = handheld.device().led();

  uart_bench() {
    uart.write8(lcr, 0x83);
    uart.write8(omap1510_uart::base + omap1510_uart::dll, 1);
    uart.write8(lcr, 0x03);
    uart.write8(mdr1, 0);
  }
  static std::uint64_t bits(unsigned n) { return tick_clock::time_of_tick(16u * n, 12000000); }
  std::vector<std::uint64_t> edge_times() const {
    std::vector<std::uint64_t> times;
    for (const hwsim::led_edge& e : led.edges()) times.push_back(e.time_ns);
    return times;
  }
};

TEST(HwsimOmap, UartShiftsFramesAtItsBitRateWithTheLedFollowingTx) {
  uart_bench bench;
  // The idle line of a plain UART lights the LED.
  EXPECT_TRUE(bench.led.is_on());
  bench.led.clear();
  const std::uint64_t t0 = platform::clock::now_ns();
  bench.uart.write8(thr, 0x0F);  // start 0, 1 1 1 1 0 0 0 0, stop 1
  bench.uart.write8(thr, 0xFE);  // held: follows at once; start 0, 0 1 1 1 1 1 1 1, stop 1
  EXPECT_EQ(bench.uart.read8(lsr), 0x00);
  platform::clock::advance_by(bench.bits(25));
  EXPECT_EQ(bench.uart.read8(lsr), 0x60);
  EXPECT_EQ(bench.edge_times(), (std::vector<std::uint64_t>{t0, t0 + bench.bits(1), t0 + bench.bits(5),
                                                            t0 + bench.bits(9), t0 + bench.bits(10),
                                                            t0 + bench.bits(12)}));
}

TEST(HwsimOmap, BreakModeAndPinRoutingKeepTheLedDark) {
  uart_bench bench;
  bench.uart.write8(lcr, 0x43);
  EXPECT_FALSE(bench.led.is_on());
  bench.led.clear();
  // A byte shifted under the break shows from where it is when the break is lifted.
  const std::uint64_t t0 = platform::clock::now_ns();
  bench.uart.write8(thr, 0x55);
  platform::clock::advance_by(bench.bits(3) + 100);
  bench.uart.write8(lcr, 0x03);
  platform::clock::advance_by(bench.bits(10));
  bench.uart.read8(lsr);
  EXPECT_EQ(bench.edge_times(), (std::vector<std::uint64_t>{t0 + bench.bits(3) + 100, t0 + bench.bits(4),
                                                            t0 + bench.bits(5), t0 + bench.bits(6),
                                                            t0 + bench.bits(7), t0 + bench.bits(8),
                                                            t0 + bench.bits(9)}));
  EXPECT_TRUE(bench.led.is_on());

  // The pin given to another function, or UART3 in SIR mode: dark, and nothing is sent in SIR.
  auto* configuration =
      bench.handheld.device().block<hwsim::omap1510_configuration>(hwsim::omap1510_configuration::page);
  configuration->write32(hwsim::omap1510_configuration::pin_mux_6, 0x1);
  EXPECT_FALSE(bench.led.is_on());
  configuration->write32(hwsim::omap1510_configuration::pin_mux_6, 0x0);
  EXPECT_TRUE(bench.led.is_on());
  bench.uart.write8(mdr1, 1);
  EXPECT_FALSE(bench.led.is_on());
  const std::size_t sent = bench.handheld.device().block<omap1510_uart>(omap1510_uart::page)->sent().size();
  bench.uart.write8(thr, 0x55);
  EXPECT_EQ(bench.handheld.device().block<omap1510_uart>(omap1510_uart::page)->sent().size(), sent);
  EXPECT_EQ(bench.uart.read8(lsr), 0x60);
}

}  // namespace
