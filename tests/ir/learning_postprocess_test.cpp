#include "ir/capture_postprocess.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "support/remote_waveforms.h"

namespace {

using redeye::capture_buffer;
using redeye::repeated_part;

capture_buffer buffer_of(const std::vector<std::int32_t>& durations) {
  capture_buffer b{};
  for (std::size_t i = 0; i < durations.size() && i < b.size(); ++i) b[i] = durations[i];
  return b;
}

// What a capture makes of a waveform: each mark loses about one carrier period, each space gains it.
std::vector<std::int32_t> as_captured(std::vector<std::int32_t> d, std::int32_t period = 26) {
  for (std::int32_t& v : d) v -= period;
  return d;
}

repeated_part search(const std::vector<std::int32_t>& durations) {
  repeated_part part{999, 999};
  EXPECT_EQ(redeye::find_repeated_part(buffer_of(durations), part), 0);
  return part;
}

// A long frame of k durations (ending with its gap) followed by the first `copy` durations of a
// second copy, as when the capture ends inside the second frame.
std::vector<std::int32_t> long_frame_then_part(std::size_t k, std::size_t copy) {
  std::vector<std::int32_t> unit{3000, -1000};
  while (unit.size() < k - 1) unit.push_back(unit.size() % 2 ? -(unit.size() % 4 == 1 ? 500 : 1500) : 500);
  unit.push_back(-30000);
  std::vector<std::int32_t> d = unit;
  d.insert(d.end(), unit.begin(), unit.begin() + static_cast<std::ptrdiff_t>(copy));
  return d;
}

TEST(LearningPostprocess, FindsTheRepeatedPartOfRealSignals) {
  const std::size_t nec_frame = zqtest::nec_frame_length();
  const std::vector<std::int32_t> rc5_frame = zqtest::rc5_frame(5, 12, false);
  const auto rc5_unit = static_cast<std::uint16_t>(rc5_frame.size() + 1);
  struct shape {
    const char* what;
    std::vector<std::int32_t> durations;
    repeated_part expected;
  };
  const shape shapes[] = {
      // Held NEC button: the frame, then repeat frames until the fourth long gap. The repeat frame
      // is the repeated part; the count ends after the first repeat frame.
      {"nec held", zqtest::nec_held(0x20DF10EF, 3), {static_cast<std::uint16_t>(nec_frame + 4), 68}},
      {"nec held, captured", as_captured(zqtest::nec_held(0x20DF10EF, 3)), {72, 68}},
      // One frame, then silence: no repeated part, the signal ends with its last mark.
      {"nec once", zqtest::nec_held(0x20DF10EF, 0, false), {67, 67}},
      {"nec once, captured", as_captured(zqtest::nec_held(0x20DF10EF, 0, false)), {67, 67}},
      // RC5 repeats its whole frame: everything repeats from the start.
      {"rc5 held", zqtest::rc5_held(5, 12, 4), {rc5_unit, 0}},
      {"rc5 held, captured", as_captured(zqtest::rc5_held(5, 12, 4), 27), {rc5_unit, 0}},
      // A long frame whose copy was cut short counts as repeated only when more than half of the
      // copy came in, and only for a frame reaching index 151.
      {"long frame, most of a copy", long_frame_then_part(170, 100), {170, 0}},
      {"long frame, half a copy", long_frame_then_part(170, 84), {254, 254}},
      {"shorter frame, most of a copy", long_frame_then_part(140, 100), {240, 240}},
  };
  for (const shape& s : shapes) {
    const repeated_part part = search(s.durations);
    EXPECT_EQ(part.count, s.expected.count) << s.what;
    EXPECT_EQ(part.repeat_index, s.expected.repeat_index) << s.what;
  }
}

TEST(LearningPostprocess, RepeatsMustMatchWithinAThirdAndFollowTheLongestGaps) {
  // Two frames whose second copy has one mark a third and a bit longer: no repeated part.
  std::vector<std::int32_t> d = zqtest::rc5_held(5, 12, 2);
  const std::size_t second = zqtest::rc5_frame(5, 12, false).size() + 1;
  auto unchanged = d;
  d[second + 2] = d[2] * 4 / 3 + 2;
  EXPECT_EQ(search(d).repeat_index, d.size());
  unchanged[second + 2] = d[2] * 4 / 3 - 1;  // within a third: still a copy
  EXPECT_EQ(search(unchanged).repeat_index, 0);

  // Copies separated by a gap much shorter than the longest gap of the capture do not count.
  std::vector<std::int32_t> gaps{1000, -500, 1000, -30000, 1000, -500, 1000, -30000, 1000, -500, 1000, -60000};
  EXPECT_EQ(search(gaps).repeat_index, 12);
  gaps.back() = -40000;  // 30000 * 1.4 > 40000
  const repeated_part part = search(gaps);
  EXPECT_EQ(part.repeat_index, 0);
  EXPECT_EQ(part.count, 4);
}

TEST(LearningPostprocess, NothingRecordedIs201) {
  capture_buffer empty{};
  repeated_part part{7, 3};
  EXPECT_EQ(redeye::find_repeated_part(empty, part), 201);
  EXPECT_EQ(part.count, 7);
  // A zero ends the list, whatever follows it.
  empty[1] = 560;
  EXPECT_EQ(redeye::find_repeated_part(empty, part), 201);
}

TEST(LearningPostprocess, FullBuffersOfExtremeValuesStayInside) {
  // Full buffers (no closing zero) of extreme values; arbitrary buffers are the fuzz target's.
  constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t hi = std::numeric_limits<std::int32_t>::max();
  std::vector<std::int32_t> extremes(300), pairs(300);
  for (std::size_t i = 0; i < 300; ++i) {
    extremes[i] = i % 3 == 0 ? lo : (i % 3 == 1 ? hi : -1);
    pairs[i] = i % 2 ? -30000 : 500;
  }
  for (const auto& b : {std::vector<std::int32_t>(300, lo), std::vector<std::int32_t>(300, hi), extremes}) {
    const repeated_part part = search(b);
    EXPECT_LE(part.repeat_index, part.count);
    EXPECT_LE(part.count, 300);
  }
  // One pair repeated to the very end: the unit is the first pair.
  const repeated_part part = search(pairs);
  EXPECT_EQ(part.count, 2);
  EXPECT_EQ(part.repeat_index, 0);
}

}  // namespace
