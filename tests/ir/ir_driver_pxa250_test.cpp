#include "ir/drivers/ir_driver_pxa250.h"

#include <gtest/gtest.h>


#include "hwsim/pxa_blocks.h"
#include "hwsim/pxa_gpio.h"
#include "hwsim/pxa_interrupt_controller.h"
#include "hwsim/pxa_uart.h"
#include "hwsim/tick_clock.h"
#include "ir/driver_registry.h"
#include "ir/drivers/chosen_uart.h"
#include "platform/input_purge.h"
#include "platform/key_state.h"
#include "platform/serial_port.h"
#include "platform/thread_priority.h"
#include "support/ir_driver_harness.h"
#include "support/simulated_handheld.h"

namespace {

using zqtest::load_driver;
using zqtest::serial_port_opened;
using zqtest::tick_edge;

constexpr std::uint64_t hz = 3686400;
// The virtual time a transmit started at 0 begins its first duration: after the 100 ms settle.
constexpr std::uint64_t first_tick = 368640;
constexpr zqtest::pxa_timing nec_timing{48, 48, 26, 3686};

hwsim::device_description pxa(std::string_view text, int uart = 3, bool at_start = true) {
  return zqtest::described(text, uart, at_start);
}
std::vector<tick_edge> recorded_ticks(hwsim::device& device) { return zqtest::recorded_ticks(device, hz); }
hwsim::pxa_gpio& gpio(hwsim::device& device) { return *device.block<hwsim::pxa_gpio>(hwsim::pxa::gpio_page); }
hwsim::pxa_interrupt_controller& interrupts(hwsim::device& device) {
  return *device.block<hwsim::pxa_interrupt_controller>(hwsim::pxa::interrupt_page);
}

// --- Choosing the LED pin -------------------------------------------------------------------

TEST(IrDriverPxa250, EachUartInIrModeHasItsOwnLedPinAndNeedsNoSerialPort) {
  for (int uart = 1; uart <= 3; ++uart) {
    zqtest::simulated_handheld handheld(pxa("Intel PXA250", uart));
    redeye::CIrDrvr& driver = load_driver({52, -100}, 2, 26, L"COM3:");
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    EXPECT_EQ(redeye::chosen_ir_uart, uart);
    EXPECT_FALSE(serial_port_opened());
    // The device's LED is wired to GPIO 39, 43 or 47 by the UART; only the right pin lights it.
    EXPECT_EQ(handheld.device().led().edges().size(), 4u) << "uart " << uart;
  }
}

TEST(IrDriverPxa250, FirstUartInIrModeWinsTheProbe) {
  zqtest::simulated_handheld handheld(pxa("Intel PXA255", 3));
  // FF with only its transmit bit set also counts as infrared mode; BT has its unit disabled.
  auto* ff = handheld.device().block<hwsim::pxa_uart>(hwsim::pxa::ff_uart_page);
  auto* bt = handheld.device().block<hwsim::pxa_uart>(hwsim::pxa::bt_uart_page);
  ff->store(hwsim::pxa_uart::isr_offset, hwsim::pxa_uart::transmit_ir);
  bt->store(hwsim::pxa_uart::ier_offset, 0);
  bt->store(hwsim::pxa_uart::isr_offset, hwsim::pxa_uart::receive_ir);
  load_driver({560, -560}, 2, 26);
  EXPECT_EQ(redeye::chosen_ir_uart, 1);
  ff->store(hwsim::pxa_uart::ier_offset, 0);
  EXPECT_EQ(redeye::get_driver()->open(), 0);
  EXPECT_EQ(redeye::chosen_ir_uart, 3);
}

TEST(IrDriverPxa250, NoUartInIrModeOpensTheSerialPortInIrModeAndProbesAgain) {
  zqtest::simulated_handheld handheld(pxa("Intel PXA255", 3, false));
  redeye::CIrDrvr& driver = load_driver({560, -560}, 2, 26, L"COM3:");
  EXPECT_EQ(redeye::chosen_ir_uart, 3);
  EXPECT_TRUE(driver.port_is_open());

  const auto& log = platform::serial_event_log();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].kind, platform::serial_event::kind_t::open);
  EXPECT_EQ(log[0].port, L"COM3:");
  EXPECT_EQ(log[1].kind, platform::serial_event::kind_t::timeouts);
  EXPECT_EQ(log[1].timeouts, (platform::serial_timeouts{0xFFFFFFFF, 0, 0, 0, 0}));
  EXPECT_EQ(log[2].kind, platform::serial_event::kind_t::settings);
  EXPECT_EQ(log[2].settings.baud_rate, 2400u);
  EXPECT_EQ(log[2].settings.flags, platform::serial_flag::binary | platform::serial_flag::tx_continue_on_xoff);
  EXPECT_EQ(log[2].settings.data_bits, 8);
  EXPECT_EQ(log[2].settings.parity, 0);
  EXPECT_EQ(log[2].settings.stop_bits, 1);
  EXPECT_EQ(log[3].kind, platform::serial_event::kind_t::escape);
  EXPECT_EQ(log[3].escape, platform::serial_escape_t::set_ir);

  EXPECT_EQ(driver.transmit(0xFFFF, 0), 0);
  EXPECT_EQ(handheld.device().led().edges().size(), 42u);
  driver.close();
  EXPECT_FALSE(driver.port_is_open());
  ASSERT_EQ(log.size(), 6u);
  EXPECT_EQ(log[4].escape, platform::serial_escape_t::clear_ir);
  EXPECT_EQ(log[5].kind, platform::serial_event::kind_t::close);
}

TEST(IrDriverPxa250, NoUartEvenAfterTheSerialPortGives303) {
  // The port exists but no UART is wired to the transceiver.
  zqtest::simulated_handheld handheld(pxa("Intel PXA255", 0, false));
  redeye::CIrDrvr& driver = load_driver({560, -560}, 2, 26, L"COM3:");
  EXPECT_EQ(redeye::chosen_ir_uart, 0);
  EXPECT_TRUE(serial_port_opened());
  EXPECT_EQ(driver.transmit(0, 0), 303);
  EXPECT_EQ(driver.receive(), 303);
  EXPECT_FALSE(driver.port_is_open());
  EXPECT_TRUE(handheld.device().led().edges().empty());
  EXPECT_EQ(gpio(handheld.device()).stored(0x5C), 0x60908010u);
}

TEST(IrDriverPxa250, SerialPortFailuresComeFromTheFallbackOpen) {
  zqtest::simulated_handheld handheld(pxa("Intel PXA255", 3, false));
  redeye::CIrDrvr* driver = redeye::get_driver();
  ASSERT_NE(driver, nullptr);
  const std::int32_t signal[] = {560, -560};
  EXPECT_EQ(driver->load(signal, 2, 2, 26), 304);
  driver->set_port_name(L"COM7:");
  EXPECT_EQ(driver->load(signal, 2, 2, 26), 13);
  EXPECT_FALSE(driver->port_is_open());
}

// --- Exact timing ------------------------------------------------------------------------------

TEST(IrDriverPxa250, NecFramePlaysEveryEdgeOnItsTick) {
  zqtest::simulated_handheld handheld(pxa("Intel PXA255"));
  std::uint16_t repeat = 0;
  const auto signal = zqtest::nec_signal(0x20DF10EF, repeat);
  redeye::CIrDrvr& driver = load_driver(signal, repeat, 26);
  EXPECT_EQ(redeye::CIrDrvr::carrier().high, 48u);
  EXPECT_EQ(redeye::CIrDrvr::carrier().low, 48u);
  ASSERT_EQ(driver.transmit(0, 0), 0);

  const auto ticks = recorded_ticks(handheld.device());
  const auto expected = zqtest::expect_pxa_led(signal, repeat, 3, nec_timing, first_tick);
  ASSERT_EQ(ticks.size(), expected.edges.size());
  EXPECT_EQ(ticks, expected.edges);

  // The same, spelt out for the leader: 9000 / 26 = 346 cycles of 48 ticks on and 48 off from the
  // tick after the settle; the 4500 space is 16587 ticks, plus the reads that start it and the
  // next mark.
  EXPECT_EQ(ticks[0], (tick_edge{first_tick + 1, true}));
  EXPECT_EQ(ticks[1], (tick_edge{first_tick + 1 + 48, false}));
  EXPECT_EQ(ticks[2], (tick_edge{first_tick + 1 + 96, true}));
  EXPECT_EQ(ticks[2 * 345 + 1], (tick_edge{first_tick + 1 + 345 * 96 + 48, false}));
  EXPECT_EQ(ticks[2 * 346], (tick_edge{first_tick + 1 + 346 * 96 + 1 + 16587 + 1, true}));
  // The frame's bit marks: 560 / 26 = 21 cycles each; bit 0 of the code is 1, a 1690 space.
  EXPECT_EQ(ticks[2 * 346 + 2 * 21].tick - ticks[2 * 346].tick, 21u * 96 + 1 + 1690u * 3686 / 1000 + 1);

  // Three passes: the first plays the frame and the repeat frame after it, the two others the
  // repeat frame.
  const std::size_t frame_edges = 2 * (346 + 33 * 21);
  const std::size_t repeat_edges = 2 * (346 + 21);
  EXPECT_EQ(ticks.size(), frame_edges + 3 * repeat_edges);
}

TEST(IrDriverPxa250, ShortMarkPlaysNothingAndZeroIsAMark) {
  zqtest::simulated_handheld handheld(pxa("Intel PXA255"));
  const std::vector<std::int32_t> signal{20, -300, 0, -300, 52, -300};
  redeye::CIrDrvr& driver = load_driver(signal, 6, 26);
  ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
  const auto expected = zqtest::expect_pxa_led(signal, 6, 1, nec_timing, first_tick);
  EXPECT_EQ(recorded_ticks(handheld.device()), expected.edges);
  EXPECT_EQ(expected.edges.size(), 4u);
  // Three mark windows with interrupts masked, even for the marks too short to light the LED.
  EXPECT_EQ(interrupts(handheld.device()).mask_writes().size(), 6u);
}

TEST(IrDriverPxa250, SignalWithoutRepeatedPartSendsItsClosingSpaceOnce) {
  zqtest::simulated_handheld handheld(pxa("Intel PXA255"));
  redeye::CIrDrvr& driver = load_driver({2600, -1000, 520}, 3, 26);
  EXPECT_EQ(driver.count(), 4);
  EXPECT_EQ(driver.durations().back(), -500000);
  const std::uint64_t before = platform::clock::now_ns();
  ASSERT_EQ(driver.transmit(0, 0), 0);
  EXPECT_EQ(handheld.device().led().demodulated_text(), "pulse 2604\nspace 1001\npulse 521\n");
  // The 500 ms closing space is waited once; the two later passes are empty.
  const std::uint64_t took = platform::clock::now_ns() - before;
  EXPECT_GT(took, 600000000u);
  EXPECT_LT(took, 610000000u);
}

// --- The frame: passes, priority, interrupts, registers ----------------------------------------

TEST(IrDriverPxa250, PassesInFixedAndHoldModeStartAgainAtTheRepeatIndex) {
  std::uint16_t repeat = 0;
  const auto signal = zqtest::nec_signal(0x20DF10EF, repeat);
  // Pass ends, worked out for more passes than will be played.
  const auto model = zqtest::expect_pxa_led(signal, repeat, 8, nec_timing, first_tick);
  std::vector<std::uint64_t> pass_end(8);
  for (const auto& span : model.spans) pass_end[span.pass] = hwsim::tick_clock::time_of_tick(span.end, hz);
  const struct {
    std::uint16_t pass_count;
    std::uint64_t release_ns;  // the stylus is down until then (0: never down)
    unsigned passes;
    bool hold;
  } cases[] = {
      {2, 1000000000, 2, false},  // a hold key with an explicit pass count still means fixed mode
      {0, 0, 3, true},            // released at once: the minimum
      {0xFFFF, 0, 1, true},
      // Released during the fifth pass: the key is tested after the fourth (down) and the fifth (up).
      {0, (pass_end[3] + pass_end[4]) / 2, 5, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "pass count " << c.pass_count << ", released at " << c.release_ns);
    zqtest::simulated_handheld handheld(pxa("Intel PXA255"));
    redeye::CIrDrvr& driver = load_driver(signal, repeat, 26);
    if (c.release_ns != 0) {
      platform::set_key_state(platform::vk_stylus, true);
      platform::schedule_key_state(platform::vk_stylus, false, c.release_ns);
    }
    ASSERT_EQ(driver.transmit(c.pass_count, platform::vk_stylus), 0);
    const auto expected = zqtest::expect_pxa_led(signal, repeat, c.passes, nec_timing, first_tick);
    EXPECT_EQ(recorded_ticks(handheld.device()), expected.edges);
    EXPECT_EQ(driver.start_index(), repeat);

    // Fixed mode: priority 1 once, after the settle, for all passes. Hold mode: priority 1 before
    // each pass's first duration, back to normal just before its last.
    const auto& log = platform::thread_change_log();
    ASSERT_EQ(log.size(), c.hold ? 2 * c.passes : 2u);
    for (std::size_t change = 0; change < log.size(); change += 2) {
      std::vector<zqtest::duration_span> spans;
      for (const auto& span : expected.spans)
        if (span.pass == (c.hold ? change / 2 : span.pass)) spans.push_back(span);
      const std::uint64_t raised = change == 0 ? 100000000u : hwsim::tick_clock::time_of_tick(spans.front().begin, hz);
      const std::uint64_t restored =
          hwsim::tick_clock::time_of_tick(c.hold ? spans.back().begin : spans.back().end, hz);
      EXPECT_EQ(log[change].value, 1) << "change " << change;
      EXPECT_EQ(log[change].time_ns, raised) << "change " << change;
      EXPECT_EQ(log[change + 1].value, platform::normal_thread_priority) << "change " << change;
      EXPECT_EQ(log[change + 1].time_ns, restored) << "change " << change;
    }
  }
}

TEST(IrDriverPxa250, HeldKeyKeepsAnEmptyRepeatTurningUntilRelease) {
  zqtest::simulated_handheld handheld(pxa("Intel PXA255"));
  redeye::CIrDrvr& driver = load_driver({2600}, 1, 26);
  platform::set_key_state(0x75, true);
  platform::schedule_key_state(0x75, false, 2000000000);
  ASSERT_EQ(driver.transmit(0xFFFF, 0x75), 0);
  EXPECT_EQ(handheld.device().led().demodulated_text(), "pulse 2604\n");
  EXPECT_GE(platform::clock::now_ns(), 2000000000u);
  EXPECT_LT(platform::clock::now_ns(), 2000000000u + platform::clock::idle_spin_ns + 1);
}

TEST(IrDriverPxa250, PinRegistersAreRestoredAndInputPurged) {
  zqtest::simulated_handheld handheld(pxa("Intel PXA255"));
  hwsim::pxa_gpio& pins = gpio(handheld.device());
  const std::uint32_t direction = pins.stored(0x10);
  const std::uint32_t alternate = pins.stored(0x5C);
  redeye::CIrDrvr& driver = load_driver({9000, -4500, 560, -20000}, 0, 38);
  ASSERT_EQ(driver.transmit(0, 0), 0);
  EXPECT_EQ(pins.stored(0x10), direction);
  EXPECT_EQ(pins.stored(0x5C), alternate);
  EXPECT_EQ(pins.alternate_function(47), 1u);
  EXPECT_EQ(pins.latch(1) & (1u << 15), 0u);
  EXPECT_FALSE(handheld.device().led().is_on());

  const auto& purges = platform::input_purge_log();
  ASSERT_EQ(purges.size(), 2u);
  EXPECT_EQ(purges[0].kind, platform::pending_input_t::stylus);
  EXPECT_EQ(purges[1].kind, platform::pending_input_t::keys);
  EXPECT_EQ(purges[0].time_ns, platform::clock::now_ns());
}

TEST(IrDriverPxa250, LoadCopiesTheSignalAndItsLimits) {
  zqtest::simulated_handheld handheld(pxa("Intel PXA255"));
  redeye::CIrDrvr* driver = redeye::get_driver();
  ASSERT_NE(driver, nullptr);
  EXPECT_EQ(driver->load(nullptr, 4, 0, 26), 11);
  const std::int32_t two[] = {560, -560};
  EXPECT_EQ(driver->load(two, 0, 0, 26), 11);
  EXPECT_EQ(driver->load(two, 2, 0, 0), 12);

  std::vector<std::int32_t> long_signal(320);
  for (std::size_t i = 0; i < long_signal.size(); ++i) long_signal[i] = i % 2 ? -600 : 600;
  ASSERT_EQ(driver->load(long_signal.data(), 320, 10, 60), 0);
  EXPECT_EQ(driver->count(), 300);
  EXPECT_EQ(driver->repeat_index(), 10);
  EXPECT_EQ(driver->carrier_period(), 26);  // 60 is out of range
  EXPECT_EQ(driver->start_index(), 0);
  const redeye::signal_data copy = driver->captured_signal();
  EXPECT_EQ(copy.durations, std::vector<std::int32_t>(long_signal.begin(), long_signal.begin() + 300));
}

}  // namespace
