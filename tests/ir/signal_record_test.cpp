// The signal record codec: items, the stored layout, limits, cut or corrupted records (each a vector
// of exactly its own size, so a sanitizer build catches any read past the end), appended readings,
// and records of the older format version.
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "ir/signal_data.h"
#include "ir/signal_items.h"
#include "support/codebase_image.h"

namespace {

using bytes = std::vector<std::uint8_t>;
using durations = std::vector<std::int32_t>;
using items_t = std::vector<std::int16_t>;
constexpr zq::result_t ok = zq::rc::ok, no_items = zq::rc::signal_without_items, bad = zq::rc::bad_signal_record;

redeye::signal_data make_signal(durations d, std::uint16_t carrier = 26, std::uint16_t repeat = 0) {
  return {std::move(d), carrier, repeat};
}

bytes encode(std::string_view name, const redeye::signal_data& s) {
  bytes out;
  EXPECT_EQ(redeye::encode_signal_record(name, s, out), ok);
  return out;
}

durations decoded(const bytes& record, unsigned reading = 0) {
  redeye::signal_data s;
  EXPECT_EQ(redeye::decode_signal_record(record, reading, s), ok);
  return s.durations;
}

// n full items, then the remainder.
items_t split(std::size_t n, std::int16_t full, std::int16_t remainder) {
  items_t items(n, full);
  items.push_back(remainder);
  return items;
}

TEST(SignalItems, LongDurationsSplitIntoFullItemsAndARemainderThatMergeBack) {
  const std::pair<std::int32_t, items_t> cases[] = {
      {100000, split(3, 32767, 1699)}, {-500000, split(15, -32767, -8495)}, {32767, {32767}},
      {32768, {32767, 1}},             {65534, {32767, 32767}},            {65535, {32767, 32767, 1}},
      {-32767, {-32767}},              {-32768, {-32767, -1}},  // fits in 16 bits but is still split
      {-65535, {-32767, -32767, -1}},  {0, {0}}};
  for (const auto& [duration, items] : cases) {
    items_t got;
    redeye::for_each_item(duration, [&](std::int16_t item) { got.push_back(item); });
    EXPECT_EQ(got, items) << duration;
  }
  for (const std::int32_t d : {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min(),
                               32768, -32768, 98301, -98301, 98302, 1, -1, 0}) {
    durations merged;
    std::uint32_t count = 0;
    redeye::for_each_item(d, [&](std::int16_t item) {
      redeye::merge_item(merged, item);
      ++count;
    });
    EXPECT_EQ(count, redeye::items_for_duration(d)) << d;
    EXPECT_EQ(merged, durations{d}) << d;
  }
}

TEST(SignalRecordLayout, NameIsPaddedToAnEvenOffsetAndItemsAreCounted) {
  items_t long_items = split(3, 32767, 1699);
  const items_t space = split(15, -32767, -8495);
  long_items.insert(long_items.end(), space.begin(), space.end());
  const std::tuple<std::string, redeye::signal_data, bytes> cases[] = {
      // name, NUL, pad; one reading: carrier 40, 4 items, repeat 2; 9000 -4500 560 -560
      {"TV", make_signal({9000, -4500, 560, -560}, 40, 2),
       {0x00, 0x02, 'T', 'V', 0x00, 0x00, 0x00, 0x01, 0x00, 0x28, 0x00, 0x04, 0x00, 0x02, 0x23, 0x28, 0xEE, 0x6C, 0x02,
        0x30, 0xFD, 0xD0}},
      {"Pwr", make_signal({560, -560}),  // the NUL ends at an even offset: no pad
       {0x00, 0x02, 'P', 'w', 'r', 0x00, 0x00, 0x01, 0x00, 0x1A, 0x00, 0x02, 0x00, 0x00, 0x02, 0x30, 0xFD, 0xD0}},
      {"", make_signal({256}, 26, 1),
       {0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x1A, 0x00, 0x01, 0x00, 0x01, 0x01, 0x00}},
      {"A", make_signal({100000, -500000}), zqtest::signal_v2_record("A", {{26, 0, long_items}})},  // 20 items
  };
  for (const auto& [name, signal, expected] : cases) EXPECT_EQ(encode(name, signal), expected) << name;
  // Decoding gives split durations back whole and merges neighbours of one sign; zero is a mark.
  const auto original = make_signal({100000, -500000, 32768, -32768, 0, -1, 65535, -65535, 1000000000, -7}, 38, 9);
  redeye::signal_data back;
  ASSERT_EQ(redeye::decode_signal_record(encode("Big", original), 0, back), ok);
  EXPECT_EQ(back.durations, original.durations);
  EXPECT_EQ(back.carrier_period, 38);
  EXPECT_EQ(back.repeat_index, 9);
  EXPECT_EQ(redeye::signal_record_name(encode("Big", original)), "Big");
  EXPECT_EQ(decoded(encode("M", make_signal({500, 700, -300, -200, 0, 40}))), (durations{1200, -500, 40}));
  EXPECT_EQ(decoded(encode("Z", make_signal({-300, 0, -200}))), (durations{-300, 0, -200}));
}

TEST(SignalRecordLimits, AReadingHoldsAtMost65535ItemsAndDurations) {
  const std::int32_t largest = 65535 * 32767;  // exactly 65535 items; one microsecond more needs 65536
  const bytes record = encode("Lng", make_signal({largest}, 26, 1));
  ASSERT_EQ(record.size(), 14u + 65535 * 2);
  EXPECT_EQ(record[10], 0xFF);  // the item count, after R and the carrier
  EXPECT_EQ(record[11], 0xFF);
  EXPECT_EQ(decoded(record), durations{largest});
  durations many(65535);
  for (std::size_t i = 0; i < many.size(); ++i) many[i] = i % 2 ? -1 : 1;
  EXPECT_EQ(decoded(encode("E", make_signal(many))).size(), 65535u);  // the most durations a signal has
  many.push_back(-1);
  bytes out = {0xAB};
  for (const auto& [name, s] : {std::pair<std::string_view, redeye::signal_data>{"Long", make_signal({largest + 1})},
                                {"E", make_signal({})}, {"E", make_signal(many)},
                                {std::string_view("a\0b", 3), make_signal({5})}}) {
    EXPECT_EQ(redeye::encode_signal_record(name, s, out), no_items) << s.durations.size();
  }
  EXPECT_EQ(redeye::append_signal_reading(record, make_signal({largest + 1}), out), no_items);
  EXPECT_EQ(out, bytes{0xAB});
}

TEST(SignalRecordDamage, OtherKindsCutAndInflatedRecordsAreRefusedWithoutChangingTheOutput) {
  redeye::signal_data s = make_signal({42});
  for (const bytes& record : {bytes{}, bytes{0x00}, bytes{0x00, 0x01, 'm', 0x00, 0x00, 0x01},
                              bytes{0x00, 0x03, 'x', 0x00, 0x00, 0x01}, bytes{0x00, 0x00},
                              bytes{0x00, 0x02, 'A', 'B'}}) {
    EXPECT_EQ(redeye::decode_signal_record(record, 0, s), bad);
    EXPECT_FALSE(redeye::signal_record_name(record));
    EXPECT_EQ(redeye::signal_reading_count(record), 0u);
  }
  const bytes empty_reading = zqtest::signal_v2_record("A", {{26, 0, {}}});
  EXPECT_EQ(redeye::decode_signal_record(empty_reading, 0, s), no_items);
  EXPECT_EQ(redeye::signal_reading_count(empty_reading), 1u);
  EXPECT_EQ(s.durations, durations{42});

  // "Power" + NUL end at offset 8: R at 8, the first reading at 10 with 23 items.
  const durations first = {100000, -4500, 560, -500000, 560}, second = {9000, -2250, 560, -96000};
  bytes record;
  ASSERT_EQ(redeye::append_signal_reading(encode("Power", make_signal(first)), make_signal(second), record), ok);
  const std::size_t second_start = 10 + 6 + 2 * 23;
  ASSERT_EQ(record.size(), second_start + 6 + 2 * 6);
  bytes out;
  for (std::size_t size = 0; size < record.size(); ++size) {  // every prefix: refused, or the first reading
    const bytes prefix(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(size));
    const zq::result_t cut = size >= 10 ? no_items : bad;
    EXPECT_EQ(redeye::decode_signal_record(prefix, 1, s), cut) << size;
    EXPECT_EQ(redeye::decode_signal_record(prefix, 0, s), size >= second_start ? ok : cut) << size;
    EXPECT_EQ(redeye::signal_reading_count(prefix), size >= second_start ? 1u : 0u) << size;
    EXPECT_EQ(redeye::signal_record_name(prefix).has_value(), size >= 10) << size;
    EXPECT_EQ(redeye::append_signal_reading(prefix, make_signal({1}), out), no_items) << size;
  }
  EXPECT_EQ(s.durations, first);
  record[9] = 3;  // R claims three readings: the two inside still read and count
  EXPECT_EQ(decoded(record, 1), second);
  EXPECT_EQ(redeye::signal_reading_count(record), 2u);
  record[9] = 2;
  record[second_start + 3] = 7;  // the second reading's item count one too large runs past the end
  EXPECT_EQ(redeye::decode_signal_record(record, 1, s), no_items);
  EXPECT_EQ(decoded(record, 0), first);
}


bytes append(const bytes& record, const redeye::signal_data& s) {
  bytes out;
  EXPECT_EQ(redeye::append_signal_reading(record, s, out), zq::rc::ok);
  return out;
}

const redeye::signal_data first{{9000, -4500, 560, -40000}, 26, 2};
const redeye::signal_data second{{100000, -500000}, 38, 0};

TEST(SignalAppend, AddsAReadingCarryingTheEarlierOnesByteForByte) {
  const bytes one = encode("Vol+", first);
  // "Vol+" and its NUL end at offset 7, so a pad byte puts R at 8 and the first reading at 10.
  bytes two = one;
  two[9] = 2;
  const bytes alone = encode("Vol+", second);
  two.insert(two.end(), alone.begin() + 10, alone.end());
  bytes tailed = one;
  tailed.insert(tailed.end(), {0xDE, 0xAD});  // bytes after the last reading are dropped
  for (const bytes& record : {one, tailed}) EXPECT_EQ(append(record, second), two);
  EXPECT_EQ(redeye::signal_reading_count(two), 2u);
  EXPECT_EQ(decoded(two, 1), second.durations);
  bytes three = append(two, {{1, -1}, 26, 0});
  EXPECT_EQ(redeye::signal_reading_count(three), 3u);
  ASSERT_GT(three.size(), two.size());
  bytes carried(three.begin(), three.begin() + static_cast<std::ptrdiff_t>(two.size()));
  EXPECT_EQ(carried[9], 3);
  carried[9] = 2;
  EXPECT_EQ(carried, two);

  // The output may be the input, and a name taken from it may point into it.
  ASSERT_EQ(redeye::append_signal_reading(three, second, three), zq::rc::ok);
  EXPECT_EQ(decoded(three, 0), first.durations);
  EXPECT_EQ(redeye::signal_reading_count(three), 4u);
  ASSERT_EQ(redeye::encode_signal_record(*redeye::signal_record_name(three), {{9, -9}, 30, 0}, three), zq::rc::ok);
  EXPECT_EQ(three, encode("Vol+", {{9, -9}, 30, 0}));
}

// Version-1 records, written by hand from their layout: the name from offset 0, NUL, pad to an even
// offset, an ignored byte, the carrier byte, then one or two readings of repeat byte, count byte and
// big-endian items. "TV1" (no pad needed), carrier 40, one reading repeat 2: 256 -256.
bytes tv1(std::initializer_list<std::uint8_t> tail = {}) {
  bytes record = {'T', 'V', '1', 0x00, 0x00, 0x28, 0x02, 0x02, 0x01, 0x00, 0xFF, 0x00};
  record.insert(record.end(), tail);
  return record;
}
// "Pw", carrier 36; first reading repeat 1: 9000 -4500 560; second reading repeat 0: 560 -560.
const bytes pw = {'P', 'w', 0x00, 0x00, 0x55, 0x24, 0x01, 0x03, 0x23, 0x28,
                  0xEE, 0x6C, 0x02, 0x30, 0x00, 0x02, 0x02, 0x30, 0xFD, 0xD0};

TEST(SignalAppend, ConvertsAVersion1RecordToVersion2) {
  // Name, pad, R = 3; then readings of carrier, item count, repeat index and items.
  const bytes expected = {0x00, 0x02, 'P',  'w',  0x00, 0x00, 0x00, 0x03,
                          0x00, 0x24, 0x00, 0x03, 0x00, 0x01, 0x23, 0x28, 0xEE, 0x6C, 0x02, 0x30,
                          0x00, 0x24, 0x00, 0x02, 0x00, 0x00, 0x02, 0x30, 0xFD, 0xD0,
                          0x00, 0x1E, 0x00, 0x02, 0x00, 0x01, 0x00, 0x05, 0xFF, 0xFB};
  EXPECT_EQ(append(pw, {{5, -5}, 30, 1}), expected);
  const bytes converted = append(tv1(), second);
  EXPECT_EQ(redeye::signal_record_name(converted), "TV1");
  EXPECT_EQ(converted[0], 0x00);
  EXPECT_EQ(redeye::signal_reading_count(converted), 2u);
  EXPECT_EQ(decoded(converted, 0), (durations{256, -256}));
  EXPECT_EQ(decoded(converted, 1), second.durations);
}

TEST(SignalAppend, RefusesUnreadableOrFullRecordsAndEmptySignals) {
  const bytes valid = encode("K", first);
  bytes missing_reading = valid;
  missing_reading[5] = 2;  // R says two, only one is there
  const bytes cut(valid.begin(), valid.end() - 1);
  bytes full = {0x00, 0x02, 'F', 0x00, 0xFF, 0xFF};  // 65535 readings without items: the count cannot grow
  full.resize(full.size() + 65535 * 6, 0);
  EXPECT_EQ(redeye::signal_reading_count(full), 65535u);
  bytes out = {0xAB};
  for (const bytes& record : {missing_reading, cut, bytes{0x00, 0x01, 'm', 0x00, 0x00, 0x00}, bytes{},
                              bytes{'A', 0x00, 0x00}, full}) {
    EXPECT_EQ(redeye::append_signal_reading(record, second, out), zq::rc::signal_without_items) << record.size();
  }
  EXPECT_EQ(redeye::append_signal_reading(valid, {{}, 26, 0}, out), zq::rc::signal_without_items);
  EXPECT_EQ(out, bytes{0xAB});
  full[5] = 0xFE;
  EXPECT_EQ(redeye::append_signal_reading(full, second, out), zq::rc::ok);
  EXPECT_EQ(redeye::signal_reading_count(out), 65535u);
}

TEST(SignalVersion1, ReadingsShareTheCarrierAndASecondNeedsMoreThanTwoBytesAndItems) {
  EXPECT_EQ(redeye::signal_record_name(pw), "Pw");
  EXPECT_EQ(redeye::signal_record_name(tv1()), "TV1");
  const durations first = {256, -256};
  // record, selector, code, durations, carrier, repeat, readings counted
  const std::tuple<bytes, unsigned, zq::result_t, durations, int, int, unsigned> cases[] = {
      {pw, 0, 0, {9000, -4500, 560}, 36, 1, 2},
      {pw, 1, 0, {560, -560}, 36, 0, 2},
      {tv1(), 0, 0, first, 40, 2, 1},
      {tv1(), 1, 0, first, 40, 2, 1},                            // one reading serves both selectors
      {tv1({0x00, 0x05}), 1, 0, first, 40, 2, 1},                // starting in the last two bytes: absent
      {tv1({0x00, 0x00, 0x00, 0x07}), 1, 0, first, 40, 2, 1},    // a count of 0: absent
      {tv1({0x04, 0x01, 0x00, 0x07}), 1, 0, {7}, 40, 4, 2},      // present
      {tv1({0x00, 0x02, 0x00, 0x07}), 1, 1061, {}, 0, 0, 1},     // present but cut
      {tv1({0x03, 0x01, 0x00}), 1, 1061, {}, 0, 0, 1},           // cut inside an item
      {tv1({0x03, 0x01, 0x00}), 0, 0, first, 40, 2, 1},          // the first still reads
      {{'A', 0x00, 0x00, 0x24, 0x00, 0x03, 0x7F, 0xFF, 0x7F, 0xFF, 0x80, 0x01}, 0, 0, {65534, -32767}, 36, 0, 1},
      {{'A', 'B'}, 0, -1, {}, 0, 0, 0},                          // no NUL
      {{'A', 0x00, 0x00}, 0, -1, {}, 0, 0, 0},                   // no carrier
      {{'A', 0x00, 0x00, 0x24}, 0, 1061, {}, 0, 0, 0},           // no reading
      {{'A', 0x00, 0x00, 0x24, 0x00, 0x00}, 0, 1061, {}, 0, 0, 1},  // a reading without items
      {{'A', 0x00, 0x00, 0x24, 0x00, 0x02, 0x00, 0x01}, 0, 1061, {}, 0, 0, 0},
  };
  for (const auto& [record, selector, code, expected, carrier, repeat, readings] : cases) {
    SCOPED_TRACE(testing::PrintToString(record) + " reading " + std::to_string(selector));
    redeye::signal_data s;
    ASSERT_EQ(redeye::decode_signal_record(record, selector, s), code);
    EXPECT_EQ(redeye::signal_reading_count(record), readings);
    if (code != 0) continue;
    EXPECT_EQ(s.durations, expected);
    EXPECT_EQ(s.carrier_period, carrier);
    EXPECT_EQ(s.repeat_index, repeat);
  }
}

}  // namespace
