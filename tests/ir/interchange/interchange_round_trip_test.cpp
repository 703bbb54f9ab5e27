// Writing signals in each interchange format and reading them back: durations come back exactly
// (formats counting in carrier cycles: within one period), and the repeat index where the format
// holds one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ir/interchange/flipper_ir_import.h"
#include "ir/interchange/flipper_ir_writer.h"
#include "ir/interchange/gc_sendir.h"
#include "ir/interchange/lircd_conf.h"
#include "ir/interchange/mode2_text.h"
#include "ir/interchange/pronto_hex_list.h"
#include "ir/protocols/protocol_registry.h"

namespace {

using redeye::named_signal;
using redeye::signal_data;

signal_data nec_power() {
  signal_data signal;
  redeye::protocols::protocol_parameters parameters{"NEC", 0, 0x04, 0, 0x08};
  EXPECT_EQ(redeye::protocols::encode_protocol(parameters, 0, signal), 0);
  return signal;
}

// Signals that test the edges of the alternating forms: a protocol frame with its repeat frame, a
// toggling code's two readings, one starting with a space, one ending with a mark with a repeated
// part of one mark and one space, a zero mark between spaces, and a whole-repeating one.
std::vector<named_signal> samples() {
  signal_data rc5_0;
  signal_data rc5_1;
  const redeye::protocols::protocol_parameters rc5{"RC5", 0, 0x05, 0, 0x0C};
  EXPECT_EQ(redeye::protocols::encode_protocol(rc5, 0, rc5_0), 0);
  EXPECT_EQ(redeye::protocols::encode_protocol(rc5, 1, rc5_1), 0);
  return {
      {"Power", {nec_power()}},
      {"Mute", {rc5_0, rc5_1}},
      {"Late start", {signal_data{{-1000, 500, -500, 700}, 26, 4}}},
      {"Odd", {signal_data{{900, -450, 560, -45000, 560}, 38, 2}}},
      {"Zero", {signal_data{{2400, -600, 0, -600, 1200, -25000}, 25, 0}}},
      {"Whole", {signal_data{{3400, -1700, 420, -74000}, 27, 0}}},
  };
}

// The first reading's durations, each within `tolerance`, and the carrier.
void expect_durations(const signal_data& got, const signal_data& want, std::int32_t tolerance, const std::string& name) {
  ASSERT_EQ(got.durations.size(), want.durations.size()) << name;
  for (std::size_t i = 0; i < want.durations.size(); ++i) {
    EXPECT_LE(std::abs(got.durations[i] - want.durations[i]), tolerance) << name << " at " << i;
    EXPECT_EQ(got.durations[i] < 0, want.durations[i] < 0) << name << " at " << i;
  }
  EXPECT_EQ(got.carrier_period, want.carrier_period) << name;
}

TEST(InterchangeRoundTrip, ProntoAndSendirKeepTheRepeatedPartWithinOnePeriod) {
  const std::vector<named_signal> signals = samples();
  for (const bool pronto : {true, false}) {
    const redeye::interchange_write written =
        pronto ? redeye::write_pronto_list(signals) : redeye::write_gc_sendir_list(signals);
    ASSERT_EQ(written.code, 0) << written.failed_name;
    const redeye::interchange_read read =
        pronto ? redeye::read_pronto_list(written.text, "x") : redeye::read_gc_sendir_list(written.text, "x");
    ASSERT_EQ(read.code, 0) << "line " << read.line << "\n" << written.text;
    ASSERT_EQ(read.signals.size(), signals.size());
    for (std::size_t i = 0; i < signals.size(); ++i) {
      const signal_data& want = signals[i].readings.front();
      EXPECT_EQ(read.signals[i].name, signals[i].name);
      ASSERT_EQ(read.signals[i].readings.size(), 1U);  // neither holds a second reading
      const signal_data& got = read.signals[i].readings.front();
      expect_durations(got, want, want.carrier_period, signals[i].name);
      EXPECT_EQ(got.repeat_index, want.repeat_index) << signals[i].name;
    }
  }
}

TEST(InterchangeRoundTrip, LircAndMode2KeepDurationsExactlyAndRepeatWhole) {
  const std::vector<named_signal> signals = samples();
  const redeye::interchange_write lirc = redeye::write_lircd_conf("Living TV", signals);
  ASSERT_EQ(lirc.code, 0) << lirc.failed_name;
  const redeye::interchange_read read = redeye::read_lircd_conf(lirc.text);
  ASSERT_EQ(read.code, 0) << "line " << read.line << "\n" << lirc.text;
  ASSERT_EQ(read.signals.size(), signals.size());
  for (std::size_t i = 0; i < signals.size(); ++i) {
    const signal_data& want = signals[i].readings.front();
    // LIRC names are single words.
    std::string name = signals[i].name;
    for (char& c : name) c = c == ' ' ? '_' : c;
    // Signals are grouped into one remote per carrier and final space, in order of first appearance.
    const auto found = std::find_if(read.signals.begin(), read.signals.end(),
                                     [&](const named_signal& signal) { return signal.name == name; });
    ASSERT_NE(found, read.signals.end()) << name;
    expect_durations(found->readings.front(), want, 0, name);
    EXPECT_EQ(found->readings.front().repeat_index, 0) << name;

    const redeye::interchange_read mode2 = redeye::read_mode2(redeye::write_mode2(want), name);
    ASSERT_EQ(mode2.code, 0) << name;
    expect_durations(mode2.signals.front().readings.front(), want, 0, name);
    EXPECT_EQ(mode2.signals.front().readings.front().repeat_index, 0) << name;
  }
}

TEST(InterchangeRoundTrip, FlipperKeepsProtocolSignalsWholeAndRawDurationsExactly) {
  std::vector<named_signal> signals = samples();
  // A raw button holds no zero duration: the signals that need one are refused (see the writer's test).
  std::erase_if(signals, [](const named_signal& signal) {
    return signal.name == "Late start" || signal.name == "Zero";
  });
  const redeye::interchange_write written = redeye::write_flipper_ir(signals);
  ASSERT_EQ(written.code, 0) << written.failed_name;
  const redeye::interchange_read read = redeye::read_flipper_ir_signals(written.text);
  ASSERT_EQ(read.code, 0) << "line " << read.line << " " << read.failed_name << "\n" << written.text;
  ASSERT_EQ(read.signals.size(), signals.size());
  for (std::size_t i = 0; i < signals.size(); ++i) {
    const std::string& name = signals[i].name;
    EXPECT_EQ(read.signals[i].name, name);
    const std::vector<signal_data>& got = read.signals[i].readings;
    if (name == "Power" || name == "Mute") {  // parsed: every reading and the repeat index
      ASSERT_EQ(got.size(), signals[i].readings.size()) << name;
      for (std::size_t r = 0; r < got.size(); ++r) {
        expect_durations(got[r], signals[i].readings[r], 0, name);
        EXPECT_EQ(got[r].repeat_index, signals[i].readings[r].repeat_index) << name;
      }
    } else {  // raw: the first reading's durations, without a repeated part
      ASSERT_EQ(got.size(), 1U) << name;
      expect_durations(got[0], signals[i].readings.front(), 0, name);
      EXPECT_EQ(got[0].repeat_index, got[0].count()) << name;
    }
  }
}

TEST(InterchangeRoundTrip, SignalsAFormatCannotHoldAreRefusedByName) {
  const std::vector<std::pair<std::vector<named_signal>, std::string>> cases = {
      {{{"Ok", {nec_power()}}, {"Bare", {signal_data{{500, -500}, 0, 2}}}}, "Bare"},                 // no carrier
      {{{"Long", {signal_data{{500, -3000000}, 26, 2}}}}, "Long"},                                 // > 65535 cycles
      {{{"Space first", {signal_data{{500, -500, 500, -500}, 26, 1}}}}, "Space first"},           // repeat at a space
      {{{"Two\nlines", {nec_power()}}}, "Two\nlines"},
  };
  for (const auto& [signals, failed] : cases) {
    for (const redeye::interchange_write& written :
         {redeye::write_pronto_list(signals), redeye::write_gc_sendir_list(signals)}) {
      EXPECT_EQ(written.code, zq::rc::interchange_cannot_hold) << failed;
      EXPECT_EQ(written.failed_name, failed);
      EXPECT_TRUE(written.text.empty());
    }
  }
}

}  // namespace
