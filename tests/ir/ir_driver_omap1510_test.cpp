#include "ir/drivers/ir_driver_omap1510.h"

#include <gtest/gtest.h>

#include <utility>

#include "hwsim/omap1510_configuration.h"
#include "hwsim/omap1510_uart.h"
#include "hwsim/omap_mpu_timers.h"
#include "hwsim/tick_clock.h"
#include "ir/driver_registry.h"
#include "ir/drivers/omap1510_uart_divisor.h"
#include "support/ir_driver_harness.h"
#include "support/simulated_handheld.h"

namespace {

using hwsim::tick_clock;

constexpr std::uint64_t hz = 3038000;
constexpr std::uint64_t uart_hz = 48000000;
// The tick a transmit started at 0 begins its first duration at: after the 100 ms settle.
constexpr std::uint64_t first_tick = 303800;

struct omap1510 {
  zqtest::simulated_handheld handheld{"TI OMAP1510"};
  hwsim::omap1510_uart& uart = *handheld.device().block<hwsim::omap1510_uart>(hwsim::omap1510_uart::page);
  hwsim::omap_mpu_timers& timers = *handheld.device().block<hwsim::omap_mpu_timers>(hwsim::omap_mpu_timers::page);
  hwsim::omap1510_configuration& configuration =
      *handheld.device().block<hwsim::omap1510_configuration>(hwsim::omap1510_configuration::page);

  redeye::CIrDrvrOMAP1510& load(const std::vector<std::int32_t>& durations, std::uint16_t repeat,
                                std::uint16_t period) {
    auto* driver = dynamic_cast<redeye::CIrDrvrOMAP1510*>(redeye::get_driver());
    EXPECT_NE(driver, nullptr);
    driver->set_port_name(L"COM3:");
    EXPECT_EQ(driver->load(durations.data(), static_cast<std::uint16_t>(durations.size()), repeat, period), 0);
    return *driver;
  }
  // The break changes since load: each mark lifts the break and sets it again.
  std::vector<std::uint64_t> break_ticks() const {
    std::vector<std::uint64_t> ticks;
    const auto& changes = uart.break_changes();
    for (std::size_t i = 1; i < changes.size(); ++i) ticks.push_back(tick_clock::tick_at(changes[i].time_ns, hz));
    return ticks;
  }
};

// --- The carrier: divisor table and UART bits -------------------------------------------------

TEST(IrDriverOMAP1510, DivisorComesFromTheTableWithThePeriodClamped) {
  const std::pair<std::uint16_t, std::uint8_t> cases[] = {{0, 17},  {11, 17},  {19, 28},  {26, 39},  {38, 56},
                                                          {57, 84}, {69, 101}, {100, 144}, {65535, 144}};
  for (const auto& [period, divisor] : cases) EXPECT_EQ(redeye::omap1510_uart_divisor(period), divisor) << period;
}

TEST(IrDriverOMAP1510, UartSends0x55AtTwiceTheCarrierFrequency) {
  // Carrier period (60 is played as 26), the divisor written, the carrier in 48 MHz UART clocks.
  const std::uint64_t cases[][3] = {{26, 39, 1248}, {38, 56, 1792}, {11, 17, 544}, {60, 39, 1248}};
  for (const auto& [period, divisor, cycle] : cases) {
    omap1510 device;
    redeye::CIrDrvr& driver = device.load({1000, -1000}, 2, static_cast<std::uint16_t>(period));
    EXPECT_EQ(device.uart.divisor(), divisor);
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    // Only 0x55, at 16 * divisor clocks per bit; each byte starts at most one timer poll (329 ns)
    // after the one before ended, the first as the break is lifted.
    const auto bits = [cycle](unsigned n) { return tick_clock::time_of_tick(n * cycle / 2, uart_hz); };
    const auto& sent = device.uart.sent();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[0].start_ns, tick_clock::time_of_tick(first_tick, hz));
    for (std::size_t k = 0; k < sent.size(); ++k) {
      EXPECT_EQ(sent[k], (hwsim::sent_byte{sent[k].start_ns, 0x55, static_cast<std::uint32_t>(cycle / 2), uart_hz}));
      if (k > 0) {
        EXPECT_LT(sent[k].start_ns - (sent[k - 1].start_ns + bits(10)), 330u);
      }
    }
    // Dark for the start bit, lit for the stop bit: five whole carrier cycles a byte, dark first.
    const auto& edges = device.handheld.device().led().edges();
    ASSERT_GE(edges.size(), 10u);
    for (unsigned bit = 1; bit <= 10; ++bit) {
      const std::uint64_t at = bit < 10 ? sent[0].start_ns + bits(bit) : sent[1].start_ns;
      EXPECT_EQ(edges[bit - 1], (hwsim::led_edge{at, bit % 2 == 1})) << period << " bit " << bit;
    }
  }
}

// --- Timing in MPU timer ticks ------------------------------------------------------------------

TEST(IrDriverOMAP1510, MarksAndSpacesLastTheirTicksExactly) {
  omap1510 device;
  redeye::CIrDrvr& driver = device.load({9000, -4500, 560, -1690, 0, -100, 560}, 7, 26);
  // Ticks at 3.038 per microsecond, truncated; the pause after a signal that ends in a mark.
  const std::vector<std::int32_t> ticks{27342, -13671, 1701, -5134, 0, -303, 1701, -1519000};
  EXPECT_EQ(std::vector<std::int32_t>(driver.durations().begin(), driver.durations().end()), ticks);
  ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
  // The break is lifted for exactly a mark's ticks and set for exactly a space's: the one-shot
  // timer starts on the tick the previous duration ended. A mark of no ticks keeps it set.
  std::uint64_t t = first_tick;
  std::vector<std::uint64_t> expected;
  for (const std::int32_t d : {27342, 13671, 1701, 5134 + 303, 1701}) expected.push_back(std::exchange(t, t + d));
  expected.push_back(t);
  EXPECT_EQ(device.break_ticks(), expected);
  // One one-shot start per duration with ticks, on the first timer, loaded with them.
  std::vector<hwsim::timer_start> starts;
  for (const std::int32_t d : ticks)
    if (d != 0) starts.push_back({0, 0x500, static_cast<std::uint32_t>(d < 0 ? -d : d), false});
  ASSERT_EQ(device.timers.starts().size(), starts.size());
  for (std::size_t i = 0; i < starts.size(); ++i) {
    starts[i].time_ns = device.timers.starts()[i].time_ns;
    EXPECT_EQ(device.timers.starts()[i], starts[i]);
  }
  // The LED first lights after the first start bit (13 us) and is dark after each mark.
  EXPECT_EQ(device.handheld.device().led().edges().front().time_ns, tick_clock::time_of_tick(first_tick, hz) + 13000);
  EXPECT_FALSE(device.handheld.device().led().is_on());
}

TEST(IrDriverOMAP1510, TimerIsTheFirstNotRunning) {
  const std::pair<std::vector<std::uint32_t>, std::uint32_t> cases[] = {
      {{}, 0x500}, {{0x500}, 0x600}, {{0x500, 0x600}, 0x700}, {{0x600}, 0x500}};
  for (const auto& [busy, chosen] : cases) {
    omap1510 device;
    for (const std::uint32_t timer : busy) {
      device.timers.write32(timer + hwsim::omap_mpu_timers::load, 0xFFFFFFFF);
      device.timers.write32(timer + hwsim::omap_mpu_timers::control, 0x23);
    }
    redeye::CIrDrvr& driver = device.load({560, -560}, 2, 26);
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    EXPECT_EQ(device.timers.starts().back().timer, chosen);
    EXPECT_FALSE(device.timers.running(chosen));
  }
}

// --- Passes (their priorities: IrDriverOMAP) -----------------------------------------------

TEST(IrDriverOMAP1510, LaterPassesStartAtTheRepeatIndex) {
  omap1510 device;
  redeye::CIrDrvr& driver = device.load({2600, -1000, 520, -2000}, 2, 26);
  ASSERT_EQ(driver.transmit(4, 0), 0);
  // The whole signal once, then its repeated part three times: 7898 / 3038 / 1579 / 6076 ticks.
  EXPECT_EQ(device.break_ticks(), (std::vector<std::uint64_t>{303800, 311698, 314736, 316315, 322391, 323970,
                                                              330046, 331625, 337701, 339280}));
}

// --- Registers --------------------------------------------------------------------------------------

TEST(IrDriverOMAP1510, CloseRestoresEveryChangedRegisterExactlyOnce) {
  omap1510 device;
  // The transmit pin given to another function, which load must take back.
  device.configuration.store(hwsim::omap1510_configuration::pin_mux_6, 0x00009241);
  const auto registers = [&device] {
    return std::vector<std::uint32_t>{device.uart.mode(),       device.uart.line_control(),
                                      device.uart.interrupt_enable(), device.uart.divisor(),
                                      device.configuration.stored(0x80), device.configuration.stored(0x1C)};
  };
  const std::vector<std::uint32_t> original{1, 0x03, 0x05, 78, 0x00000A00, 0x00009241};
  ASSERT_EQ(registers(), original);
  redeye::CIrDrvrOMAP1510& driver = device.load({560, -560}, 2, 38);
  // A second load reprograms without saving what the first one set.
  ASSERT_EQ(driver.load(std::vector<std::int32_t>{560, -560}.data(), 2, 2, 26), 0);
  EXPECT_TRUE(driver.uart_programmed());
  EXPECT_EQ(registers(), (std::vector<std::uint32_t>{0, 0x43, 0, 39, 0x80000A00, 0x00009240}));
  ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
  // 560 us: four bytes of five cycles and two cycles of a fifth before the break.
  EXPECT_EQ(device.handheld.device().led().edges().size(), 2u * 22);

  driver.close();
  EXPECT_FALSE(driver.uart_programmed());
  EXPECT_EQ(registers(), original);
  // Once: a second close leaves what others set since; nothing is sent until the next load.
  device.uart.write8(hwsim::omap1510_uart::base + hwsim::omap1510_uart::mdr1, 7);
  driver.close();
  EXPECT_EQ(device.uart.mode(), 7);
  EXPECT_EQ(driver.transmit(0xFFFF, 0), 302);
  // Destroying a loaded driver restores too.
  device.load({560, -560}, 2, 26);
  redeye::release_driver();
  EXPECT_EQ(device.uart.mode(), 7);
}

TEST(IrDriverOMAP1510, LoadWithoutAPortProgramsNothing) {
  omap1510 device;
  redeye::CIrDrvrOMAP1510 driver;
  EXPECT_EQ(driver.load(std::vector<std::int32_t>{560, -560}.data(), 2, 2, 26), 304);
  EXPECT_FALSE(driver.uart_programmed());
}

// --- Receive ------------------------------------------------------------------------------------------

TEST(IrDriverOMAP1510, LearnsAHeldNecButtonFromTheReceiveLine) {
  omap1510 device;
  redeye::CIrDrvr& driver = zqtest::learn_held_nec(device.handheld.device(), L"COM3:");
  // The free timer it ran on is stopped again, UART3 untouched, the port closed.
  EXPECT_FALSE(device.timers.running(device.timers.starts().at(0).timer));
  EXPECT_EQ(device.uart.mode(), 1);
  EXPECT_FALSE(driver.port_is_open());
  // The remote falls silent: 20 seconds later, 17.
  device.handheld.device().receiver().stop();
  EXPECT_EQ(driver.receive(), 17);
}

}  // namespace
