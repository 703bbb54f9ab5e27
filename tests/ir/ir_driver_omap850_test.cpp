#include "ir/drivers/ir_driver_omap850.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "hwsim/omap850_gpio.h"
#include "hwsim/omap_mpu_timers.h"
#include "hwsim/tick_clock.h"
#include "ir/driver_registry.h"
#include "platform/key_state.h"
#include "platform/thread_priority.h"
#include "support/remote_waveforms.h"
#include "support/simulated_handheld.h"

namespace {

using hwsim::tick_clock;

constexpr std::uint64_t hz = 6480000;
// The tick a transmit started at 0 begins its first duration at: after the 100 ms settle.
constexpr std::uint64_t first_tick = 648000;

struct tick_edge {
  std::uint64_t tick = 0;
  bool on = false;
  bool operator==(const tick_edge&) const = default;
};

// The edges the rules give for signal durations already in ticks: every counter read takes one
// tick, so a mark read at tick c plays its n + 1 cycles from c, and a space starts with one read
// and then waits its ticks.
std::vector<tick_edge> expected_edges(const std::vector<std::int32_t>& ticks, std::uint16_t repeat, unsigned passes,
                                      std::uint32_t cycle) {
  std::vector<tick_edge> edges;
  std::uint64_t c = first_tick;
  for (unsigned pass = 0; pass < passes; ++pass) {
    for (std::size_t i = pass == 0 ? 0 : repeat; i < ticks.size(); ++i) {
      c += 1;
      if (ticks[i] < 0) {
        c += static_cast<std::uint64_t>(-ticks[i]);
        continue;
      }
      for (std::uint32_t k = 0; k <= static_cast<std::uint32_t>(ticks[i]) / cycle; ++k, c += cycle) {
        edges.push_back({c, true});
        edges.push_back({c + cycle / 2, false});
      }
    }
  }
  return edges;
}

struct omap850 {
  zqtest::simulated_handheld handheld{"TI OMAP850"};
  hwsim::omap850_gpio& gpio = *handheld.device().block<hwsim::omap850_gpio>(hwsim::omap850_gpio::page);
  hwsim::omap_mpu_timers& timers = *handheld.device().block<hwsim::omap_mpu_timers>(hwsim::omap_mpu_timers::page);

  redeye::CIrDrvrOMAP850& load(const std::vector<std::int32_t>& durations, std::uint16_t repeat,
                               std::uint16_t period) {
    auto* driver = dynamic_cast<redeye::CIrDrvrOMAP850*>(redeye::get_driver());
    EXPECT_NE(driver, nullptr);
    driver->set_port_name(L"COM3:");
    EXPECT_EQ(driver->load(durations.data(), static_cast<std::uint16_t>(durations.size()), repeat, period), 0);
    return *driver;
  }
  std::vector<tick_edge> recorded() {
    std::vector<tick_edge> ticks;
    for (const hwsim::led_edge& e : handheld.device().led().edges())
      ticks.push_back({tick_clock::tick_at(e.time_ns, hz), e.on});
    return ticks;
  }
};

// --- Carrier and marks ---------------------------------------------------------------------------

TEST(IrDriverOMAP850, CarrierCycleIsThePeriodAt6_48TicksTruncated) {
  struct carrier_case {
    std::uint16_t period;
    std::uint32_t cycle;
    std::uint32_t high;
  };
  for (const carrier_case c : {carrier_case{26, 168, 84}, {38, 246, 123}, {11, 71, 35}, {50, 324, 162}, {60, 168, 84}}) {
    omap850 device;
    redeye::CIrDrvrOMAP850& driver = device.load({560, -560}, 2, c.period);
    EXPECT_EQ(driver.carrier_cycle(), c.cycle) << c.period;
    EXPECT_EQ(driver.carrier_high(), c.high) << c.period;
  }
}

TEST(IrDriverOMAP850, MarkPlaysOneCycleMoreThanItsTicksHold) {
  // Marks in microseconds at period 26 (168 ticks): their ticks, and the cycles played.
  struct mark_case {
    std::int32_t us;
    std::int32_t ticks;
    std::size_t cycles;
  };
  for (const mark_case m : {mark_case{0, 0, 1}, {25, 162, 1}, {26, 168, 2}, {52, 336, 3}, {560, 3628, 22}}) {
    omap850 device;
    redeye::CIrDrvr& driver = device.load({m.us, -1000}, 2, 26);
    EXPECT_EQ(driver.durations()[0], m.ticks);
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    const auto edges = device.recorded();
    EXPECT_EQ(edges.size(), 2 * m.cycles) << m.us;
    EXPECT_EQ(edges, expected_edges({m.ticks, -6480}, 2, 1, 168)) << m.us;
  }
}

TEST(IrDriverOMAP850, NecFramePlaysEveryEdgeOnItsTick) {
  omap850 device;
  std::vector<std::int32_t> signal{9000, -4500};
  for (int bit = 0; bit < 32; ++bit) signal.insert(signal.end(), {560, bit % 3 ? -560 : -1690});
  signal.insert(signal.end(), {560, -40000, 9000, -2250, 560, -96000});
  redeye::CIrDrvr& driver = device.load(signal, 68, 26);
  // 6.48 ticks per microsecond, truncated.
  const std::map<std::int32_t, std::int32_t> scaled{{9000, 58320},    {-4500, -29160},   {560, 3628},
                                                    {-560, -3628},    {-1690, -10951},   {-40000, -259200},
                                                    {-2250, -14580},  {-96000, -622080}};
  std::vector<std::int32_t> ticks;
  for (const std::int32_t d : signal) ticks.push_back(scaled.at(d));
  EXPECT_EQ(std::vector<std::int32_t>(driver.durations().begin(), driver.durations().end()), ticks);
  ASSERT_EQ(driver.transmit(0, 0), 0);
  EXPECT_EQ(device.recorded(), expected_edges(ticks, 68, 3, 168));
  // Spelt out for the leader: 58320 / 168 = 347 whole cycles, 348 played; the space is its
  // 29160 ticks plus the reads that start it and the next mark.
  const auto edges = device.recorded();
  EXPECT_EQ(edges[0], (tick_edge{first_tick + 1, true}));
  EXPECT_EQ(edges[1], (tick_edge{first_tick + 1 + 84, false}));
  EXPECT_EQ(edges[2 * 348], (tick_edge{first_tick + 1 + 348 * 168 + 1 + 29160 + 1, true}));
}

TEST(IrDriverOMAP850, SignalWithoutRepeatedPartEndsWithItsClosingSpace) {
  omap850 device;
  redeye::CIrDrvr& driver = device.load({2600, -1000, 520}, 3, 26);
  EXPECT_EQ(driver.count(), 4);
  EXPECT_EQ(driver.durations().back(), -3240000);
  const std::uint64_t before = platform::clock::now_ns();
  ASSERT_EQ(driver.transmit(0, 0), 0);
  EXPECT_EQ(device.recorded(), expected_edges({16848, -6480, 3369, -3240000}, 4, 1, 168));
  // The 500 ms closing space is waited once; the two later passes are empty.
  const std::uint64_t took = platform::clock::now_ns() - before;
  EXPECT_GT(took, 600000000u);
  EXPECT_LT(took, 610000000u);
}

// --- Passes --------------------------------------------------------------------------------------

TEST(IrDriverOMAP850, LaterPassesStartAtTheRepeatIndex) {
  omap850 device;
  redeye::CIrDrvr& driver = device.load({2600, -1000, 520, -2000}, 2, 26);
  ASSERT_EQ(driver.transmit(4, 0), 0);
  EXPECT_EQ(driver.start_index(), 2);
  EXPECT_EQ(device.recorded(), expected_edges({16848, -6480, 3369, -12960}, 2, 4, 168));
}

TEST(IrDriverOMAP850, FixedPassesRunAtPriority0AndHeldOnesAt1) {
  struct pass_case {
    std::uint16_t pass_count;
    bool held;
    unsigned passes;
    std::vector<int> priorities;
  };
  const int normal = platform::normal_thread_priority;
  const pass_case cases[] = {{0, false, 3, {0, normal}},
                             {2, true, 2, {0, normal}},
                             {0xFFFF, true, 2, {1, normal, 1, normal}},
                             {0, true, 3, {1, normal, 1, normal, 1, normal}}};
  const std::vector<std::int32_t> ticks{3628, -3628, 3628, -64800};
  for (const pass_case& c : cases) {
    omap850 device;
    redeye::CIrDrvr& driver = device.load({560, -560, 560, -10000}, 2, 26);
    // Held into the second pass (each lasts about 11.7 ms).
    if (c.held) {
      platform::set_key_state(platform::vk_stylus, true);
      platform::schedule_key_state(platform::vk_stylus, false, 115000000);
    }
    ASSERT_EQ(driver.transmit(c.pass_count, c.held ? platform::vk_stylus : 0), 0);
    EXPECT_EQ(device.recorded(), expected_edges(ticks, 2, c.passes, 168)) << c.pass_count << " held " << c.held;
    std::vector<int> priorities;
    for (const auto& change : platform::thread_change_log()) priorities.push_back(static_cast<int>(change.value));
    EXPECT_EQ(priorities, c.priorities) << c.pass_count << " held " << c.held;
  }
}

// --- Registers and refusals ------------------------------------------------------------------------

TEST(IrDriverOMAP850, TimerIsTheFirstFreeFromTheLastAndIsStoppedAfterwards) {
  const std::pair<std::vector<std::uint32_t>, std::uint32_t> cases[] = {
      {{}, 0x700}, {{0x700}, 0x600}, {{0x700, 0x600}, 0x500}, {{0x500}, 0x700}};
  for (const auto& [busy, chosen] : cases) {
    omap850 device;
    for (const std::uint32_t timer : busy) {
      device.timers.write32(timer + hwsim::omap_mpu_timers::load, 0xFFFFFFFF);
      device.timers.write32(timer + hwsim::omap_mpu_timers::control, 0x23);
    }
    redeye::CIrDrvr& driver = device.load({560, -560}, 2, 26);
    const std::size_t before = device.timers.starts().size();
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    // Free-running from 0xFFFFFFFF for the whole transmission.
    ASSERT_EQ(device.timers.starts().size(), before + 1);
    const hwsim::timer_start& start = device.timers.starts()[before];
    EXPECT_EQ(start.timer, chosen);
    EXPECT_EQ(start.load, 0xFFFFFFFFu);
    EXPECT_TRUE(start.auto_reload);
    for (const std::uint32_t timer : {0x500u, 0x600u, 0x700u}) {
      const bool was_busy = std::find(busy.begin(), busy.end(), timer) != busy.end();
      EXPECT_EQ(device.timers.running(timer), was_busy) << std::hex << timer;
    }
  }
}

TEST(IrDriverOMAP850, PinsAreGivenBackAndCloseClearsTheFlag) {
  omap850 device;
  // The LED pin an input at first: transmit makes it an output only while it plays.
  device.gpio.store(hwsim::omap850_gpio::direction, 0xFFFFFFFF);
  redeye::CIrDrvrOMAP850& driver = device.load({560, -560}, 2, 26);
  EXPECT_TRUE(driver.uart_programmed());
  ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
  EXPECT_EQ(device.recorded().size(), 44u);
  EXPECT_EQ(device.gpio.stored(hwsim::omap850_gpio::direction), 0xFFFFFFFFu);
  EXPECT_EQ(device.gpio.stored(hwsim::omap850_gpio::data_output) & hwsim::omap850_gpio::led_bit, 0u);
  EXPECT_FALSE(device.handheld.device().led().is_on());

  driver.close();
  EXPECT_FALSE(driver.uart_programmed());
  EXPECT_FALSE(driver.port_is_open());
  EXPECT_EQ(driver.transmit(0xFFFF, 0), 302);
}

TEST(IrDriverOMAP850, RefusesWithoutBlocksOrOpen) {
  {
    omap850 device;
    redeye::CIrDrvrOMAP850 driver;
    EXPECT_EQ(driver.transmit(0, 0), 302);
    const std::int32_t signal[] = {560, -560};
    EXPECT_EQ(driver.load(signal, 2, 2, 26), 304);
    EXPECT_FALSE(driver.uart_programmed());
  }
  {
    zqtest::simulated_handheld handheld("TI OMAP1510");
    redeye::CIrDrvrOMAP850 driver;
    driver.set_port_name(L"COM3:");
    const std::int32_t signal[] = {560, -560};
    EXPECT_EQ(driver.load(signal, 2, 2, 26), 0);
    EXPECT_EQ(driver.transmit(0, 0), 301);
  }
}

// --- Receive ------------------------------------------------------------------------------------------

TEST(IrDriverOMAP850, LearnsAHeldNecButtonOnBit6) {
  omap850 device;
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
  // The pin is an output again, the free timer it ran on stopped, the port closed.
  EXPECT_EQ(device.gpio.stored(hwsim::omap850_gpio::direction), hwsim::omap850_gpio::initial_direction);
  ASSERT_EQ(device.timers.starts().size(), 1u);
  EXPECT_EQ(device.timers.starts()[0].timer, 0x700u);
  EXPECT_FALSE(device.timers.running(0x700));
  EXPECT_FALSE(driver->port_is_open());

  // The remote falls silent: 20 seconds later, 17.
  device.handheld.device().receiver().stop();
  ASSERT_EQ(driver->receive(), 17);
  EXPECT_EQ(driver->count(), 0);
}

}  // namespace
