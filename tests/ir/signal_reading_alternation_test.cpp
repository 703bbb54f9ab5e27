#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "ir/reading_alternation.h"
#include "ir/signal_data.h"

namespace {

TEST(SignalReadingAlternation, RepeatedPressesAlternateFirstSecondFirst) {
  redeye::reading_alternation alternation;
  std::vector<unsigned> chosen;
  for (int i = 0; i < 5; ++i) chosen.push_back(alternation.choose("Power"));
  EXPECT_EQ(chosen, (std::vector<unsigned>{0, 1, 0, 1, 0}));
}

TEST(SignalReadingAlternation, AnotherSignalInBetweenRestartsAtTheFirst) {
  redeye::reading_alternation alternation;
  EXPECT_EQ(alternation.choose("Power"), 0u);
  EXPECT_EQ(alternation.choose("Mute"), 0u);
  EXPECT_EQ(alternation.choose("Power"), 0u);
  EXPECT_EQ(alternation.choose("Power"), 1u);
  // References are compared exactly: a macro reference and case differences are other signals.
  EXPECT_EQ(alternation.choose("power"), 0u);
  EXPECT_EQ(alternation.choose("$power"), 0u);
  EXPECT_EQ(alternation.choose("$power"), 1u);
}

TEST(SignalReadingAlternation, ForgetMakesTheNextSendTakeTheFirst) {
  redeye::reading_alternation alternation;
  EXPECT_EQ(alternation.choose("Power"), 0u);
  alternation.forget();
  EXPECT_EQ(alternation.choose("Power"), 0u);
  EXPECT_EQ(alternation.choose("Power"), 1u);
}

TEST(SignalReadingAlternation, TwoReadingRecordSendsFirstSecondFirst) {
  redeye::signal_data first, second;
  first.durations = {9000, -4500, 560};
  first.carrier_period = 26;
  second.durations = {9000, -2250, 560};
  second.carrier_period = 26;
  std::vector<std::uint8_t> one, record;
  ASSERT_EQ(redeye::encode_signal_record("Power", first, one), zq::rc::ok);
  ASSERT_EQ(redeye::append_signal_reading(one, second, record), zq::rc::ok);

  redeye::reading_alternation alternation;
  std::vector<std::vector<std::int32_t>> sent;
  for (int press = 0; press < 3; ++press) {
    redeye::signal_data s;
    ASSERT_EQ(redeye::decode_signal_record(record, alternation.choose("Power"), s), zq::rc::ok);
    sent.push_back(s.durations);
  }
  EXPECT_EQ(sent, (std::vector<std::vector<std::int32_t>>{first.durations, second.durations, first.durations}));

  // A record with one reading sends it on every press.
  redeye::signal_data s;
  ASSERT_EQ(alternation.choose("Power"), 1u);
  ASSERT_EQ(redeye::decode_signal_record(one, 1, s), zq::rc::ok);
  EXPECT_EQ(s.durations, first.durations);
}

}  // namespace
