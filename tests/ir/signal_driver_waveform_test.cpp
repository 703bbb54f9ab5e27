#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "ir/driver_waveform.h"

namespace {

using durations = std::vector<std::int32_t>;
using redeye::timer_rate_t;

constexpr double fast = redeye::ticks_per_microsecond(timer_rate_t::mhz_3_6864);
constexpr double slow = redeye::ticks_per_microsecond(timer_rate_t::mhz_3_25);

redeye::driver_waveform loaded(const redeye::signal_data& s, double ticks = fast) {
  redeye::driver_waveform w;
  EXPECT_EQ(redeye::load_for_driver(s, ticks, w), zq::rc::ok);
  return w;
}

// Marks 0, 2, 4... at even indexes, spaces of -500 at odd ones.
durations alternating(std::size_t n) {
  durations d(n);
  for (std::size_t i = 0; i < n; ++i) d[i] = i % 2 ? -500 : static_cast<std::int32_t>(i);
  return d;
}

TEST(SignalCarrierTicks, RoundsUpOnlyAboveFourTenthsAndGivesTheHighHalfTheOddTick) {
  // 95.8464, 77.4144 (just above 0.4), 44.2368, 36.864; 84.5, 81.25, 130
  for (const auto& [period, ticks, cycle] : {std::tuple{26, fast, 96u}, {21, fast, 78u}, {12, fast, 44u},
                                             {10, fast, 37u}, {26, slow, 85u}, {25, slow, 81u}, {40, slow, 130u}}) {
    EXPECT_EQ(redeye::carrier_ticks_for(static_cast<std::uint16_t>(period), ticks).cycle, cycle) << period;
  }
  for (std::uint16_t period = 10; period <= 50; ++period) {
    for (const double ticks : {fast, slow}) {
      const auto c = redeye::carrier_ticks_for(period, ticks);
      EXPECT_EQ(c.high + c.low, c.cycle);
      EXPECT_EQ(c.high - c.low, c.cycle % 2) << period;
    }
  }
}

TEST(SignalDriverLoad, CarrierFallbackAndRefusals) {
  for (const auto& [period, played] : {std::pair{60, 26}, {9, 26}, {51, 26}, {10, 10}, {50, 50}}) {
    EXPECT_EQ(loaded({{560, -560}, static_cast<std::uint16_t>(period), 0}).carrier_period, played) << period;
  }
  EXPECT_EQ(loaded({{560, -560}, 60, 0}).carrier.cycle, 96u);
  EXPECT_EQ(loaded({{560, -560}, 26, 0}, slow).carrier.high, 43u);
  redeye::driver_waveform w;
  w.carrier_period = 77;
  EXPECT_EQ(redeye::load_for_driver({{560, -560}, 0, 0}, fast, w), zq::rc::no_carrier);
  EXPECT_EQ(redeye::load_for_driver({{}, 26, 0}, fast, w), zq::rc::no_durations);
  EXPECT_EQ(redeye::load_for_driver({{}, 0, 0}, fast, w), zq::rc::no_durations);
  EXPECT_EQ(w.carrier_period, 77);
}

// A signal ending in a mark without a repeated part gets the closing space, within 300 durations.
TEST(SignalDriverLoad, ClosingSpaceAndTheLimitOfThreeHundredDurations) {
  durations full = alternating(301);
  full[299] = 700;
  const durations full_300(full.begin(), full.end() - 1);
  durations filled = alternating(299);
  filled.push_back(-500000);
  const std::tuple<durations, std::uint16_t, durations, std::uint16_t> cases[] = {
      {{9000, -4500, 560}, 3, {9000, -4500, 560, -500000}, 4},
      {{560}, 0xFFFF, {560, -500000}, 0xFFFF},  // stays past the end rather than wrapping to 0
      {{560, -560, 0}, 3, {560, -560, 0, -500000}, 4},  // zero is a mark
      {{9000, -4500}, 2, {9000, -4500}, 2},              // ending in a space
      {{9000, -4500, 560}, 1, {9000, -4500, 560}, 1},    // repeating
      {alternating(350), 10, alternating(300), 10},
      {alternating(299), 299, filled, 300},
      {full_300, 300, full_300, 300},  // 300 ending in a mark: no room
      {full, 301, full_300, 301},
  };
  for (const auto& [d, repeat, expected, expected_repeat] : cases) {
    const auto w = loaded({d, 26, repeat});
    EXPECT_EQ(w.durations, expected) << d.size() << " from " << repeat;
    EXPECT_EQ(w.repeat_index, expected_repeat) << d.size() << " from " << repeat;
  }
}

TEST(SignalDurationOutput, MarkCyclesAndSpaceTicks) {
  // Whole carrier cycles; a mark shorter than one period plays none.
  for (const auto& [mark, period, cycles] : {std::tuple{560, 26, 21u}, {26, 26, 1u}, {25, 26, 0u}, {0, 26, 0u},
                                             {560, 0, 0u}}) {
    EXPECT_EQ(redeye::mark_cycles(mark, static_cast<std::uint16_t>(period)), cycles) << mark << "/" << period;
  }
  for (const auto& [space, rate, ticks] :
       {std::tuple{-1000, timer_rate_t::mhz_3_6864, 3686ull}, {-1000, timer_rate_t::mhz_3_25, 3250ull},
        {-500000, timer_rate_t::mhz_3_6864, 1843000ull}, {-999, timer_rate_t::mhz_3_6864, 3682ull},  // truncated
        {-1, timer_rate_t::mhz_3_25, 3ull},
        {std::numeric_limits<std::int32_t>::min(), timer_rate_t::mhz_3_6864, 7915624726ull}}) {
    EXPECT_EQ(redeye::space_ticks(space, rate), ticks) << space;
  }
}

}  // namespace
