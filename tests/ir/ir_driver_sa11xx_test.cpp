#include "ir/drivers/ir_driver_sa11xx.h"

#include <gtest/gtest.h>

#include "hwsim/ir_receiver.h"
#include "hwsim/pxa_interrupt_controller.h"
#include "hwsim/sa11xx_blocks.h"
#include "hwsim/sa11xx_pin_controller.h"
#include "hwsim/sa11xx_uart.h"
#include "hwsim/tick_clock.h"
#include "ir/driver_registry.h"
#include "platform/input_purge.h"
#include "platform/key_state.h"
#include "platform/serial_port.h"
#include "platform/thread_priority.h"
#include "support/ir_driver_harness.h"
#include "support/simulated_handheld.h"

namespace {

using platform::thread_change;
using zqtest::load_driver;

constexpr std::uint64_t hz = 3686400;
// The tick a transmit started at time 0 is in when its first duration begins: after the 100 ms settle.
constexpr std::uint64_t first_tick = 368640;
// The LED is taken after the 100 ms settle and one read of the pin levels (to restore them).
constexpr std::uint64_t taken_ns = 100000000 + hwsim::pin_read_ns;
constexpr zqtest::pxa_timing nec_timing{48, 48, 26, 3686};

hwsim::device_description sa1110(bool at_start = true, int uart = 1) {
  hwsim::device_description d = hwsim::device_description::from_text("SA1110");
  d.ir_uart = uart;
  d.ir_mode_at_start = at_start;
  return d;
}

std::vector<zqtest::tick_edge> ticks(zqtest::simulated_handheld& handheld) {
  return zqtest::recorded_ticks(handheld.device(), hz);
}
hwsim::sa11xx_pin_controller& pins(zqtest::simulated_handheld& handheld) {
  return *handheld.device().block<hwsim::sa11xx_pin_controller>(hwsim::sa11xx::pin_controller_page);
}
hwsim::sa11xx_uart& uart(zqtest::simulated_handheld& handheld) {
  return *handheld.device().block<hwsim::sa11xx_uart>(hwsim::sa11xx::serial2_uart_page);
}

// --- The serial port and the refusals ----------------------------------------------------------

TEST(IrDriverSA11XX, AlwaysOpensTheSerialPortAndItsIrModeReachesSerialPort2) {
  for (const bool at_start : {true, false}) {
    zqtest::simulated_handheld handheld(sa1110(at_start));
    ASSERT_NE(dynamic_cast<redeye::CIrDrvrSA11XX*>(redeye::get_driver()), nullptr);
    redeye::CIrDrvr& driver = load_driver({560, -560}, 2, 26, L"COM3:");
    EXPECT_TRUE(zqtest::serial_port_opened());
    EXPECT_TRUE(driver.port_is_open());
    EXPECT_TRUE(uart(handheld).in_ir_mode());
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    EXPECT_EQ(handheld.device().led().edges().size(), 42u);
    driver.close();
    EXPECT_FALSE(uart(handheld).in_ir_mode());
  }
}

TEST(IrDriverSA11XX, RefusesWithoutPortBlocksOrOpen) {
  const std::int32_t signal[] = {560, -560};
  {
    zqtest::simulated_handheld handheld(sa1110());
    redeye::CIrDrvr* driver = redeye::get_driver();
    EXPECT_EQ(driver->transmit(0, 0), 302);
    EXPECT_EQ(driver->load(signal, 2, 2, 26), 304);
    driver->set_port_name(L"COM7:");
    EXPECT_EQ(driver->load(signal, 2, 2, 26), 13);
    EXPECT_FALSE(driver->port_is_open());
    EXPECT_TRUE(handheld.device().led().edges().empty());
  }
  {
    // A device of another family has none of the SA-11x0 pages.
    zqtest::simulated_handheld handheld("Intel PXA255");
    redeye::CIrDrvrSA11XX driver;
    driver.set_port_name(L"COM3:");
    EXPECT_EQ(driver.load(signal, 2, 2, 26), 0);
    EXPECT_EQ(driver.transmit(0, 0), 301);
  }
}

// --- Exact timing ------------------------------------------------------------------------------

TEST(IrDriverSA11XX, HalfPeriodsRoundUpOnlyAboveFourTenths) {
  // period -> ticks on, ticks off at 3.6864 ticks per microsecond.
  const struct {
    std::uint16_t period;
    std::uint32_t high, low;
  } cases[] = {{11, 21, 20}, {13, 24, 24}, {26, 48, 48}, {35, 65, 64}, {37, 68, 68}, {50, 92, 92}};
  for (const auto& c : cases) {
    zqtest::simulated_handheld handheld(sa1110());
    const std::vector<std::int32_t> signal{c.period * 9 + 4, -700};
    redeye::CIrDrvr& driver = load_driver(signal, 2, c.period, L"COM3:");
    EXPECT_EQ(redeye::CIrDrvr::carrier().high, c.high) << "period " << c.period;
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    EXPECT_EQ(ticks(handheld),
              zqtest::expect_pxa_led(signal, 2, 1, {c.high, c.low, c.period, 3686}, first_tick).edges)
        << "period " << c.period;
  }
}

TEST(IrDriverSA11XX, NecSignalPlaysEveryEdgeOnItsTick) {
  zqtest::simulated_handheld handheld(sa1110());
  std::uint16_t repeat = 0;
  const auto signal = zqtest::nec_signal(0x20DF10EF, repeat);
  redeye::CIrDrvr& driver = load_driver(signal, repeat, 26, L"COM3:");
  ASSERT_EQ(driver.transmit(0, 0), 0);
  const auto recorded = ticks(handheld);
  EXPECT_EQ(recorded, zqtest::expect_pxa_led(signal, repeat, 3, nec_timing, first_tick).edges);
  // The leader spelt out: 346 cycles of 96 ticks, then 4500 us as 16587 ticks plus the reads that
  // start the space and the next mark.
  ASSERT_GT(recorded.size(), 2u * 346);
  EXPECT_EQ(recorded[0], (zqtest::tick_edge{first_tick + 1, true}));
  EXPECT_EQ(recorded[2 * 346], (zqtest::tick_edge{first_tick + 1 + 346 * 96 + 1 + 16587 + 1, true}));
}

TEST(IrDriverSA11XX, SpaceWaitsThroughTheCounterWrap) {
  std::uint16_t repeat = 0;
  const auto signal = zqtest::nec_signal(0x00FF00FF, repeat);
  const auto expected = zqtest::expect_pxa_led(signal, repeat, 1, nec_timing, first_tick);
  for (const std::uint64_t wrap_tick : {expected.spans[1].begin + 9000, expected.spans[4].begin + 700}) {
    hwsim::device_description d = sa1110();
    d.timer_start = static_cast<std::uint32_t>(0x100000000ull - wrap_tick);
    zqtest::simulated_handheld handheld(d);
    redeye::CIrDrvr& driver = load_driver(signal, repeat, 26, L"COM3:");
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    EXPECT_EQ(ticks(handheld), expected.edges) << "wrap at tick " << wrap_tick;
  }
}

// --- Passes, priority and quantum ----------------------------------------------------------------

TEST(IrDriverSA11XX, FixedModeRunsAllPassesAtPriority0ThenRestoresTheQuantum) {
  zqtest::simulated_handheld handheld(sa1110());
  const std::vector<std::int32_t> signal{2600, -1000, 520, -2000, 1040, -3000};
  redeye::CIrDrvr& driver = load_driver(signal, 2, 26, L"COM3:");
  platform::set_key_state(platform::vk_stylus, true);  // an explicit count ignores the key
  ASSERT_EQ(driver.transmit(4, platform::vk_stylus), 0);
  EXPECT_EQ(driver.start_index(), 2);
  EXPECT_EQ(handheld.device().led().demodulated_text(),
            "pulse 2604\nspace 1001\n"
            "pulse 521\nspace 2000\npulse 1042\nspace 3000\npulse 521\nspace 2000\npulse 1042\nspace 3000\n"
            "pulse 521\nspace 2000\npulse 1042\nspace 3000\npulse 521\nspace 2000\npulse 1042\n");

  const auto expected = zqtest::expect_pxa_led(signal, 2, 4, nec_timing, first_tick);
  const std::uint64_t end = hwsim::tick_clock::time_of_tick(expected.spans.back().end, hz);
  const auto& log = platform::thread_change_log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].kind, thread_change::kind_t::priority);
  EXPECT_EQ(log[0].value, 0);
  EXPECT_EQ(log[0].time_ns, taken_ns);
  EXPECT_EQ(log[1].value, platform::normal_thread_priority);
  EXPECT_EQ(log[1].time_ns, end);
  EXPECT_EQ(log[2].kind, thread_change::kind_t::quantum);
  EXPECT_EQ(log[2].value, platform::default_thread_quantum);
  EXPECT_EQ(log[2].time_ns, end);
}

TEST(IrDriverSA11XX, HoldModeRepeatsTheRepeatedPartUntilTheKeyIsReleased) {
  std::uint16_t repeat = 0;
  const auto signal = zqtest::nec_signal(0x20DF10EF, repeat);
  const auto model = zqtest::expect_pxa_led(signal, repeat, 8, nec_timing, first_tick);
  std::vector<std::uint64_t> pass_end(8);
  for (const auto& span : model.spans) pass_end[span.pass] = hwsim::tick_clock::time_of_tick(span.end, hz);

  // pass count, release time (0: never down), passes expected.
  const struct {
    std::uint16_t pass_count;
    std::uint64_t release_ns;
    unsigned passes;
  } cases[] = {{0, 0, 3}, {0xFFFF, 0, 1}, {0, (pass_end[3] + pass_end[4]) / 2, 5}, {0xFFFF, pass_end[0] - 1, 1}};
  for (const auto& c : cases) {
    zqtest::simulated_handheld handheld(sa1110());
    redeye::CIrDrvr& driver = load_driver(signal, repeat, 26, L"COM3:");
    if (c.release_ns != 0) {
      platform::set_key_state(0x75, true);
      platform::schedule_key_state(0x75, false, c.release_ns);
    }
    ASSERT_EQ(driver.transmit(c.pass_count, 0x75), 0);
    const auto expected = zqtest::expect_pxa_led(signal, repeat, c.passes, nec_timing, first_tick);
    EXPECT_EQ(ticks(handheld), expected.edges) << "released at " << c.release_ns;
    // Priority 0 from each pass's first duration to just before its last, then the quantum.
    const auto& log = platform::thread_change_log();
    ASSERT_EQ(log.size(), 2 * c.passes + 1);
    std::size_t entry = 0;
    for (const auto& span : expected.spans) {
      const bool first = span.index == (span.pass == 0 ? 0u : repeat);
      const bool last = span.index + 1 == signal.size();
      if (!first && !last) continue;
      const std::uint64_t at = span.begin == first_tick ? taken_ns : hwsim::tick_clock::time_of_tick(span.begin, hz);
      EXPECT_EQ(log[entry].value, first ? 0 : platform::normal_thread_priority) << "pass " << span.pass;
      EXPECT_EQ(log[entry++].time_ns, at) << "pass " << span.pass;
    }
    EXPECT_EQ(log.back().kind, thread_change::kind_t::quantum);
  }
}

// --- Registers -------------------------------------------------------------------------------------

TEST(IrDriverSA11XX, TakesTxd2AsTheOnlyOutputAndRestoresEveryRegister) {
  zqtest::simulated_handheld handheld(sa1110());
  hwsim::sa11xx_pin_controller& pin = pins(handheld);
  const std::uint32_t direction = pin.stored(0x00);
  const std::uint32_t levels = pin.latch() & direction;
  redeye::CIrDrvr& driver = load_driver({1040, -1000, 520, -2000}, 0, 26, L"COM3:");
  ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
  const std::uint64_t end = platform::clock::now_ns();

  // The UART's control byte: (0x08 AND 0xE6) OR 0x01 while the LED is taken, its own value afterwards.
  EXPECT_EQ(uart(handheld).control0_writes(),
            (std::vector<hwsim::control_write>{{taken_ns, 0x01}, {end, hwsim::sa11xx_uart::initial_control0}}));
  EXPECT_EQ(pin.stored(0x00), direction);
  EXPECT_EQ(pin.latch() & direction, levels);
  EXPECT_FALSE(handheld.device().led().is_on());
  // Interrupts stay enabled.
  EXPECT_TRUE(handheld.device().block<hwsim::pxa_interrupt_controller>(hwsim::sa11xx::interrupt_page)
                  ->mask_writes()
                  .empty());
  const auto& purges = platform::input_purge_log();
  ASSERT_EQ(purges.size(), 2u);
  EXPECT_EQ(purges[0].kind, platform::pending_input_t::stylus);
  EXPECT_EQ(purges[1].kind, platform::pending_input_t::keys);
}

TEST(IrDriverSA11XX, PinControllerDrivesTheLedOnlyFromAnOutputTxd2) {
  zqtest::simulated_handheld handheld(sa1110());
  const platform::register_page page = platform::map_register_page(hwsim::sa11xx::pin_controller_page);
  page.write32(0x04, 0x4000);
  EXPECT_TRUE(handheld.device().led().is_on());
  page.write32(0x00, 0x1000);  // TXD2 an input: the LED goes dark, the latch stays
  EXPECT_FALSE(handheld.device().led().is_on());
  // RXD2 reads the receiver: idle high, low in the first half of a carrier cycle.
  handheld.device().receiver().play({1000}, 38000, platform::clock::now_ns() + 1000);
  EXPECT_EQ(page.read32(0x04), 0x8000u);
  platform::clock::advance_by(1000);
  EXPECT_EQ(page.read32(0x04), 0u);
}

}  // namespace
