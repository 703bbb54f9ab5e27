// Records of the older format version, built by hand from its byte layout: the name from offset 0,
// NUL, pad to an even offset, an ignored byte, the carrier byte, then one or two readings of
// repeat byte, count byte and big-endian items.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "ir/signal_data.h"

namespace {

using bytes = std::vector<std::uint8_t>;
using durations = std::vector<std::int32_t>;

// "Pw", carrier 36; first reading repeat 1: 9000 -4500 560; second reading repeat 0: 560 -560.
const bytes two_readings = {'P',  'w',  0x00, 0x00,                          // name, NUL, pad
                            0x55, 0x24,                                      // ignored, carrier 36
                            0x01, 0x03, 0x23, 0x28, 0xEE, 0x6C, 0x02, 0x30,  // first reading
                            0x00, 0x02, 0x02, 0x30, 0xFD, 0xD0};             // second reading

// "TV1" (its NUL ends at an even offset, so no pad), carrier 40, one reading repeat 2: 256 -256.
const bytes one_reading = {'T', 'V', '1', 0x00, 0x00, 0x28, 0x02, 0x02, 0x01, 0x00, 0xFF, 0x00};

bytes with_tail(bytes record, std::initializer_list<std::uint8_t> tail) {
  record.insert(record.end(), tail);
  return record;
}

redeye::signal_data decoded(const bytes& record, unsigned reading) {
  redeye::signal_data s;
  EXPECT_EQ(redeye::decode_signal_record(record, reading, s), zq::rc::ok);
  return s;
}

TEST(SignalVersion1, ReadsBothReadingsWithTheSharedCarrier) {
  EXPECT_EQ(redeye::signal_record_name(two_readings), "Pw");
  EXPECT_EQ(redeye::signal_reading_count(two_readings), 2u);
  const auto first = decoded(two_readings, 0);
  EXPECT_EQ(first.durations, (durations{9000, -4500, 560}));
  EXPECT_EQ(first.carrier_period, 36);
  EXPECT_EQ(first.repeat_index, 1);
  const auto second = decoded(two_readings, 1);
  EXPECT_EQ(second.durations, (durations{560, -560}));
  EXPECT_EQ(second.carrier_period, 36);
  EXPECT_EQ(second.repeat_index, 0);
}

TEST(SignalVersion1, OneReadingServesBothSelectors) {
  EXPECT_EQ(redeye::signal_record_name(one_reading), "TV1");
  EXPECT_EQ(redeye::signal_reading_count(one_reading), 1u);
  for (unsigned selector : {0u, 1u}) {
    const auto s = decoded(one_reading, selector);
    EXPECT_EQ(s.durations, (durations{256, -256}));
    EXPECT_EQ(s.carrier_period, 40);
    EXPECT_EQ(s.repeat_index, 2);
  }
}

TEST(SignalVersion1, SecondReadingNeedsMoreThanTwoBytesAndANonZeroCount) {
  // Starting in the last two bytes: absent, whatever its count byte says.
  const bytes last_two = with_tail(one_reading, {0x00, 0x05});
  EXPECT_EQ(redeye::signal_reading_count(last_two), 1u);
  EXPECT_EQ(decoded(last_two, 1).durations, (durations{256, -256}));

  // A count byte of 0: absent.
  const bytes zero_count = with_tail(one_reading, {0x00, 0x00, 0x00, 0x07});
  EXPECT_EQ(redeye::signal_reading_count(zero_count), 1u);
  EXPECT_EQ(decoded(zero_count, 1).durations, (durations{256, -256}));

  // Three bytes or more and a count: present.
  const bytes present = with_tail(one_reading, {0x04, 0x01, 0x00, 0x07});
  EXPECT_EQ(redeye::signal_reading_count(present), 2u);
  EXPECT_EQ(decoded(present, 1).durations, durations{7});
  EXPECT_EQ(decoded(present, 1).repeat_index, 4);
}

TEST(SignalVersion1, PresentButCutSecondReadingIsDamaged) {
  redeye::signal_data s;
  for (const bytes& record : {with_tail(one_reading, {0x00, 0x02, 0x00, 0x07}), with_tail(one_reading, {0x03, 0x01, 0x00})}) {
    EXPECT_EQ(redeye::decode_signal_record(record, 1, s), zq::rc::signal_without_items);
    EXPECT_EQ(decoded(record, 0).durations, (durations{256, -256}));
    EXPECT_EQ(redeye::signal_reading_count(record), 1u);
  }
}

TEST(SignalVersion1, MergesSplitItems) {
  const bytes record = {'A', 0x00, 0x00, 0x24, 0x00, 0x03, 0x7F, 0xFF, 0x7F, 0xFF, 0x80, 0x01};
  EXPECT_EQ(decoded(record, 0).durations, (durations{65534, -32767}));
}

TEST(SignalVersion1, DamagedHeaderOrEmptyReading) {
  redeye::signal_data s;
  EXPECT_EQ(redeye::decode_signal_record(bytes{'A', 'B'}, 0, s), zq::rc::bad_signal_record);  // no NUL
  EXPECT_EQ(redeye::decode_signal_record(bytes{'A', 0x00, 0x00}, 0, s), zq::rc::bad_signal_record);  // no carrier
  EXPECT_EQ(redeye::decode_signal_record(bytes{'A', 0x00, 0x00, 0x24}, 0, s), zq::rc::signal_without_items);
  EXPECT_EQ(redeye::decode_signal_record(bytes{'A', 0x00, 0x00, 0x24, 0x00, 0x00}, 0, s), zq::rc::signal_without_items);
  EXPECT_EQ(redeye::decode_signal_record(bytes{'A', 0x00, 0x00, 0x24, 0x00, 0x02, 0x00, 0x01}, 0, s),
            zq::rc::signal_without_items);
}

}  // namespace
