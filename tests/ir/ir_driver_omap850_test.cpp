#include "ir/drivers/ir_driver_omap850.h"

#include <gtest/gtest.h>

#include <tuple>

#include "hwsim/omap850_gpio.h"
#include "hwsim/omap_mpu_timers.h"
#include "hwsim/tick_clock.h"
#include "ir/driver_registry.h"
#include "platform/key_state.h"
#include "platform/thread_priority.h"
#include "support/ir_driver_harness.h"
#include "support/simulated_handheld.h"

namespace {

using hwsim::tick_clock;

constexpr std::uint64_t hz = 6480000;
// The tick a transmit started at 0 begins its first duration at: after the 100 ms settle.
constexpr std::uint64_t first_tick = 648000;

using zqtest::tick_edge;

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
  std::vector<tick_edge> recorded() { return zqtest::recorded_ticks(handheld.device(), hz); }
};

// --- Carrier and marks ---------------------------------------------------------------------------

TEST(IrDriverOMAP850, LoadConvertsDurationsAndCarrierTo6_48TicksTruncated) {
  // Period (60 is played as 26), cycle ticks, lit ticks.
  const std::uint32_t cases[][3] = {{26, 168, 84}, {38, 246, 123}, {11, 71, 35}, {50, 324, 162}, {60, 168, 84}};
  for (const auto& [period, cycle, high] : cases) {
    omap850 device;
    redeye::CIrDrvrOMAP850& driver = device.load({9000, -1690, 560}, 3, static_cast<std::uint16_t>(period));
    EXPECT_EQ(driver.carrier_cycle(), cycle) << period;
    EXPECT_EQ(driver.carrier_high(), high) << period;
    // The pause after a signal that ends in a mark is 3240000 ticks.
    EXPECT_EQ(std::vector<std::int32_t>(driver.durations().begin(), driver.durations().end()),
              (std::vector<std::int32_t>{58320, -10951, 3628, -3240000}));
  }
}

TEST(IrDriverOMAP850, MarkPlaysOneCycleMoreThanItsTicksHold) {
  // Marks at period 26 (168 ticks): microseconds, ticks, cycles played.
  const std::int32_t cases[][3] = {{0, 0, 1}, {25, 162, 1}, {26, 168, 2}, {52, 336, 3}, {9000, 58320, 348}};
  for (const auto& [us, ticks, cycles] : cases) {
    omap850 device;
    redeye::CIrDrvr& driver = device.load({us, -1000}, 2, 26);
    EXPECT_EQ(driver.durations()[0], ticks);
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    const auto edges = device.recorded();
    EXPECT_EQ(edges.size(), 2u * cycles) << us;
    EXPECT_EQ(edges, expected_edges({ticks, -6480}, 2, 1, 168)) << us;
    // Spelt out: the first read is on the tick after the settle, then 84 on and 84 off.
    EXPECT_EQ(edges[0], (tick_edge{first_tick + 1, true}));
    EXPECT_EQ(edges[1], (tick_edge{first_tick + 1 + 84, false}));
  }
}

// --- Passes --------------------------------------------------------------------------------------

TEST(IrDriverOMAP850, LaterPassesStartAtTheRepeatIndexWithEveryEdgeOnItsTick) {
  omap850 device;
  redeye::CIrDrvr& driver = device.load({2600, -1000, 520, -2000}, 2, 26);
  ASSERT_EQ(driver.transmit(4, 0), 0);
  EXPECT_EQ(driver.start_index(), 2);
  EXPECT_EQ(device.recorded(), expected_edges({16848, -6480, 3369, -12960}, 2, 4, 168));
}

// The rule both OMAP drivers share.
TEST(IrDriverOMAP, FixedPassesRunAtPriority0AndHeldOnesAt1) {
  const int normal = platform::normal_thread_priority;
  // Pass count, whether the stylus is held into the second pass, passes played, priorities set.
  const std::tuple<std::uint16_t, bool, unsigned, std::vector<int>> cases[] = {
      {0, false, 3, {0, normal}},
      {2, true, 2, {0, normal}},
      {0xFFFF, true, 2, {1, normal, 1, normal}},
      {0, true, 3, {1, normal, 1, normal, 1, normal}}};
  for (const char* cpu : {"TI OMAP1510", "TI OMAP850"}) {
    for (const auto& [pass_count, held, passes, priorities] : cases) {
      SCOPED_TRACE(testing::Message() << cpu << ", pass count " << pass_count << ", held " << held);
      zqtest::simulated_handheld handheld(cpu);
      redeye::CIrDrvr& driver = zqtest::load_driver({560, -560, 560, -10000}, 2, 26, L"COM3:");  // 11.7 ms a pass
      platform::set_key_state(platform::vk_stylus, held);
      platform::schedule_key_state(platform::vk_stylus, false, 115000000);
      ASSERT_EQ(driver.transmit(pass_count, held ? platform::vk_stylus : 0), 0);
      EXPECT_EQ(driver.passes_played(), passes);
      if (std::string_view(cpu) == "TI OMAP850") {  // every edge of every pass on its tick
        EXPECT_EQ(zqtest::recorded_ticks(handheld.device(), hz),
                  expected_edges({3628, -3628, 3628, -64800}, 2, passes, 168));
      }
      std::vector<int> set;
      for (const auto& change : platform::thread_change_log()) set.push_back(static_cast<int>(change.value));
      EXPECT_EQ(set, priorities);
    }
  }
}

// --- Registers and refusals ------------------------------------------------------------------------

TEST(IrDriverOMAP850, TimerIsTheFirstFreeFromTheLastRunningFreeFromAllOnes) {
  const std::pair<std::vector<std::uint32_t>, std::uint32_t> cases[] = {
      {{}, 0x700}, {{0x700}, 0x600}, {{0x700, 0x600}, 0x500}, {{0x500}, 0x700}};
  for (const auto& [busy, chosen] : cases) {
    omap850 device;
    for (const std::uint32_t timer : busy) {
      device.timers.write32(timer + hwsim::omap_mpu_timers::load, 0xFFFFFFFF);
      device.timers.write32(timer + hwsim::omap_mpu_timers::control, 0x23);
    }
    redeye::CIrDrvr& driver = device.load({560, -560}, 2, 26);
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    const hwsim::timer_start& start = device.timers.starts().back();
    EXPECT_EQ(std::tuple(start.timer, start.load, start.auto_reload), std::tuple(chosen, 0xFFFFFFFFu, true));
    EXPECT_FALSE(device.timers.running(chosen));
  }
}

TEST(IrDriverOMAP850, PinsAreGivenBackAndCloseClearsTheFlag) {
  omap850 device;
  // The LED pin an input at first: transmit makes it an output only while it plays.
  device.gpio.store(hwsim::omap850_gpio::direction, 0xFFFFFFFF);
  redeye::CIrDrvrOMAP850& driver = device.load({560, -560}, 2, 26);
  EXPECT_TRUE(driver.uart_programmed());
  ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
  EXPECT_EQ(device.recorded().size(), 2u * 22);
  EXPECT_EQ(device.gpio.stored(hwsim::omap850_gpio::direction), 0xFFFFFFFFu);
  EXPECT_EQ(device.gpio.stored(hwsim::omap850_gpio::data_output) & hwsim::omap850_gpio::led_bit, 0u);
  EXPECT_FALSE(device.handheld.device().led().is_on());

  driver.close();
  EXPECT_FALSE(driver.uart_programmed());
  EXPECT_FALSE(driver.port_is_open());
  EXPECT_EQ(driver.transmit(0xFFFF, 0), 302);
}

TEST(IrDriverOMAP850, LoadWithoutAPortProgramsNothing) {
  omap850 device;
  redeye::CIrDrvrOMAP850 driver;
  EXPECT_EQ(driver.load(std::vector<std::int32_t>{560, -560}.data(), 2, 2, 26), 304);
  EXPECT_FALSE(driver.uart_programmed());
}

// --- Receive ------------------------------------------------------------------------------------------

TEST(IrDriverOMAP850, LearnsAHeldNecButtonOnBit6) {
  omap850 device;
  redeye::CIrDrvr& driver = zqtest::learn_held_nec(device.handheld.device(), L"COM3:");
  // The pin is an output again, the free timer it ran on stopped, the port closed.
  EXPECT_EQ(device.gpio.stored(hwsim::omap850_gpio::direction), hwsim::omap850_gpio::initial_direction);
  EXPECT_EQ(device.timers.starts().at(0).timer, 0x700u);
  EXPECT_FALSE(device.timers.running(0x700));
  EXPECT_FALSE(driver.port_is_open());
  // The remote falls silent: 20 seconds later, 17.
  device.handheld.device().receiver().stop();
  EXPECT_EQ(driver.receive(), 17);
}

}  // namespace
