#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "ir/transmit_time.h"

namespace {

using durations = std::vector<std::int32_t>;

// The walk as stated: add each duration's length, count a pass each time the last duration is
// passed and go on at the repeat index, stop once the time is reached or past 5000 passes.
std::uint16_t walked_passes(const durations& d, std::uint16_t repeat, std::uint32_t ms) {
  if (repeat >= d.size() || ms == 0) return 1;
  std::uint64_t sum = 0;
  std::uint32_t passes = 0;
  std::size_t i = 0;
  while (sum < std::uint64_t{ms} * 1000 && passes <= 5000) {
    sum += static_cast<std::uint64_t>(std::llabs(d[i]));
    if (++i == d.size()) {
      ++passes;
      i = repeat;
    }
  }
  return static_cast<std::uint16_t>(passes > 1 ? passes : 1);
}

TEST(SignalPassCount, DefaultsAndMeanings) {
  for (const auto& [name, count] : {std::pair{"Vol+", redeye::passes_once}, {"Vol-", redeye::passes_once},
                                    {"vol+", redeye::passes_default}, {"Vol", redeye::passes_default},
                                    {"Vol+ ", redeye::passes_default}, {"$Vol+", redeye::passes_default}}) {
    EXPECT_EQ(redeye::default_pass_count(name), count) << name;
  }
  for (const auto& [count, passes] : {std::pair{0, 3u}, {0xFFFF, 1u}, {1, 1u}, {7, 7u}}) {
    EXPECT_EQ(redeye::passes_of(static_cast<std::uint16_t>(count)), passes) << count;
  }
}

TEST(SignalTransmitTime, CountsThePassesEndedWhenTheTimeIsReached) {
  struct time_case {
    durations d;
    std::uint16_t repeat;
    std::uint32_t ms;
    std::uint16_t passes;
  };
  const durations ten_ms = {5000, -5000};
  // A lead-in of 54060 us, then a repeated part of 107810 us.
  const durations nec = {9000, -4500, 560, -40000, 9000, -2250, 560, -96000};
  const durations huge = {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min()};
  const time_case cases[] = {
      {ten_ms, 0, 0, 1}, {ten_ms, 2, 1, 1}, {ten_ms, 2, 0xFFFFFFFFu, 1}, {ten_ms, 0xFFFF, 60000, 1}, {{}, 0, 1000, 1},
      {ten_ms, 0, 5, 1}, {ten_ms, 0, 10, 1}, {ten_ms, 0, 25, 2},  // 25: reached inside the third pass
      {ten_ms, 0, 30, 3}, {ten_ms, 0, 35, 3}, {ten_ms, 0, 1000, 100},  // 30: exactly at the end of the third
      {nec, 4, 500, 5},  // 161870 + 3 * 107810 < 500000 <= + 4 * 107810
      {nec, 4, 486, 4},  // reached at the first mark of the fifth pass
      {{1, -1}, 0, 3600000, 5001}, {{1000, 0}, 1, 10, 5001},  // past 5000 passes, or a repeated part of length 0
      {{std::numeric_limits<std::int32_t>::min(), 0}, 1, 0xFFFFFFFFu, 5001},
      {huge, 0, 0xFFFFFFFFu, 1000},  // each pass is 0xFFFFFFFF us, summed without overflow
  };
  for (const time_case& c : cases) {
    SCOPED_TRACE(testing::Message() << testing::PrintToString(c.d) << " from " << c.repeat << ", " << c.ms << " ms");
    EXPECT_EQ(redeye::passes_for_time(c.d, c.repeat, c.ms), c.passes);
    EXPECT_EQ(walked_passes(c.d, c.repeat, c.ms), c.passes);
  }
}

TEST(SignalTransmitTime, AgreesWithTheStepByStepWalk) {
  std::mt19937 random(1234);
  for (int round = 0; round < 3000; ++round) {
    durations d(1 + random() % 12);
    for (std::size_t i = 0; i < d.size(); ++i) {
      const auto length = static_cast<std::int32_t>(random() % (round % 3 == 0 ? 40 : 30000));
      d[i] = i % 2 ? -length : length;
    }
    const auto repeat = static_cast<std::uint16_t>(random() % (d.size() + 1));
    const auto ms = static_cast<std::uint32_t>(random() % 3000);
    ASSERT_EQ(redeye::passes_for_time(d, repeat, ms), walked_passes(d, repeat, ms))
        << "round " << round << " repeat " << repeat << " ms " << ms;
  }
}

}  // namespace
