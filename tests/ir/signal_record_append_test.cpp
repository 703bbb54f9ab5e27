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

bytes encode(std::string_view name, const redeye::signal_data& s) {
  bytes out;
  EXPECT_EQ(redeye::encode_signal_record(name, s, out), zq::rc::ok);
  return out;
}

bytes append(const bytes& record, const redeye::signal_data& s) {
  bytes out;
  EXPECT_EQ(redeye::append_signal_reading(record, s, out), zq::rc::ok);
  return out;
}

durations decoded(const bytes& record, unsigned reading) {
  redeye::signal_data s;
  EXPECT_EQ(redeye::decode_signal_record(record, reading, s), zq::rc::ok);
  return s.durations;
}

const redeye::signal_data first = make_signal({9000, -4500, 560, -40000}, 26, 2);
const redeye::signal_data second = make_signal({100000, -500000}, 38, 0);

TEST(SignalAppend, AddsAReadingToAVersion2Record) {
  const bytes one = encode("Vol+", first);
  const bytes two = append(one, second);
  // "Vol+" and its NUL end at offset 7, so a pad byte puts R at 8 and the first reading at 10.
  bytes expected = one;
  expected[9] = 2;
  const bytes alone = encode("Vol+", second);
  expected.insert(expected.end(), alone.begin() + 10, alone.end());
  EXPECT_EQ(two, expected);
  EXPECT_EQ(redeye::signal_reading_count(two), 2u);
  EXPECT_EQ(decoded(two, 0), first.durations);
  EXPECT_EQ(decoded(two, 1), second.durations);

  const bytes three = append(two, make_signal({1, -1}, 26, 0));
  EXPECT_EQ(redeye::signal_reading_count(three), 3u);
  // The earlier readings are carried over byte for byte; only R changes.
  ASSERT_GT(three.size(), two.size());
  bytes carried(three.begin(), three.begin() + static_cast<std::ptrdiff_t>(two.size()));
  EXPECT_EQ(carried[9], 3);
  carried[9] = 2;
  EXPECT_EQ(carried, two);
  EXPECT_EQ(decoded(three, 1), second.durations);
}

TEST(SignalAppend, ConvertsAVersion1RecordToVersion2) {
  const bytes version1 = {'P',  'w',  0x00, 0x00, 0x55, 0x24, 0x01, 0x03, 0x23, 0x28,
                          0xEE, 0x6C, 0x02, 0x30, 0x00, 0x02, 0x02, 0x30, 0xFD, 0xD0};
  bytes expected = {0x00, 0x02, 'P',  'w',  0x00, 0x00, 0x00, 0x03,                    // name, pad, R = 3
                    0x00, 0x24, 0x00, 0x03, 0x00, 0x01, 0x23, 0x28, 0xEE, 0x6C, 0x02, 0x30,  // carrier 36, 3, repeat 1
                    0x00, 0x24, 0x00, 0x02, 0x00, 0x00, 0x02, 0x30, 0xFD, 0xD0,              // carrier 36, 2, repeat 0
                    0x00, 0x1E, 0x00, 0x02, 0x00, 0x01, 0x00, 0x05, 0xFF, 0xFB};             // carrier 30, 2, repeat 1
  EXPECT_EQ(append(version1, make_signal({5, -5}, 30, 1)), expected);

  const bytes one_reading = {'T', 'V', '1', 0x00, 0x00, 0x28, 0x02, 0x02, 0x01, 0x00, 0xFF, 0x00};
  const bytes converted = append(one_reading, second);
  EXPECT_EQ(redeye::signal_record_name(converted), "TV1");
  EXPECT_EQ(converted[0], 0x00);
  EXPECT_EQ(redeye::signal_reading_count(converted), 2u);
  EXPECT_EQ(decoded(converted, 0), (durations{256, -256}));
  EXPECT_EQ(decoded(converted, 1), second.durations);
}

TEST(SignalAppend, DropsBytesAfterTheLastReading) {
  const bytes clean = encode("K", first);
  bytes tailed = clean;
  tailed.insert(tailed.end(), {0xDE, 0xAD});
  EXPECT_EQ(append(tailed, second), append(clean, second));
}

TEST(SignalAppend, OutputMayBeTheInputRecord) {
  bytes buffer = encode("Power", first);
  ASSERT_EQ(redeye::append_signal_reading(buffer, second, buffer), zq::rc::ok);
  EXPECT_EQ(redeye::signal_record_name(buffer), "Power");
  EXPECT_EQ(decoded(buffer, 0), first.durations);
  EXPECT_EQ(decoded(buffer, 1), second.durations);
}

TEST(SignalAppend, RefusesUnreadableRecordsAndEmptySignals) {
  const bytes valid = encode("K", first);
  bytes missing_reading = valid;
  missing_reading[5] = 2;  // R says two, only one is there
  bytes cut = valid;
  cut.pop_back();
  const bytes macro = {0x00, 0x01, 'm', 0x00, 0x00, 0x00};
  bytes out = {0xAB};
  for (const bytes& record : {missing_reading, cut, macro, bytes{}, bytes{'A', 0x00, 0x00}}) {
    EXPECT_EQ(redeye::append_signal_reading(record, second, out), zq::rc::signal_without_items);
  }
  EXPECT_EQ(redeye::append_signal_reading(valid, make_signal({}, 26, 0), out), zq::rc::signal_without_items);
  EXPECT_EQ(out, bytes{0xAB});
}

TEST(SignalAppend, RefusesARecordWhoseReadingCountIsFull) {
  // 65535 readings without items: the count cannot grow.
  bytes full = {0x00, 0x02, 'F', 0x00, 0xFF, 0xFF};
  full.resize(full.size() + 65535 * 6, 0);
  EXPECT_EQ(redeye::signal_reading_count(full), 65535u);
  bytes out;
  EXPECT_EQ(redeye::append_signal_reading(full, second, out), zq::rc::signal_without_items);
  full[5] = 0xFE;
  EXPECT_EQ(redeye::append_signal_reading(full, second, out), zq::rc::ok);
  EXPECT_EQ(redeye::signal_reading_count(out), 65535u);
}

}  // namespace
