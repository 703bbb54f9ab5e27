// Cut and corrupted records: every prefix of a valid record, and every value of every byte, must be
// refused with a code or read correctly, never read past its end (each case is a vector of exactly
// its own size, so a sanitizer build catches any over-read).
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "ir/signal_data.h"

namespace {

using bytes = std::vector<std::uint8_t>;
using durations = std::vector<std::int32_t>;

redeye::signal_data make_signal(durations d, std::uint16_t carrier, std::uint16_t repeat) {
  redeye::signal_data s;
  s.durations = std::move(d);
  s.carrier_period = carrier;
  s.repeat_index = repeat;
  return s;
}

const durations first_reading = {100000, -4500, 560, -500000, 560};
const durations second_reading = {9000, -2250, 560, -96000};

bytes version2_two_readings() {
  bytes one;
  EXPECT_EQ(redeye::encode_signal_record("Power", make_signal(first_reading, 26, 4), one), zq::rc::ok);
  bytes two;
  EXPECT_EQ(redeye::append_signal_reading(one, make_signal(second_reading, 38, 0), two), zq::rc::ok);
  return two;
}

// What decoding a prefix must give: a code, or one of the two readings.
struct outcome {
  zq::result_t code;
  const durations* reading = nullptr;
};

void expect_outcome(const bytes& record, unsigned selector, const outcome& expected) {
  redeye::signal_data s;
  const zq::result_t rc = redeye::decode_signal_record(record, selector, s);
  ASSERT_EQ(rc, expected.code) << "size " << record.size() << " selector " << selector;
  if (expected.reading) {
    EXPECT_EQ(s.durations, *expected.reading) << "size " << record.size();
  }
}

TEST(SignalDamage, EveryPrefixOfAVersion2RecordIsRefusedOrReadRight) {
  const bytes record = version2_two_readings();
  // "Power" + NUL end at offset 8: R at 8, the first reading at 10.
  const std::size_t header_end = 10;
  const std::size_t first_end = header_end + 6 + 2 * 23;  // 4 + 1 + 1 + 16 + 1 items
  ASSERT_EQ(record.size(), first_end + 6 + 2 * 6);  // -96000 takes three items
  for (std::size_t size = 0; size < record.size(); ++size) {
    const bytes prefix(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(size));
    const bool header = size >= header_end;
    const outcome cut{header ? zq::rc::signal_without_items : zq::rc::bad_signal_record};
    expect_outcome(prefix, 0, size >= first_end ? outcome{zq::rc::ok, &first_reading} : cut);
    expect_outcome(prefix, 1, cut);
    EXPECT_EQ(redeye::signal_reading_count(prefix), size >= first_end ? 1u : 0u);
    EXPECT_EQ(redeye::signal_record_name(prefix).has_value(), size >= header_end);
    bytes out;
    EXPECT_EQ(redeye::append_signal_reading(prefix, make_signal({1}, 26, 0), out), zq::rc::signal_without_items);
  }
}

TEST(SignalDamage, EveryPrefixOfAVersion1RecordIsRefusedOrReadRight) {
  const bytes record = {'P',  'w',  0x00, 0x00, 0x55, 0x24, 0x01, 0x03, 0x23, 0x28,
                        0xEE, 0x6C, 0x02, 0x30, 0x00, 0x02, 0x02, 0x30, 0xFD, 0xD0};
  const durations first = {9000, -4500, 560};
  const durations second = {560, -560};
  const std::size_t header_end = 6, first_end = 14;
  for (std::size_t size = 0; size < record.size(); ++size) {
    const bytes prefix(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(size));
    if (size < header_end) {
      expect_outcome(prefix, 0, {zq::rc::bad_signal_record});
      expect_outcome(prefix, 1, {zq::rc::bad_signal_record});
    } else if (size < first_end) {
      expect_outcome(prefix, 0, {zq::rc::signal_without_items});
      expect_outcome(prefix, 1, {zq::rc::signal_without_items});
    } else {
      expect_outcome(prefix, 0, {zq::rc::ok, &first});
      // Within two bytes of the end the second reading is absent; further on it is present and cut.
      if (size <= first_end + 2) {
        expect_outcome(prefix, 1, {zq::rc::ok, &first});
      } else {
        expect_outcome(prefix, 1, {zq::rc::signal_without_items});
      }
    }
    EXPECT_EQ(redeye::signal_reading_count(prefix), size >= first_end ? 1u : 0u);
  }
  expect_outcome(record, 1, {zq::rc::ok, &second});
}

// Re-encoding what was decoded must give the same signal back.
void expect_canonical(const redeye::signal_data& s) {
  bytes again;
  if (redeye::encode_signal_record("x", s, again) != zq::rc::ok) {
    ADD_FAILURE() << "a decoded signal could not be encoded";
    return;
  }
  redeye::signal_data back;
  ASSERT_EQ(redeye::decode_signal_record(again, 0, back), zq::rc::ok);
  EXPECT_EQ(back.durations, s.durations);
  EXPECT_EQ(back.carrier_period, s.carrier_period);
  EXPECT_EQ(back.repeat_index, s.repeat_index);
}

TEST(SignalDamage, EveryValueOfEveryByteIsHandled) {
  for (const bytes& valid : {version2_two_readings(),
                             bytes{'P', 'w', 0x00, 0x00, 0x55, 0x24, 0x01, 0x03, 0x23, 0x28,
                                   0xEE, 0x6C, 0x02, 0x30, 0x00, 0x02, 0x02, 0x30, 0xFD, 0xD0}}) {
    int successes = 0;
    for (std::size_t at = 0; at < valid.size(); ++at) {
      for (int value = 0; value < 256; ++value) {
        bytes damaged = valid;
        damaged[at] = static_cast<std::uint8_t>(value);
        for (unsigned selector : {0u, 1u}) {
          redeye::signal_data s;
          const zq::result_t rc = redeye::decode_signal_record(damaged, selector, s);
          ASSERT_TRUE(rc == zq::rc::ok || rc == zq::rc::signal_without_items || rc == zq::rc::bad_signal_record)
              << rc;
          if (rc != zq::rc::ok) continue;
          ++successes;
          ASSERT_FALSE(s.durations.empty());
          for (std::size_t i = 1; i < s.durations.size(); ++i) {
            ASSERT_NE(s.durations[i] < 0, s.durations[i - 1] < 0) << "neighbours of one sign at " << i;
          }
          expect_canonical(s);
        }
      }
    }
    EXPECT_GT(successes, 0);
  }
}

TEST(SignalDamage, InflatedCountsAreRefused) {
  bytes record = version2_two_readings();
  redeye::signal_data s;
  // R claims three readings: the first two still read; a third cannot be selected by 0 or 1.
  record[9] = 3;
  EXPECT_EQ(redeye::decode_signal_record(record, 1, s), zq::rc::ok);
  EXPECT_EQ(redeye::signal_reading_count(record), 2u);
  // The second reading's item count one too large runs past the end.
  bytes cut = version2_two_readings();
  const std::size_t second_count = 10 + 6 + 2 * 23 + 2;
  ASSERT_EQ(cut[second_count + 1], 6);
  cut[second_count + 1] = 7;
  EXPECT_EQ(redeye::decode_signal_record(cut, 1, s), zq::rc::signal_without_items);
  EXPECT_EQ(redeye::decode_signal_record(cut, 0, s), zq::rc::ok);
  // A name without its NUL.
  const bytes no_nul = {0x00, 0x02, 'A', 'B', 'C'};
  EXPECT_EQ(redeye::decode_signal_record(no_nul, 0, s), zq::rc::bad_signal_record);
  EXPECT_FALSE(redeye::signal_record_name(no_nul));
}

}  // namespace
