#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "ir/signal_data.h"
#include "ir/signal_items.h"

namespace {

using bytes = std::vector<std::uint8_t>;

redeye::signal_data make_signal(std::vector<std::int32_t> durations, std::uint16_t carrier, std::uint16_t repeat) {
  redeye::signal_data s;
  s.durations = std::move(durations);
  s.carrier_period = carrier;
  s.repeat_index = repeat;
  return s;
}

std::vector<std::int16_t> items_of(std::int32_t duration) {
  std::vector<std::int16_t> items;
  redeye::for_each_item(duration, [&](std::int16_t item) { items.push_back(item); });
  return items;
}

bytes encode(std::string_view name, const redeye::signal_data& s) {
  bytes out;
  EXPECT_EQ(redeye::encode_signal_record(name, s, out), zq::rc::ok);
  return out;
}

TEST(SignalItems, LongDurationsSplitIntoFullItemsAndARemainder) {
  EXPECT_EQ(items_of(100000), (std::vector<std::int16_t>{32767, 32767, 32767, 1699}));
  std::vector<std::int16_t> long_space(15, -32767);
  long_space.push_back(-8495);
  EXPECT_EQ(items_of(-500000), long_space);

  // Around the limits of one item: -32768 fits in 16 bits but is still split.
  EXPECT_EQ(items_of(32767), (std::vector<std::int16_t>{32767}));
  EXPECT_EQ(items_of(32768), (std::vector<std::int16_t>{32767, 1}));
  EXPECT_EQ(items_of(65534), (std::vector<std::int16_t>{32767, 32767}));
  EXPECT_EQ(items_of(65535), (std::vector<std::int16_t>{32767, 32767, 1}));
  EXPECT_EQ(items_of(-32767), (std::vector<std::int16_t>{-32767}));
  EXPECT_EQ(items_of(-32768), (std::vector<std::int16_t>{-32767, -1}));
  EXPECT_EQ(items_of(-65535), (std::vector<std::int16_t>{-32767, -32767, -1}));
  EXPECT_EQ(items_of(0), (std::vector<std::int16_t>{0}));
}

TEST(SignalItems, CountAndMergeAgreeWithTheSplitForExtremeValues) {
  for (const std::int32_t d : {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min(),
                               32768, -32768, 98301, -98301, 98302, 1, -1, 0}) {
    const auto items = items_of(d);
    EXPECT_EQ(items.size(), redeye::items_for_duration(d)) << d;
    std::vector<std::int32_t> merged;
    for (const std::int16_t item : items) redeye::merge_item(merged, item);
    EXPECT_EQ(merged, std::vector<std::int32_t>{d}) << d;
  }
}

TEST(SignalRecordLayout, EvenNameLengthGetsAPadByte) {
  // "TV": 2 + 2 + NUL ends at offset 5, so a pad byte puts the reading count at offset 6.
  const bytes expected = {0x00, 0x02, 'T',  'V',  0x00, 0x00,               // header, name, NUL, pad
                          0x00, 0x01,                                       // one reading
                          0x00, 0x28, 0x00, 0x04, 0x00, 0x02,               // carrier 40, 4 items, repeat 2
                          0x23, 0x28, 0xEE, 0x6C, 0x02, 0x30, 0xFD, 0xD0};  // 9000 -4500 560 -560
  EXPECT_EQ(encode("TV", make_signal({9000, -4500, 560, -560}, 40, 2)), expected);
}

TEST(SignalRecordLayout, OddNameLengthNeedsNoPad) {
  const bytes expected = {0x00, 0x02, 'P', 'w', 'r', 0x00,  // name ends at offset 6
                          0x00, 0x01, 0x00, 0x1A, 0x00, 0x02, 0x00, 0x00, 0x02, 0x30, 0xFD, 0xD0};
  EXPECT_EQ(encode("Pwr", make_signal({560, -560}, 26, 0)), expected);

  const bytes empty_name = {0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x1A, 0x00, 0x01, 0x00, 0x01, 0x01, 0x00};
  EXPECT_EQ(encode("", make_signal({256}, 26, 1)), empty_name);
}

TEST(SignalRecordLayout, ItemCountCountsItemsNotDurations) {
  // "A" and its NUL end at offset 4: no pad, the count at 4, the reading at 6.
  bytes expected = {0x00, 0x02, 'A', 0x00, 0x00, 0x01, 0x00, 0x1A, 0x00, 20, 0x00, 0x00};
  for (int i = 0; i < 3; ++i) expected.insert(expected.end(), {0x7F, 0xFF});
  expected.insert(expected.end(), {0x06, 0xA3});  // 1699
  for (int i = 0; i < 15; ++i) expected.insert(expected.end(), {0x80, 0x01});
  expected.insert(expected.end(), {0xDE, 0xD1});  // -8495
  EXPECT_EQ(encode("A", make_signal({100000, -500000}, 26, 0)), expected);
}

TEST(SignalRecordRoundTrip, SplitDurationsReadBackWhole) {
  const auto original = make_signal({100000, -500000, 32768, -32768, 0, -1, 65535, -65535,
                                     1000000000, -7},
                                    38, 9);
  redeye::signal_data decoded;
  ASSERT_EQ(redeye::decode_signal_record(encode("Big", original), 0, decoded), zq::rc::ok);
  EXPECT_EQ(decoded.durations, original.durations);
  EXPECT_EQ(decoded.carrier_period, 38);
  EXPECT_EQ(decoded.repeat_index, 9);
  EXPECT_EQ(redeye::signal_record_name(encode("Big", original)), "Big");
}

TEST(SignalRecordRoundTrip, NeighboursOfTheSameSignComeBackAsOne) {
  redeye::signal_data decoded;
  ASSERT_EQ(redeye::decode_signal_record(encode("M", make_signal({500, 700, -300, -200, 0, 40}, 26, 0)), 0, decoded),
            zq::rc::ok);
  EXPECT_EQ(decoded.durations, (std::vector<std::int32_t>{1200, -500, 40}));
  // Zero is a mark: it joins the marks around it, not a space.
  ASSERT_EQ(redeye::decode_signal_record(encode("Z", make_signal({-300, 0, -200}, 26, 0)), 0, decoded), zq::rc::ok);
  EXPECT_EQ(decoded.durations, (std::vector<std::int32_t>{-300, 0, -200}));
}

TEST(SignalRecordLimits, ReadingHoldsAtMost65535Items) {
  // 65535 * 32767 needs exactly 65535 items; one microsecond more needs 65536.
  const std::int32_t largest = 65535 * 32767;
  const bytes record = encode("Lng", make_signal({largest}, 26, 1));
  // "Lng" and its NUL end at offset 6: R at 6, the item count at 10.
  ASSERT_GE(record.size(), 14u);
  EXPECT_EQ(record[10], 0xFF);
  EXPECT_EQ(record[11], 0xFF);
  EXPECT_EQ(record.size(), 14u + 65535 * 2);
  redeye::signal_data decoded;
  ASSERT_EQ(redeye::decode_signal_record(record, 0, decoded), zq::rc::ok);
  EXPECT_EQ(decoded.durations, std::vector<std::int32_t>{largest});

  bytes out = {0xAB};
  EXPECT_EQ(redeye::encode_signal_record("Long", make_signal({largest + 1}, 26, 1), out),
            zq::rc::signal_without_items);
  EXPECT_EQ(out, bytes{0xAB});
  EXPECT_EQ(redeye::append_signal_reading(record, make_signal({largest + 1}, 26, 1), out),
            zq::rc::signal_without_items);
}

TEST(SignalRecordLimits, RefusesEmptyOversizedAndNulNamedSignals) {
  bytes out = {0xAB};
  EXPECT_EQ(redeye::encode_signal_record("E", make_signal({}, 26, 0), out), zq::rc::signal_without_items);
  std::vector<std::int32_t> many(65536, 1);
  for (std::size_t i = 1; i < many.size(); i += 2) many[i] = -1;
  EXPECT_EQ(redeye::encode_signal_record("E", make_signal(many, 26, 0), out), zq::rc::signal_without_items);
  EXPECT_EQ(redeye::encode_signal_record(std::string_view("a\0b", 3), make_signal({5}, 26, 0), out),
            zq::rc::signal_without_items);
  EXPECT_EQ(out, bytes{0xAB});

  // The largest signal that can be stored: 65535 durations of one item each.
  many.pop_back();
  ASSERT_EQ(redeye::encode_signal_record("E", make_signal(many, 26, 0), out), zq::rc::ok);
  redeye::signal_data decoded;
  ASSERT_EQ(redeye::decode_signal_record(out, 0, decoded), zq::rc::ok);
  EXPECT_EQ(decoded.count(), 65535);
}

TEST(SignalRecordLimits, NameMayPointIntoTheOutputBuffer) {
  bytes buffer = encode("Power", make_signal({1, -1}, 26, 0));
  const auto name = redeye::signal_record_name(buffer);
  ASSERT_TRUE(name);
  ASSERT_EQ(redeye::encode_signal_record(*name, make_signal({9, -9}, 30, 0), buffer), zq::rc::ok);
  EXPECT_EQ(redeye::signal_record_name(buffer), "Power");
}

TEST(SignalRecordDecode, RefusesOtherKindsOfRecords) {
  redeye::signal_data decoded = make_signal({42}, 1, 1);
  for (const bytes& record : {bytes{}, bytes{0x00}, bytes{0x00, 0x01, 'm', 0x00, 0x00, 0x01},
                              bytes{0x00, 0x03, 'x', 0x00, 0x00, 0x01}, bytes{0x00, 0x00}}) {
    EXPECT_EQ(redeye::decode_signal_record(record, 0, decoded), zq::rc::bad_signal_record);
    EXPECT_FALSE(redeye::signal_record_name(record));
    EXPECT_EQ(redeye::signal_reading_count(record), 0u);
  }
  EXPECT_EQ(decoded.durations, std::vector<std::int32_t>{42});
}

TEST(SignalRecordDecode, ReadingWithoutItemsIsRefused) {
  const bytes record = {0x00, 0x02, 'A', 0x00, 0x00, 0x01, 0x00, 0x1A, 0x00, 0x00, 0x00, 0x00};
  redeye::signal_data decoded;
  EXPECT_EQ(redeye::decode_signal_record(record, 0, decoded), zq::rc::signal_without_items);
  EXPECT_EQ(redeye::signal_reading_count(record), 1u);
}

}  // namespace
