// The interchange readers on inputs shaped like those other tools write, and on faulty inputs:
// every failure names its code and line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ir/interchange/gc_sendir.h"
#include "ir/interchange/lircd_conf.h"
#include "ir/interchange/mode2_text.h"
#include "ir/interchange/pronto_hex_list.h"

namespace {

using durations_t = std::vector<std::int32_t>;

// As irrecord writes a raw config: a comment header, header fields, codes broken over lines.
constexpr const char* kIrrecordRaw = R"(#
# this config file was automatically generated
# using lirc-0.9.0(default) on Sun Mar  3 17:21:08 2013
#
# contributed by
#
# brand:                       samsung.conf
# model no. of remote control:
# devices being controlled by this remote:
#

begin remote

  name  samsung.conf
  flags RAW_CODES|CONST_LENGTH
  eps            30
  aeps          100

  gap          108000
  toggle_bit_mask 0x0

      begin raw_codes

          name KEY_POWER
             4530    4422     619    1634     617    1637
              613     519     613

          name KEY_MUTE   # the mute key
             4530    4422     619

      end raw_codes

end remote
)";

TEST(InterchangeReaders, LircdConfAsIrrecordWritesIt) {
  const redeye::interchange_read read = redeye::read_lircd_conf(kIrrecordRaw);
  ASSERT_EQ(read.code, 0) << read.line;
  ASSERT_EQ(read.signals.size(), 2U);
  EXPECT_EQ(read.signals[0].name, "KEY_POWER");
  const redeye::signal_data& power = read.signals[0].readings.front();
  EXPECT_EQ(power.durations, (durations_t{4530, -4422, 619, -1634, 617, -1637, 613, -519, 613, -108000}));
  EXPECT_EQ(power.carrier_period, 26);  // no frequency: LIRC's 38 kHz
  EXPECT_EQ(power.repeat_index, 0);
  EXPECT_EQ(read.signals[1].readings.front().durations, (durations_t{4530, -4422, 619, -108000}));
}

TEST(InterchangeReaders, LircdConfFaultsNameTheirLine) {
  const std::vector<std::tuple<std::string, zq::result_t, std::size_t>> cases = {
      {"begin remote\n name x\n begin raw_codes\n 100 200 300\n", zq::rc::interchange_syntax, 4},  // no name
      {"begin remote\n begin raw_codes\n name a\n 100 x1 300\n", zq::rc::interchange_number, 4},
      {"begin remote\n begin raw_codes\n name a\n 100 2147483648\n", zq::rc::interchange_number, 4},
      {"begin remote\n begin raw_codes\n name a\n name b\n 5\n end raw_codes\nend remote\n",
       zq::rc::interchange_signal_size, 3},
      {"begin remote\n begin raw_codes\n name a\n 100\n", zq::rc::interchange_structure, 0},  // never closed
      {"begin remote\n begin codes\n KEY_1 0x1\n end codes\nend remote\n", zq::rc::interchange_unsupported, 2},
      {"end remote\n", zq::rc::interchange_structure, 1},
      {"begin remote\n frequency 2000000\nend remote\n", zq::rc::interchange_number, 2},
      {"# nothing\n\nbegin remote\nend remote\n", zq::rc::interchange_no_signals, 0},
  };
  for (const auto& [text, code, line] : cases) {
    const redeye::interchange_read read = redeye::read_lircd_conf(text);
    EXPECT_EQ(read.code, code) << text;
    EXPECT_EQ(read.line, line) << text;
    EXPECT_TRUE(read.signals.empty());
  }
}

TEST(InterchangeReaders, Mode2CaptureAsMode2PrintsIt) {
  const std::string capture =
      "Using driver default on device /dev/lirc0\nTrying device: /dev/lirc0\n"
      "space 16777215\npulse 9024\nspace 4512\npulse 579\r\nspace 552\nspace 100\npulse 600\ntimeout 125000\n";
  const redeye::interchange_read read = redeye::read_mode2(capture, "Power");
  ASSERT_EQ(read.code, 0) << read.line;
  ASSERT_EQ(read.signals.size(), 1U);
  EXPECT_EQ(read.signals[0].name, "Power");
  EXPECT_EQ(read.signals[0].readings.front().durations, (durations_t{9024, -4512, 579, -652, 600, -125000}));
  EXPECT_EQ(read.signals[0].readings.front().carrier_period, 26);
  EXPECT_EQ(redeye::read_mode2("carrier 36000\npulse 100\n", "x").signals[0].readings.front().carrier_period, 28);

  EXPECT_EQ(redeye::read_mode2("pulse 100\npulse\n", "x").line, 2U);
  EXPECT_EQ(redeye::read_mode2("pulse 100\nflash 5\n", "x").code, zq::rc::interchange_syntax);
  EXPECT_EQ(redeye::read_mode2("pulse -5\n", "x").code, zq::rc::interchange_number);
  EXPECT_EQ(redeye::read_mode2("space 100\n", "x").code, zq::rc::interchange_no_signals);
}

TEST(InterchangeReaders, SendirAsTheItachDocumentsShowIt) {
  // NEC with its repeat frame starting at the 69th time, as the Global Cache IR database gives it.
  std::string nec = "sendir,1:1,1,38000,1,69,342,171,21,21,21,64";
  for (int i = 0; i < 30; ++i) nec += ",21,21";
  nec += ",21,1519,342,85,21,3688";
  redeye::signal_data signal;
  ASSERT_EQ(redeye::read_gc_sendir(nec, signal), 0);
  EXPECT_EQ(signal.carrier_period, 26);
  EXPECT_EQ(signal.count(), 72);
  EXPECT_EQ(signal.repeat_index, 68);
  EXPECT_EQ(signal.durations[0], 9000);  // 342 cycles of 1/38000 s
  EXPECT_EQ(signal.durations[1], -4500);

  ASSERT_EQ(redeye::read_gc_sendir("sendir,1:1,1,40000,1,1,96,24,48,24", signal), 0);
  EXPECT_EQ(signal.durations, (durations_t{2400, -600, 1200, -600}));
  EXPECT_EQ(signal.repeat_index, 4);  // sent once from the start: no repeated part

  const std::vector<std::pair<std::string, zq::result_t>> faults = {
      {"sendir,1:1,1,38000,1,1,342,171,21", zq::rc::interchange_signal_size},
      {"sendir,1:1,1,38000,1,2,342,171,21,21", zq::rc::interchange_number},   // even offset
      {"sendir,1:1,1,38000,1,5,342,171,21,21", zq::rc::interchange_number},   // offset past the code
      {"sendir,1:1,1,14000,1,1,342,171", zq::rc::interchange_number},
      {"sendir,1:1,1,38000,0,1,342,171", zq::rc::interchange_number},
      {"sendir,1:1,1,38000,1,1,342,65536", zq::rc::interchange_number},
      {"sendir,1:1,1,38000,1,1,342,171,21,64,ABBA", zq::rc::interchange_unsupported},
      {"sendir,11,1,38000,1,1,342,171", zq::rc::interchange_syntax},
      {"irsend,1:1,1,38000,1,1,342,171", zq::rc::interchange_syntax},
  };
  for (const auto& [line, code] : faults) EXPECT_EQ(redeye::read_gc_sendir(line, signal), code) << line;
}

TEST(InterchangeReaders, NamedCodeListsAndSingleCodes) {
  const redeye::interchange_read single = redeye::read_pronto_list("\n0000 006D 0000 0001 0010 0020\n\n", "Power");
  ASSERT_EQ(single.code, 0);
  ASSERT_EQ(single.signals.size(), 1U);
  EXPECT_EQ(single.signals[0].name, "Power");
  EXPECT_EQ(single.signals[0].readings.front().durations, (durations_t{416, -832}));
  EXPECT_EQ(single.signals[0].readings.front().repeat_index, 0);

  const redeye::interchange_read listed =
      redeye::read_pronto_list("  Vol+ \n0000 006D 0001 0000 0010 0020\n\nVol-\n0000 006D 0001 0000 0020 0010\n", "x");
  ASSERT_EQ(listed.code, 0);
  ASSERT_EQ(listed.signals.size(), 2U);
  EXPECT_EQ(listed.signals[0].name, "Vol+");
  EXPECT_EQ(listed.signals[1].readings.front().durations, (durations_t{832, -416}));

  const redeye::interchange_read bad = redeye::read_pronto_list("A\n0000 006D 0001 0000 0010 0020\nB\n0000 006D\n", "x");
  EXPECT_EQ(bad.code, zq::rc::pronto_once_pairs_missing);
  EXPECT_EQ(bad.line, 4U);
  const redeye::interchange_read orphan = redeye::read_gc_sendir_list("A\nsendir,1:1,1,38000,1,1,1,1\nB\n", "x");
  EXPECT_EQ(orphan.code, zq::rc::interchange_structure);
  EXPECT_EQ(orphan.line, 3U);
  EXPECT_EQ(redeye::read_gc_sendir_list(" \n\t\n", "x").code, zq::rc::interchange_no_signals);
}

}  // namespace
