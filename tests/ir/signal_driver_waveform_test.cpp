#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "ir/driver_waveform.h"

namespace {

using durations = std::vector<std::int32_t>;

constexpr double fast = redeye::ticks_per_microsecond(redeye::timer_rate_t::mhz_3_6864);
constexpr double slow = redeye::ticks_per_microsecond(redeye::timer_rate_t::mhz_3_25);

redeye::signal_data make_signal(durations d, std::uint16_t carrier, std::uint16_t repeat) {
  redeye::signal_data s;
  s.durations = std::move(d);
  s.carrier_period = carrier;
  s.repeat_index = repeat;
  return s;
}

redeye::driver_waveform loaded(const redeye::signal_data& s, double ticks = fast) {
  redeye::driver_waveform w;
  EXPECT_EQ(redeye::load_for_driver(s, ticks, w), zq::rc::ok);
  return w;
}

// The durations each pass plays: the first all of them, later ones from the repeat index.
std::vector<durations> played(const redeye::driver_waveform& w, unsigned passes) {
  std::vector<durations> out;
  for (unsigned pass = 0; pass < passes; ++pass) {
    const std::size_t from = pass == 0 ? 0 : w.repeat_index;
    durations p;
    for (std::size_t i = from; i < w.durations.size(); ++i) p.push_back(w.durations[i]);
    out.push_back(p);
  }
  return out;
}

TEST(SignalCarrierTicks, RoundsUpOnlyAboveFourTenths) {
  const auto c26 = redeye::carrier_ticks_for(26, fast);  // 95.8464
  EXPECT_EQ(c26.cycle, 96u);
  EXPECT_EQ(c26.high, 48u);
  EXPECT_EQ(c26.low, 48u);
  const auto c21 = redeye::carrier_ticks_for(21, fast);  // 77.4144: just above 0.4
  EXPECT_EQ(c21.cycle, 78u);
  const auto c12 = redeye::carrier_ticks_for(12, fast);  // 44.2368
  EXPECT_EQ(c12.cycle, 44u);
  const auto c10 = redeye::carrier_ticks_for(10, fast);  // 36.864: odd cycle, high takes the extra tick
  EXPECT_EQ(c10.cycle, 37u);
  EXPECT_EQ(c10.high, 19u);
  EXPECT_EQ(c10.low, 18u);
  EXPECT_EQ(redeye::carrier_ticks_for(26, slow).cycle, 85u);  // 84.5
  EXPECT_EQ(redeye::carrier_ticks_for(25, slow).cycle, 81u);  // 81.25
  EXPECT_EQ(redeye::carrier_ticks_for(40, slow).cycle, 130u);
  for (std::uint16_t period = 10; period <= 50; ++period) {
    for (const double ticks : {fast, slow}) {
      const auto c = redeye::carrier_ticks_for(period, ticks);
      EXPECT_EQ(c.high + c.low, c.cycle);
      EXPECT_LE(c.low, c.high);
      EXPECT_LE(c.high - c.low, 1u);
    }
  }
}

TEST(SignalDriverLoad, CarrierFallbackAndRefusals) {
  EXPECT_EQ(loaded(make_signal({560, -560}, 60, 0)).carrier_period, 26);
  EXPECT_EQ(loaded(make_signal({560, -560}, 60, 0)).carrier.cycle, 96u);
  EXPECT_EQ(loaded(make_signal({560, -560}, 9, 0)).carrier_period, 26);
  EXPECT_EQ(loaded(make_signal({560, -560}, 51, 0)).carrier_period, 26);
  EXPECT_EQ(loaded(make_signal({560, -560}, 10, 0)).carrier_period, 10);
  EXPECT_EQ(loaded(make_signal({560, -560}, 50, 0)).carrier_period, 50);
  EXPECT_EQ(loaded(make_signal({560, -560}, 26, 0), slow).carrier.high, 43u);

  redeye::driver_waveform w;
  w.carrier_period = 77;
  EXPECT_EQ(redeye::load_for_driver(make_signal({560, -560}, 0, 0), fast, w), zq::rc::no_carrier);
  EXPECT_EQ(redeye::load_for_driver(make_signal({}, 26, 0), fast, w), zq::rc::no_durations);
  EXPECT_EQ(redeye::load_for_driver(make_signal({}, 0, 0), fast, w), zq::rc::no_durations);
  EXPECT_EQ(w.carrier_period, 77);
}

TEST(SignalDriverLoad, ClosingSpaceAfterAMarkWithoutRepeatedPart) {
  const auto w = loaded(make_signal({9000, -4500, 560}, 26, 3));
  EXPECT_EQ(w.durations, (durations{9000, -4500, 560, -500000}));
  EXPECT_EQ(w.count(), 4);
  EXPECT_EQ(w.repeat_index, 4);
  const auto passes = played(w, 3);
  EXPECT_EQ(passes[0], w.durations);
  EXPECT_TRUE(passes[1].empty());
  EXPECT_TRUE(passes[2].empty());

  // A repeat index of 0xFFFF stays past the end instead of wrapping to 0.
  EXPECT_EQ(loaded(make_signal({560}, 26, 0xFFFF)).repeat_index, 0xFFFF);
  // Zero is a mark.
  EXPECT_EQ(loaded(make_signal({560, -560, 0}, 26, 3)).durations.back(), -500000);
}

TEST(SignalDriverLoad, NoClosingSpaceWhenEndingInASpaceOrRepeating) {
  EXPECT_EQ(loaded(make_signal({9000, -4500}, 26, 2)).durations, (durations{9000, -4500}));
  const auto repeating = loaded(make_signal({9000, -4500, 560}, 26, 1));
  EXPECT_EQ(repeating.durations, (durations{9000, -4500, 560}));
  EXPECT_EQ(played(repeating, 2)[1], (durations{-4500, 560}));
}

// Marks 0, 2, 4... at even indexes, spaces of -500 at odd ones.
durations alternating(std::size_t n) {
  durations d(n);
  for (std::size_t i = 0; i < n; ++i) d[i] = i % 2 ? -500 : static_cast<std::int32_t>(i);
  return d;
}

TEST(SignalDriverLoad, KeepsAtMostThreeHundredDurations) {
  const auto cut = loaded(make_signal(alternating(350), 26, 10));
  EXPECT_EQ(cut.durations, alternating(300));
  EXPECT_EQ(cut.repeat_index, 10);

  // 299 ending in a mark: the closing space makes 300. 300 or more ending in a mark: no room.
  const auto filled = loaded(make_signal(alternating(299), 26, 299));
  EXPECT_EQ(filled.count(), 300);
  EXPECT_EQ(filled.durations.back(), -500000);
  durations full = alternating(301);
  full[299] = 700;
  EXPECT_EQ(loaded(make_signal(full, 26, 301)).durations.back(), 700);
  EXPECT_EQ(loaded(make_signal(full, 26, 301)).count(), 300);
  full.pop_back();
  EXPECT_EQ(loaded(make_signal(full, 26, 300)).count(), 300);
}

TEST(SignalDurationOutput, MarkCyclesAndSpaceTicks) {
  EXPECT_EQ(redeye::mark_cycles(560, 26), 21u);
  EXPECT_EQ(redeye::mark_cycles(26, 26), 1u);
  EXPECT_EQ(redeye::mark_cycles(25, 26), 0u);  // shorter than one period: nothing
  EXPECT_EQ(redeye::mark_cycles(0, 26), 0u);
  EXPECT_EQ(redeye::mark_cycles(560, 0), 0u);

  using redeye::timer_rate_t;
  EXPECT_EQ(redeye::space_ticks(-1000, timer_rate_t::mhz_3_6864), 3686u);
  EXPECT_EQ(redeye::space_ticks(-1000, timer_rate_t::mhz_3_25), 3250u);
  EXPECT_EQ(redeye::space_ticks(-500000, timer_rate_t::mhz_3_6864), 1843000u);
  EXPECT_EQ(redeye::space_ticks(-999, timer_rate_t::mhz_3_6864), 3682u);  // 3682.314 truncated
  EXPECT_EQ(redeye::space_ticks(-1, timer_rate_t::mhz_3_25), 3u);
  EXPECT_EQ(redeye::space_ticks(std::numeric_limits<std::int32_t>::min(), timer_rate_t::mhz_3_6864),
            2147483648ull * 3686 / 1000);
}

}  // namespace
