#include "ir/drivers/ir_driver_samsung_s3c.h"

#include <gtest/gtest.h>

#include <string>

#include "hwsim/s3c_blocks.h"
#include "hwsim/s3c_clock_controller.h"
#include "hwsim/s3c_gpio.h"
#include "hwsim/s3c_interrupt_controller.h"
#include "hwsim/s3c_pwm_timers.h"
#include "hwsim/s3c_uart.h"
#include "hwsim/tick_clock.h"
#include "ir/driver_registry.h"
#include "ir/drivers/chosen_uart.h"
#include "platform/input_purge.h"
#include "platform/serial_port.h"
#include "support/ir_driver_harness.h"
#include "support/remote_waveforms.h"
#include "support/simulated_handheld.h"

namespace {

using zqtest::load_driver;
using zqtest::tick_edge;
using zqtest::simulated_handheld;

// An S3C2440 reporting 400 MHz with HCLK = FCLK/4, PCLK = HCLK/2 and prescaler 0: 25000 ticks per
// ms. A 26 us carrier is 650 ticks, 325 on and 325 off.
constexpr std::uint32_t tpm = 25000;
constexpr std::uint64_t hz = 25000000;
constexpr std::uint64_t first_tick = 2500000;  // the tick transmit's first duration begins in: after the 100 ms settle
constexpr zqtest::pxa_timing nec_timing{325, 325, 26, tpm};

hwsim::device_description s3c(std::string_view text = "ARM920T S3C2440", std::uint32_t clock = 399651840,
                              int uart = 2, bool at_start = true) {
  return zqtest::described(text, uart, at_start, clock);
}

hwsim::s3c_pwm_timers& timers(simulated_handheld& h) {
  return *h.device().block<hwsim::s3c_pwm_timers>(hwsim::s3c::pwm_page);
}
hwsim::s3c_gpio& gpio(simulated_handheld& h) { return *h.device().block<hwsim::s3c_gpio>(hwsim::s3c::gpio_page); }
hwsim::s3c_uart& uart_block(simulated_handheld& h, int uart) {
  return *h.device().block<hwsim::s3c_uart>(hwsim::s3c::uart_pages[uart]);
}

// The clock divider and the prescaler of timers 2-4 as the boot loader leaves them (before the
// driver exists, which reads them once).
void set_clocks(simulated_handheld& h, std::uint32_t divider, std::uint32_t prescaler) {
  h.device().block<hwsim::s3c_clock_controller>(hwsim::s3c::clock_page)->store(0x14, divider);
  timers(h).store(0x00, prescaler << 8);
}

std::vector<tick_edge> ticks(simulated_handheld& h) { return zqtest::recorded_ticks(h.device(), h.device().timer_hz()); }

// --- The timer's rate ----------------------------------------------------------------------------

TEST(IrDriverS3C, TickRateComesFromClockDividersAndPrescaler) {
  const struct {
    const char* text;
    std::uint32_t clock, divider, prescaler, ticks_per_ms;
  } cases[] = {
      {"ARM920T S3C2440", 399651840, 0x5, 0, 25000},  // 400 / 4 / 2, halved
      {"ARM920T S3C2440", 266000000, 0x7, 0, 22166},  // a third, then a half
      {"ARM920T S3C2440", 400000000, 0x2, 1, 50000},  // a half, PCLK = HCLK, prescaler 1
      {"ARM920T S3C2440", 0, 0x4, 0, 25375},          // 203 MHz, a quarter
      {"ARM920T SC32442", 300000000, 0x5, 0, 18750},
      {"ARM920T S3C2410", 0, 0x3, 0, 25375},          // 203 / 2 / 2, halved
      {"ARM920T S3C2410", 266000000, 0x5, 0, 66500},  // bit 2 is no divider bit here
      {"ARM920T S3C2410", 266000000, 0x2, 3, 16625},
      {"ARM920T S3C2410", 300500000, 0x3, 0, 37625},  // hertz, to the nearest MHz
      {"ARM920T S3C2410", 300400000, 0x3, 0, 37500},
      {"ARM920T S3C2410", 532, 0x3, 0, 66500},        // already in MHz
  };
  for (const auto& c : cases) {
    simulated_handheld handheld(s3c(c.text, c.clock));
    set_clocks(handheld, c.divider, c.prescaler);
    redeye::CIrDrvr& driver = load_driver({560, -560}, 2, 26);
    const auto* s3c_driver = dynamic_cast<redeye::CIrDrvrSamsungS3C*>(&driver);
    ASSERT_NE(s3c_driver, nullptr);
    EXPECT_EQ(s3c_driver->ticks_per_ms(), c.ticks_per_ms) << c.text << " " << c.clock;
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    // The simulated timer, fed through the same registers, runs at that rate, and the 21 carrier
    // cycles of the mark last 21 periods.
    EXPECT_EQ(handheld.device().timer_hz() / 1000, c.ticks_per_ms) << c.text << " " << c.clock;
    EXPECT_NEAR(handheld.device().led().demodulated().front(), 21 * 26, 1) << c.text << " " << c.clock;
  }
}

// --- Exact timing (the carrier cycles: IrDriverFamilies) ------------------------------------

TEST(IrDriverS3C, NecSignalPlaysEveryEdgeOnItsTick) {
  simulated_handheld handheld(s3c());
  std::uint16_t repeat = 0;
  const auto signal = zqtest::nec_signal(0x20DF10EF, repeat);
  redeye::CIrDrvr& driver = load_driver(signal, repeat, 26);
  ASSERT_EQ(driver.transmit(0, 0), 0);
  EXPECT_EQ(handheld.device().timer_hz(), hz);

  // The 16-bit counter underflows every 2.6 ms: inside the leader mark and, 15 times over, inside
  // the 40 ms gap; the edges do not notice.
  const auto recorded = ticks(handheld);
  const auto expected = zqtest::expect_pxa_led(signal, repeat, 3, nec_timing, first_tick);
  ASSERT_EQ(recorded.size(), expected.edges.size());
  EXPECT_EQ(recorded, expected.edges);

  // Three passes: the frame and the repeat frame, then the repeat frame twice.
  EXPECT_EQ(recorded.size(), 2 * (346 + 33 * 21) + 3 * 2 * (346 + 21));
}

TEST(IrDriverS3C, SpacesEndOnTheirTickAroundEveryUnderflow) {
  // Prescaler 24: one tick per microsecond. The lease starts the timer at 0xFFFF, the empty mark
  // reads 0xFFFE and the space starts at 0xFFFD: 65533 ticks end just before the first
  // underflow, 65534 on it, 131070 on the second.
  for (const std::int32_t length : {65533, 65534, 65535, 131069, 131070, 131071, 500000}) {
    simulated_handheld handheld(s3c());
    set_clocks(handheld, 0x5, 24);
    const std::vector<std::int32_t> signal{0, -length, 26, -100};
    redeye::CIrDrvr& driver = load_driver(signal, 4, 26);
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    ASSERT_EQ(handheld.device().timer_hz(), 1000000u);
    EXPECT_EQ(ticks(handheld), zqtest::expect_pxa_led(signal, 4, 1, {13, 13, 26, 1000}, 100000).edges)
        << "space " << length;
  }
}

// --- The frame: timer and registers -------------------------------------------------

TEST(IrDriverS3C, FirstTimerWithoutStartOrAutoReloadIsUsedAndLeftAsFound) {
  constexpr std::uint32_t start2 = 1u << 12, reload2 = 1u << 15, start3 = 1u << 16, reload3 = 1u << 19,
                          reload4 = 1u << 22;
  const std::pair<std::uint32_t, int> cases[] = {
      {0, 2}, {start2, 3}, {reload2, 3}, {start2 | reload2 | reload3, 4}, {start2 | start3 | reload4, 2}};
  const std::vector<std::int32_t> signal{9000, -40000, 560, -3000};
  for (const auto& [control, used] : cases) {
    simulated_handheld handheld(s3c());
    hwsim::s3c_pwm_timers& pwm = timers(handheld);
    for (int n = 2; n <= 4; ++n) pwm.write32(hwsim::s3c_pwm_timers::count_buffer_offset[n], 0x1000u * n);
    pwm.write32(0x08, control);  // the system's own timers, running
    redeye::CIrDrvr& driver = load_driver(signal, 4, 26);
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    EXPECT_EQ(pwm.last_started(), used) << std::hex << control;
    EXPECT_EQ(ticks(handheld), zqtest::expect_pxa_led(signal, 4, 1, nec_timing, first_tick).edges) << std::hex << control;
    EXPECT_EQ(pwm.stored(0x08), control);
    EXPECT_EQ(pwm.stored(hwsim::s3c_pwm_timers::count_buffer_offset[used]), 0x1000u * used);
  }
}

TEST(IrDriverS3C, PinTimerAndMaskRegistersAreRestored) {
  simulated_handheld handheld(s3c());
  hwsim::s3c_pwm_timers& pwm = timers(handheld);
  pwm.store(0x04, 0x00033300);  // timers 2-4 at a sixteenth: the driver runs its timer at a half
  pwm.store(hwsim::s3c_pwm_timers::count_buffer_offset[2], 0x1234);
  const std::uint32_t port_h = gpio(handheld).stored(0x70);
  redeye::CIrDrvr& driver = load_driver({9000, -4500, 560, -20000}, 0, 38);
  ASSERT_EQ(driver.transmit(0, 0), 0);
  EXPECT_EQ(handheld.device().timer_hz(), hz);

  EXPECT_EQ(gpio(handheld).stored(0x70), port_h);
  EXPECT_EQ(gpio(handheld).pin_mode(4), hwsim::s3c_gpio::uart_function);
  EXPECT_EQ(gpio(handheld).latch() & (1u << 4), 0u);
  EXPECT_FALSE(handheld.device().led().is_on());
  EXPECT_EQ(pwm.stored(0x04), 0x00033300u);
  EXPECT_EQ(pwm.stored(0x08), 0u);
  EXPECT_EQ(pwm.stored(hwsim::s3c_pwm_timers::count_buffer_offset[2]), 0x1234u);
  EXPECT_EQ(handheld.device().block<hwsim::s3c_interrupt_controller>(hwsim::s3c::interrupt_page)->mask(),
            hwsim::s3c_interrupt_controller::initial_mask);
  EXPECT_EQ(platform::input_purge_log().size(), 2u);
}

// --- The UART probe ----------------------------------------------------------------------------------

TEST(IrDriverS3C, UartsAreProbedInOrderAndEachHasItsLedPin) {
  // UARTs in infrared mode (bit per UART0..2) -> the one chosen.
  const std::pair<unsigned, int> probes[] = {{0b111, 1}, {0b110, 2}, {0b100, 3}, {0b101, 1}};
  for (const auto& [in_ir_mode, chosen] : probes) {
    simulated_handheld handheld(s3c("ARM920T S3C2440", 399651840, chosen));
    for (int uart = 1; uart <= 3; ++uart) uart_block(handheld, uart).set_ir_mode((in_ir_mode >> (uart - 1)) & 1u);
    redeye::CIrDrvr& driver = load_driver({52, -100}, 2, 26, L"COM3:");
    EXPECT_EQ(redeye::chosen_ir_uart, chosen);
    EXPECT_FALSE(zqtest::serial_port_opened());
    // The LED hangs on the chosen UART's transmit pin (port H 2, 4 or 6): two cycles.
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    EXPECT_EQ(handheld.device().led().edges().size(), 4u) << "UART " << chosen;
  }
}

TEST(IrDriverS3C, WithoutUartInIrModeTheSerialPortIsOpenedAndTheUartsProbedAgain) {
  {
    simulated_handheld handheld(s3c("ARM920T S3C2410", 0, 3, false));
    redeye::CIrDrvr& driver = load_driver({560, -560}, 2, 26, L"COM3:");
    EXPECT_TRUE(zqtest::serial_port_opened());
    EXPECT_EQ(redeye::chosen_ir_uart, 3);
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    EXPECT_EQ(handheld.device().led().edges().size(), 42u);
    driver.close();
    EXPECT_FALSE(uart_block(handheld, 3).in_ir_mode());
  }
  {
    // The port exists but no UART is wired to the transceiver.
    simulated_handheld handheld(s3c("ARM920T S3C2410", 0, 0, false));
    redeye::CIrDrvr& driver = load_driver({560, -560}, 2, 26, L"COM3:");
    EXPECT_EQ(redeye::chosen_ir_uart, 0);
    EXPECT_EQ(driver.transmit(0, 0), 303);
    EXPECT_EQ(driver.receive(), 303);
    EXPECT_FALSE(driver.port_is_open());
    EXPECT_TRUE(handheld.device().led().edges().empty());
  }
}

// --- Receive -------------------------------------------------------------------------------------------

TEST(IrDriverS3C, ReceiveCapturesOnTheTimerItFindsFree) {
  struct receive_case {
    const char* what;
    const char* text;
    std::uint32_t clock;
    std::vector<std::int32_t> sent;
    std::uint32_t carrier_hz;
    zq::result_t code;
    std::uint16_t period, count, repeat;
  };
  const auto rc5_count = static_cast<std::uint16_t>(zqtest::rc5_frame(5, 12, false).size() + 1);
  const receive_case cases[] = {
      // The frame, then the repeat frame as the repeated part.
      {"nec held", "ARM920T S3C2440", 399651840, zqtest::nec_held(0x20DF10EF, 6), 38000, 0, 26, 72, 68},
      {"rc5 held", "ARM920T S3C2440", 399651840, zqtest::rc5_held(5, 12, 6), 36000, 0, 27, rc5_count, 0},
      // 800 MHz with the usual dividers: a 100 MHz timer whose 16 bits span only 0.66 ms.
      {"fast timer", "ARM920T S3C2410", 800000000, zqtest::nec_held(0x20DF10EF, 6), 38000, 0, 26, 72, 68},
      {"8 kHz", "ARM920T S3C2440", 399651840, {9000, -4500, 560}, 8000, 5, 0, 0, 0},
      {"nothing", "ARM920T S3C2410", 0, {}, 38000, 17, 0, 0, 0},
  };
  for (const receive_case& c : cases) {
    simulated_handheld handheld(s3c(c.text, c.clock));
    timers(handheld).write32(0x08, 1u << 12);  // timer 2 busy: timer 3 it is
    handheld.device().receiver().play(c.sent, c.carrier_hz, 1000000000);
    const std::uint32_t port_h = gpio(handheld).stored(0x70);
    redeye::CIrDrvr* driver = redeye::get_driver();
    ASSERT_NE(driver, nullptr);
    ASSERT_EQ(driver->receive(), c.code) << c.what;
    EXPECT_EQ(timers(handheld).last_started(), 3) << c.what;
    EXPECT_EQ(timers(handheld).stored(0x08), 1u << 12) << c.what;
    EXPECT_EQ(gpio(handheld).stored(0x70), port_h) << c.what;
    if (c.code == 17) {
      EXPECT_LT(platform::clock::now_ns(), 20002000000u);
    }

    const redeye::signal_data learned = driver->captured_signal();
    EXPECT_EQ(learned.carrier_period, c.period) << c.what;
    EXPECT_EQ(learned.count(), c.count) << c.what;
    EXPECT_EQ(learned.repeat_index, c.repeat) << c.what;
    // The measured period is rounded down: one microsecond more per period.
    SCOPED_TRACE(c.what);
    zqtest::expect_learned(learned.durations, c.sent, c.period + 1);
  }
}

}  // namespace
