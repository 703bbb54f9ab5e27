#include "ir/drivers/ir_driver_pxa270.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "hwsim/pxa_blocks.h"
#include "hwsim/pxa_gpio.h"
#include "hwsim/pxa_interrupt_controller.h"
#include "hwsim/tick_clock.h"
#include "ir/driver_registry.h"
#include "ir/drivers/chosen_uart.h"
#include "platform/key_state.h"
#include "platform/thread_priority.h"
#include "support/ir_driver_harness.h"
#include "support/remote_waveforms.h"
#include "support/simulated_handheld.h"

namespace {

using zqtest::load_driver;

constexpr std::uint64_t hz = 3250000;
// The tick a transmit started at time 0 is in when its first duration begins: after the 100 ms settle.
constexpr std::uint64_t first_tick = 325000;
// 26 us at 3.25 ticks per microsecond: 84.5 rounds up to 85 = 43 on + 42 off.
constexpr zqtest::pxa_timing nec_timing{43, 42, 26, 3250};

hwsim::device_description pxa270(int uart = 3, bool at_start = true) {
  hwsim::device_description d = hwsim::device_description::from_text("Intel PXA270");
  d.ir_uart = uart;
  d.ir_mode_at_start = at_start;
  return d;
}

std::vector<zqtest::tick_edge> ticks(zqtest::simulated_handheld& handheld) {
  return zqtest::recorded_ticks(handheld.device(), hz);
}

TEST(IrDriverPXA270, ProcessorTextChoosesThisDriverOnItsOwnBlocks) {
  zqtest::simulated_handheld handheld(pxa270());
  EXPECT_EQ(handheld.device().timer_hz(), hz);
  EXPECT_NE(dynamic_cast<redeye::CIrDrvrPXA270*>(redeye::get_driver()), nullptr);
}

TEST(IrDriverPXA270, HalfPeriodsAreWorkedOutForTheSlowerTimer) {
  // period -> ticks on, ticks off: fractions .25 stay, .5 and .75 round up.
  const struct {
    std::uint16_t period;
    std::uint32_t high, low;
  } cases[] = {{10, 17, 16}, {13, 21, 21}, {17, 28, 27}, {26, 43, 42}, {27, 44, 44}, {50, 82, 81}};
  for (const auto& c : cases) {
    zqtest::simulated_handheld handheld(pxa270());
    const std::vector<std::int32_t> signal{c.period * 7 + 3, -900};
    redeye::CIrDrvr& driver = load_driver(signal, 2, c.period);
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    EXPECT_EQ(ticks(handheld),
              zqtest::expect_pxa_led(signal, 2, 1, {c.high, c.low, c.period, 3250}, first_tick).edges)
        << "period " << c.period;
  }
}

TEST(IrDriverPXA270, SpaceWaitsThroughTheCounterWrap) {
  std::uint16_t repeat = 0;
  const auto signal = zqtest::nec_signal(0x00FF00FF, repeat);
  const auto expected = zqtest::expect_pxa_led(signal, repeat, 1, nec_timing, first_tick);
  // The wrap inside the leader space, then inside the first bit mark.
  for (const std::uint64_t wrap_tick : {expected.spans[1].begin + 7000, expected.spans[2].begin + 300}) {
    hwsim::device_description d = pxa270();
    d.timer_start = static_cast<std::uint32_t>(0x100000000ull - wrap_tick);
    zqtest::simulated_handheld handheld(d);
    redeye::CIrDrvr& driver = load_driver(signal, repeat, 26);
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    EXPECT_EQ(ticks(handheld), expected.edges) << "wrap at tick " << wrap_tick;
  }
}

TEST(IrDriverPXA270, PassesInFixedAndHoldModeStartAgainAtTheRepeatIndex) {
  std::uint16_t repeat = 0;
  const auto signal = zqtest::nec_signal(0x20DF10EF, repeat);
  const auto model = zqtest::expect_pxa_led(signal, repeat, 8, nec_timing, first_tick);
  std::vector<std::uint64_t> pass_end(8);
  for (const auto& span : model.spans) pass_end[span.pass] = hwsim::tick_clock::time_of_tick(span.end, hz);

  // pass count, hold key down until (0: not held), passes expected.
  const struct {
    std::uint16_t pass_count;
    std::uint64_t release_ns;
    unsigned passes;
  } cases[] = {{5, 0, 5}, {0xFFFF, 0, 1}, {0, 0, 3}, {0, (pass_end[4] + pass_end[5]) / 2, 6}, {0xFFFF, 1, 1}};
  for (const auto& c : cases) {
    zqtest::simulated_handheld handheld(pxa270());
    redeye::CIrDrvr& driver = load_driver(signal, repeat, 26);
    if (c.release_ns != 0) {
      platform::set_key_state(platform::vk_stylus, true);
      platform::schedule_key_state(platform::vk_stylus, false, c.release_ns);
    }
    ASSERT_EQ(driver.transmit(c.pass_count, platform::vk_stylus), 0);
    EXPECT_EQ(ticks(handheld), zqtest::expect_pxa_led(signal, repeat, c.passes, nec_timing, first_tick).edges)
        << "pass count " << c.pass_count << ", released at " << c.release_ns;
    EXPECT_EQ(driver.start_index(), repeat);
    // Priority 1 for all passes in fixed mode, around each pass in hold mode.
    const auto& log = platform::thread_change_log();
    const bool hold = c.pass_count == 0 || c.pass_count == 0xFFFF;
    ASSERT_EQ(log.size(), hold ? 2 * c.passes : 2u);
    EXPECT_EQ(log.front().value, 1);
    EXPECT_EQ(log.back().value, platform::normal_thread_priority);
  }
}

TEST(IrDriverPXA270, EveryInterruptIsMaskedDuringMarksOnly) {
  zqtest::simulated_handheld handheld(pxa270());
  const std::vector<std::int32_t> signal{2600, -1000, 520, -2000, 10, -3000};
  redeye::CIrDrvr& driver = load_driver(signal, 2, 26);
  ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);

  const auto expected = zqtest::expect_pxa_led(signal, 2, 1, nec_timing, first_tick);
  const auto& writes =
      handheld.device().block<hwsim::pxa_interrupt_controller>(hwsim::pxa::interrupt_page)->mask_writes();
  constexpr std::uint32_t initial = hwsim::pxa_interrupt_controller::initial_mask;
  // Each mark, also the one too short for a cycle: 0 from before its counter read, the saved mask
  // back at its end.
  std::vector<hwsim::mask_write> wanted;
  for (const auto& span : expected.spans) {
    if (signal[span.index] < 0) continue;
    const std::uint64_t begin = span.begin == first_tick ? 100000000u : hwsim::tick_clock::time_of_tick(span.begin, hz);
    wanted.push_back({begin, 0});
    wanted.push_back({hwsim::tick_clock::time_of_tick(span.end, hz), initial});
  }
  EXPECT_EQ(writes, wanted);
  EXPECT_EQ(ticks(handheld), expected.edges);
}

TEST(IrDriverPXA270, SerialPortOnlyWhenNoUartIsInIrModeAndRegistersRestored) {
  for (const bool at_start : {true, false}) {
    zqtest::simulated_handheld handheld(pxa270(2, at_start));
    hwsim::pxa_gpio& gpio = *handheld.device().block<hwsim::pxa_gpio>(hwsim::pxa::gpio_page);
    const std::uint32_t direction = gpio.stored(0x10);
    const std::uint32_t alternate = gpio.stored(0x5C);
    redeye::CIrDrvr& driver = load_driver({520, -1000}, 2, 26, L"COM3:");
    EXPECT_EQ(zqtest::serial_port_opened(), !at_start);
    EXPECT_EQ(redeye::chosen_ir_uart, 2);
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    // 20 cycles on GPIO 43, the BT UART's transmit pin, given back to the UART afterwards.
    EXPECT_EQ(handheld.device().led().edges().size(), 40u);
    EXPECT_EQ(gpio.stored(0x10), direction);
    EXPECT_EQ(gpio.stored(0x5C), alternate);
    EXPECT_FALSE(handheld.device().led().is_on());
  }
}

// --- Receive --------------------------------------------------------------------------------------

// What the PXA27x learns of a held NEC button (the remote starts one second into the capture).
redeye::signal_data learn_held_nec(const std::vector<std::int32_t>& sent) {
  zqtest::simulated_handheld handheld(pxa270());
  handheld.device().receiver().play(sent, 38000, 1000000000);
  redeye::CIrDrvr& driver = *redeye::get_driver();
  EXPECT_EQ(driver.receive(), 0);
  EXPECT_FALSE(zqtest::serial_port_opened());
  return driver.captured_signal();
}

TEST(IrDriverPXA270, LearnsAHeldNecButtonOnTheSlowerTimer) {
  const auto sent = zqtest::nec_held(0x20DF10EF, 6);
  const redeye::signal_data learned = learn_held_nec(sent);
  EXPECT_EQ(learned.carrier_period, 26);
  EXPECT_EQ(learned.count(), zqtest::nec_frame_length() + 4);
  EXPECT_EQ(learned.repeat_index, zqtest::nec_frame_length());
  // Within one of the remote's periods: 26.3 us at 38 kHz, rounded up.
  zqtest::expect_learned(learned.durations, sent, 27);
}

TEST(IrDriverPXA270, SignalLearnedHereIsSentByAnSA1110WithinOnePeriod) {
  const redeye::signal_data learned = learn_held_nec(zqtest::nec_held(0x20DF10EF, 6));
  zqtest::simulated_handheld handheld("SA1110");
  redeye::CIrDrvr& driver = load_driver(learned.durations, learned.repeat_index, learned.carrier_period, L"COM3:");
  ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
  // One pass: every learned duration but the closing gap, which has no edge to end it.
  const std::vector<std::int32_t> played = handheld.device().led().demodulated();
  ASSERT_EQ(played.size(), learned.durations.size() - 1);
  for (std::size_t i = 0; i < played.size(); ++i)
    EXPECT_LE(std::abs(played[i] - learned.durations[i]), 26) << "duration " << i;
}

}  // namespace
