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

hwsim::device_description sa1110(bool at_start = true) { return zqtest::described("SA1110", 1, at_start); }

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

TEST(IrDriverSA11XX, RefusesWithoutAPortItCanOpen) {
  zqtest::simulated_handheld handheld(sa1110());
  redeye::CIrDrvr* driver = redeye::get_driver();
  const std::int32_t signal[] = {560, -560};
  EXPECT_EQ(driver->load(signal, 2, 2, 26), 304);
  EXPECT_EQ(driver->receive(), 304);
  driver->set_port_name(L"COM7:");
  EXPECT_EQ(driver->load(signal, 2, 2, 26), 13);
  EXPECT_FALSE(driver->port_is_open());
  EXPECT_TRUE(handheld.device().led().edges().empty());
}

// --- Passes ----------------------------------------------------------------------------------

TEST(IrDriverSA11XX, PassesRunAtPriority0FromTheRepeatIndexThenTheQuantumIsRestored) {
  std::uint16_t repeat = 0;
  const auto signal = zqtest::nec_signal(0x20DF10EF, repeat);
  const auto model = zqtest::expect_pxa_led(signal, repeat, 8, nec_timing, first_tick);
  std::vector<std::uint64_t> pass_end(8);
  for (const auto& span : model.spans) pass_end[span.pass] = hwsim::tick_clock::time_of_tick(span.end, hz);

  // pass count, hold key released at (0: never down), passes expected.
  const struct {
    std::uint16_t pass_count;
    std::uint64_t release_ns;
    unsigned passes;
  } cases[] = {{4, 0, 4}, {0, 0, 3}, {0xFFFF, 0, 1}, {0, (pass_end[3] + pass_end[4]) / 2, 5}, {2, pass_end[6], 2}};
  for (const auto& c : cases) {
    zqtest::simulated_handheld handheld(sa1110());
    redeye::CIrDrvr& driver = load_driver(signal, repeat, 26, L"COM3:");
    if (c.release_ns != 0) {
      platform::set_key_state(0x75, true);
      platform::schedule_key_state(0x75, false, c.release_ns);
    }
    ASSERT_EQ(driver.transmit(c.pass_count, 0x75), 0);
    EXPECT_EQ(ticks(handheld), zqtest::expect_pxa_led(signal, repeat, c.passes, nec_timing, first_tick).edges)
        << "pass count " << c.pass_count << ", released at " << c.release_ns;
    EXPECT_EQ(driver.start_index(), repeat);
    // Priority 0 once in fixed mode, around each pass in hold mode; the quantum put back last.
    const auto& log = platform::thread_change_log();
    const bool hold = c.pass_count == 0 || c.pass_count == 0xFFFF;
    ASSERT_EQ(log.size(), (hold ? 2 * c.passes : 2u) + 1);
    EXPECT_EQ(log[0].value, 0);
    EXPECT_EQ(log[0].time_ns, taken_ns);
    EXPECT_EQ(log.back().kind, thread_change::kind_t::quantum);
    EXPECT_EQ(log.back().value, platform::default_thread_quantum);
    EXPECT_EQ(log.back().time_ns, pass_end[c.passes - 1]);
  }
}

// --- Registers -------------------------------------------------------------------------------------

TEST(IrDriverSA11XX, TakesTxd2FromTheUartAndRestoresEveryRegister) {
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

// --- Receive --------------------------------------------------------------------------------------

TEST(IrDriverSA11XX, LearnsAHeldNecButtonFromRxd2AtPriority0WithoutTimeSlicing) {
  zqtest::simulated_handheld handheld(sa1110(false));
  const std::uint32_t direction = pins(handheld).stored(0x00);
  const redeye::CIrDrvr& driver = zqtest::learn_held_nec(handheld.device(), L"COM3:");
  // The serial port was opened in infrared mode for the capture only; the pins were left alone.
  EXPECT_TRUE(zqtest::serial_port_opened());
  EXPECT_FALSE(driver.port_is_open());
  EXPECT_FALSE(uart(handheld).in_ir_mode());
  EXPECT_EQ(pins(handheld).stored(0x00), direction);
  const auto& log = platform::thread_change_log();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].kind, thread_change::kind_t::quantum);
  EXPECT_EQ(log[0].value, 0);
  EXPECT_EQ(log[1].value, 0);
  EXPECT_EQ(log[2].value, platform::normal_thread_priority);
  EXPECT_EQ(log[3].value, platform::default_thread_quantum);
}

}  // namespace
