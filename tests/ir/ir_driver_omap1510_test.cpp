#include "ir/drivers/ir_driver_omap1510.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "hwsim/omap1510_configuration.h"
#include "hwsim/omap1510_uart.h"
#include "hwsim/omap_mpu_timers.h"
#include "hwsim/tick_clock.h"
#include "ir/driver_registry.h"
#include "ir/drivers/omap1510_uart_divisor.h"
#include "platform/key_state.h"
#include "platform/thread_priority.h"
#include "support/remote_waveforms.h"
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
  void keep_running(std::uint32_t timer) {
    timers.write32(timer + hwsim::omap_mpu_timers::load, 0xFFFFFFFF);
    timers.write32(timer + hwsim::omap_mpu_timers::control, 0x23);
  }
};

// --- The carrier: divisor table and UART bits -------------------------------------------------

TEST(IrDriverOMAP1510, DivisorComesFromTheTableWithThePeriodClamped) {
  const std::pair<std::uint16_t, std::uint8_t> cases[] = {
      {0, 17},  {10, 17}, {11, 17}, {19, 28},  {26, 39},  {36, 53},  {38, 56},
      {55, 79}, {57, 84}, {69, 101}, {99, 143}, {100, 144}, {101, 144}, {65535, 144}};
  for (const auto& [period, divisor] : cases) EXPECT_EQ(redeye::omap1510_uart_divisor(period), divisor) << period;
}

TEST(IrDriverOMAP1510, UartSends0x55AtTwiceTheCarrierFrequency) {
  // Carrier period: the divisor written, and the carrier that comes out, in 48 MHz UART cycles.
  struct carrier_case {
    std::uint16_t period;
    std::uint16_t divisor;
    std::uint64_t cycle;  // 2 bits of 16 * divisor clocks
  };
  for (const carrier_case c : {carrier_case{26, 39, 1248}, {38, 56, 1792}, {11, 17, 544}, {60, 39, 1248}}) {
    omap1510 device;
    redeye::CIrDrvr& driver = device.load({1000, -1000}, 2, c.period);
    EXPECT_EQ(device.uart.divisor(), c.divisor) << c.period;
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);

    // Only 0x55 is sent, at 16 * divisor clocks of the 48 MHz UART clock per bit, each byte
    // starting at most one timer poll (329 ns) after the one before ended.
    const auto& sent = device.uart.sent();
    ASSERT_GE(sent.size(), 2u);
    const auto bit_ns = [&c](unsigned bits) { return tick_clock::time_of_tick(bits * c.cycle / 2, uart_hz); };
    for (std::size_t k = 0; k < sent.size(); ++k) {
      EXPECT_EQ(sent[k].value, 0x55);
      EXPECT_EQ(sent[k].clock_hz, uart_hz);
      EXPECT_EQ(sent[k].cycles_per_bit * 2, c.cycle);
      if (k == 0) continue;
      EXPECT_GE(sent[k].start_ns, sent[k - 1].start_ns + bit_ns(10));
      EXPECT_LT(sent[k].start_ns, sent[k - 1].start_ns + bit_ns(10) + 330);
    }
    // The first byte starts as the break is lifted. In every byte the LED is dark for the start
    // bit and lit for the stop bit: five whole carrier cycles, dark half first.
    const auto& edges = device.handheld.device().led().edges();
    EXPECT_EQ(sent[0].start_ns, tick_clock::time_of_tick(first_tick, hz));
    ASSERT_GE(edges.size(), 10u);
    for (unsigned bit = 1; bit < 10; ++bit) {
      EXPECT_EQ(edges[bit - 1].time_ns, sent[0].start_ns + bit_ns(bit)) << bit;
      EXPECT_EQ(edges[bit - 1].on, bit % 2 == 1) << bit;
    }
    EXPECT_EQ(edges[9].time_ns, sent[1].start_ns);
    EXPECT_FALSE(edges[9].on);
  }
}

// --- Timing in MPU timer ticks ------------------------------------------------------------------

TEST(IrDriverOMAP1510, MarksAndSpacesLastTheirTicksExactly) {
  omap1510 device;
  redeye::CIrDrvr& driver = device.load({9000, -4500, 560, -1690, 560, -40000}, 6, 26);
  // Durations in ticks at 3.038 per microsecond, truncated.
  const std::vector<std::int32_t> ticks{27342, -13671, 1701, -5134, 1701, -121520};
  EXPECT_EQ(std::vector<std::int32_t>(driver.durations().begin(), driver.durations().end()), ticks);
  ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);

  // The break is lifted for exactly the mark's ticks and set for exactly the space's: the one-shot
  // timer starts on the tick the previous duration ended.
  std::vector<std::uint64_t> expected;
  std::uint64_t t = first_tick;
  for (const std::int32_t d : {27342, 13671, 1701, 5134, 1701}) expected.push_back(std::exchange(t, t + d));
  expected.push_back(t);
  EXPECT_EQ(device.break_ticks(), expected);

  // One one-shot start per duration, on the first timer, loaded with the duration's ticks.
  const auto& starts = device.timers.starts();
  ASSERT_EQ(starts.size(), ticks.size());
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    EXPECT_EQ(starts[i].timer, 0x500u);
    EXPECT_EQ(starts[i].load, static_cast<std::uint32_t>(ticks[i] < 0 ? -ticks[i] : ticks[i]));
    EXPECT_FALSE(starts[i].auto_reload);
  }
  // The LED lights at the end of the mark's first start bit (13 us) and is dark when it ends.
  const auto& edges = device.handheld.device().led().edges();
  EXPECT_EQ(edges.front().time_ns, tick_clock::time_of_tick(first_tick, hz) + 13000);
  EXPECT_FALSE(edges.back().on);
  EXPECT_LE(edges.back().time_ns, tick_clock::time_of_tick(expected[5], hz));
  EXPECT_FALSE(device.handheld.device().led().is_on());
}

TEST(IrDriverOMAP1510, ZeroMarkKeepsTheBreakOn) {
  omap1510 device;
  redeye::CIrDrvr& driver = device.load({0, -100, 100, -100}, 4, 26);
  ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
  // 100 us = 303 ticks; only the second mark lifts the break.
  EXPECT_EQ(device.break_ticks(), (std::vector<std::uint64_t>{first_tick + 303, first_tick + 606}));
}

TEST(IrDriverOMAP1510, TimerIsTheFirstNotRunning) {
  const std::pair<std::vector<std::uint32_t>, std::uint32_t> cases[] = {
      {{}, 0x500}, {{0x500}, 0x600}, {{0x500, 0x600}, 0x700}, {{0x600}, 0x500}, {{0x500, 0x600, 0x700}, 0x500}};
  for (const auto& [busy, chosen] : cases) {
    omap1510 device;
    for (const std::uint32_t timer : busy) device.keep_running(timer);
    redeye::CIrDrvr& driver = device.load({560, -560}, 2, 26);
    const std::size_t before = device.timers.starts().size();
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    EXPECT_EQ(device.timers.starts()[before].timer, chosen);
    for (const std::uint32_t timer : {0x500u, 0x600u, 0x700u}) {
      const bool was_busy = std::find(busy.begin(), busy.end(), timer) != busy.end();
      EXPECT_EQ(device.timers.running(timer), was_busy) << std::hex << timer;
    }
  }
}

// --- Passes ----------------------------------------------------------------------------------------

TEST(IrDriverOMAP1510, LaterPassesStartAtTheRepeatIndex) {
  omap1510 device;
  redeye::CIrDrvr& driver = device.load({2600, -1000, 520, -2000}, 2, 26);
  ASSERT_EQ(driver.transmit(4, 0), 0);
  // Mark lengths in ticks: the whole signal once, then its repeated part three times.
  const auto ticks = device.break_ticks();
  std::vector<std::uint64_t> marks;
  for (std::size_t i = 0; i + 1 < ticks.size(); i += 2) marks.push_back(ticks[i + 1] - ticks[i]);
  EXPECT_EQ(marks, (std::vector<std::uint64_t>{7898, 1579, 1579, 1579, 1579}));
  EXPECT_EQ(ticks[2] - ticks[1], 3038u);
  EXPECT_EQ(ticks[4] - ticks[3], 6076u);
}

TEST(IrDriverOMAP1510, FixedPassesRunAtPriority0AndHeldOnesAt1) {
  struct pass_case {
    std::uint16_t pass_count;
    bool held;
    std::vector<int> priorities;
  };
  const int normal = platform::normal_thread_priority;
  const pass_case cases[] = {{0, false, {0, normal}},
                             {2, true, {0, normal}},
                             {0xFFFF, true, {1, normal, 1, normal}},
                             {0, true, {1, normal, 1, normal, 1, normal}}};
  for (const pass_case& c : cases) {
    omap1510 device;
    redeye::CIrDrvr& driver = device.load({560, -560, 560, -10000}, 2, 26);
    // Held into the second pass (each lasts about 11.7 ms).
    if (c.held) {
      platform::set_key_state(platform::vk_stylus, true);
      platform::schedule_key_state(platform::vk_stylus, false, 115000000);
    }
    ASSERT_EQ(driver.transmit(c.pass_count, c.held ? platform::vk_stylus : 0), 0);
    std::vector<int> priorities;
    for (const auto& change : platform::thread_change_log()) priorities.push_back(static_cast<int>(change.value));
    EXPECT_EQ(priorities, c.priorities) << c.pass_count << " held " << c.held;
  }
}

// --- Registers --------------------------------------------------------------------------------------

TEST(IrDriverOMAP1510, CloseRestoresEveryChangedRegisterExactlyOnce) {
  omap1510 device;
  // The transmit pin given to another function, which load must take back.
  device.configuration.store(hwsim::omap1510_configuration::pin_mux_6, 0x00009241);
  const auto snapshot = [&device] {
    return std::vector<std::uint32_t>{device.uart.mode(),
                                      device.uart.line_control(),
                                      device.uart.interrupt_enable(),
                                      device.uart.divisor(),
                                      device.configuration.stored(hwsim::omap1510_configuration::module_config_0),
                                      device.configuration.stored(hwsim::omap1510_configuration::pin_mux_6)};
  };
  const auto original = snapshot();
  EXPECT_EQ(original, (std::vector<std::uint32_t>{1, 0x03, 0x05, 78, 0x00000A00, 0x00009241}));

  redeye::CIrDrvrOMAP1510& driver = device.load({560, -560}, 2, 38);
  // A second load reprograms without saving what the first one set.
  ASSERT_EQ(driver.load(std::vector<std::int32_t>{560, -560}.data(), 2, 2, 26), 0);
  EXPECT_TRUE(driver.uart_programmed());
  EXPECT_EQ(snapshot(), (std::vector<std::uint32_t>{0, 0x43, 0, 39, 0x80000A00, 0x00009240}));
  ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
  EXPECT_EQ(device.handheld.device().led().edges().size() % 2, 0u);

  driver.close();
  EXPECT_FALSE(driver.uart_programmed());
  EXPECT_EQ(snapshot(), original);
  EXPECT_FALSE(device.handheld.device().led().is_on());
  // Once: a second close leaves what others set since.
  device.uart.write8(hwsim::omap1510_uart::base + hwsim::omap1510_uart::mdr1, 7);
  driver.close();
  EXPECT_EQ(device.uart.mode(), 7);
  // Nothing to send with until the next load.
  EXPECT_EQ(driver.transmit(0xFFFF, 0), 302);
}

TEST(IrDriverOMAP1510, DestroyingTheDriverRestoresTheUart) {
  omap1510 device;
  device.load({560, -560}, 2, 26);
  EXPECT_EQ(device.uart.mode(), 0);
  redeye::release_driver();
  EXPECT_EQ(device.uart.mode(), 1);
  EXPECT_EQ(device.uart.divisor(), 78);
}

TEST(IrDriverOMAP1510, RefusesWithoutBlocksOrLoad) {
  {
    omap1510 device;
    redeye::CIrDrvrOMAP1510 driver;
    EXPECT_EQ(driver.transmit(0, 0), 302);
    driver.set_port_name(L"COM3:");
    EXPECT_EQ(driver.open(), 0);
    EXPECT_EQ(driver.transmit(0, 0), 12);
  }
  {
    zqtest::simulated_handheld handheld("Intel PXA255");
    redeye::CIrDrvrOMAP1510 driver;
    driver.set_port_name(L"COM3:");
    const std::int32_t signal[] = {560, -560};
    EXPECT_EQ(driver.load(signal, 2, 2, 26), 0);
    EXPECT_FALSE(driver.uart_programmed());
    EXPECT_EQ(driver.transmit(0, 0), 301);
  }
}

// --- Receive ------------------------------------------------------------------------------------------

TEST(IrDriverOMAP1510, LearnsAHeldNecButtonFromTheReceiveLine) {
  omap1510 device;
  const std::vector<std::int32_t> sent = zqtest::nec_held(0x20DF10EF, 6);
  device.handheld.device().receiver().play(sent, 38000, 1000000000);
  redeye::CIrDrvr* driver = redeye::get_driver();
  driver->set_port_name(L"COM3:");
  ASSERT_EQ(driver->receive(), 0);
  const redeye::signal_data learned = driver->captured_signal();
  EXPECT_EQ(learned.carrier_period, 26);
  EXPECT_EQ(learned.count(), 72);
  EXPECT_EQ(learned.repeat_index, 68);
  // Marks are timed from their first pulse to their last: up to a period (two for the first) short.
  for (std::size_t i = 0; i < learned.durations.size(); ++i) {
    const std::int32_t lost = sent[i] - learned.durations[i];
    EXPECT_TRUE(lost >= 0 && lost <= (i == 0 ? 54 : 27)) << i << ": " << learned.durations[i];
  }
  // The free timer it ran on is stopped again, UART3 untouched, the port closed.
  EXPECT_EQ(device.timers.starts().size(), 1u);
  EXPECT_FALSE(device.timers.running(0x500));
  EXPECT_EQ(device.uart.mode(), 1);
  EXPECT_FALSE(driver->port_is_open());

  // The remote falls silent: 20 seconds later, 17.
  device.handheld.device().receiver().stop();
  ASSERT_EQ(driver->receive(), 17);
  EXPECT_EQ(driver->count(), 0);
}

}  // namespace
