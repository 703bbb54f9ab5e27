#include "ir/codebase_signals.h"

#include <gtest/gtest.h>

#include "ir/pronto_import.h"
#include "storage/codebase_catalog.h"
#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace {

using redeye::signal_data;
using zqtest::bytes;

class CodebaseSignals : public ::testing::Test {
 protected:
  void write(const std::vector<bytes>& records) {
    zqtest::write_bytes(folder_.path() / "TV.pdb", zqtest::database_image("TV", "Rda1", 330, records));
    catalog_.set_up(folder_.device_path(), xman::codebase_catalog::filter());
  }
  bytes record(const xman::codebase& codebase, std::size_t index) const {
    return bytes(codebase.record(index).begin(), codebase.record(index).end());
  }
  // Reading `reading` of record `index`: its code, and the signal when that is 0.
  static void expect_read(const xman::codebase& codebase, std::size_t index, unsigned reading, zq::result_t code,
                          const signal_data& expected = {}) {
    signal_data signal;
    ASSERT_EQ(redeye::read_signal(codebase, index, reading, signal), code) << index << "/" << reading;
    if (code != 0) return;
    EXPECT_EQ(signal.durations, expected.durations) << index << "/" << reading;
    EXPECT_EQ(signal.carrier_period, expected.carrier_period) << index << "/" << reading;
    EXPECT_EQ(signal.repeat_index, expected.repeat_index) << index << "/" << reading;
  }

  zqtest::temp_folder folder_;
  xman::database_catalog catalog_;
  xman::codebase_writer writer_{catalog_};
};

TEST_F(CodebaseSignals, ReadsSignalRecordsOnly) {
  bytes cut = zqtest::signal_v2_record("Cut", {{26, 0, {100, -100, 100}}});
  cut.resize(cut.size() - 3);
  // The layout record's bytes would pass for a version-1 signal; index 0 is never one.
  write({bytes{'L', 0x00, 0x00, 26, 0x00, 0x01, 0x00, 0x64},
         zqtest::signal_v1_record("Power", 26, {2, {9000, -4500, 560, -560, 560, -20000, -20000}},
                                  zqtest::reading_v1{0, {1000, -1000}}),
         zqtest::signal_v2_record("Mute", {{38, 1, {500, -500, 700, -700}}}),
         zqtest::signal_v2_record("Two", {{26, 0, {1, -1}}, {30, 1, {2, -2}}}),
         zqtest::macro_record("M", {0x02}), bytes{0x00, 0x03, 'X', 0x00, 0x00, 0x01},
         zqtest::signal_v2_record("Empty", {{26, 0, {}}}), cut});
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("TV"), 0);
  // Neighbouring items of one sign come back as one duration.
  expect_read(codebase, 1, 0, 0, signal_data{{9000, -4500, 560, -560, 560, -40000}, 26, 2});
  expect_read(codebase, 1, 1, 0, signal_data{{1000, -1000}, 26, 0});
  expect_read(codebase, 2, 1, 0, signal_data{{500, -500, 700, -700}, 38, 1});  // the only reading serves both
  expect_read(codebase, 3, 1, 0, signal_data{{2, -2}, 30, 1});
  for (const std::size_t index : {0, 4, 5, 9999}) expect_read(codebase, index, 0, -1);
  expect_read(codebase, 6, 0, 1061);
  expect_read(codebase, 7, 0, 1061);
}

TEST_F(CodebaseSignals, PutAppendsReplacesOrAddsAReadingInTheStoredLayout) {
  write({zqtest::remote_layout_record(), zqtest::signal_v1_record("Power", 26, {0, {9000, -4500}}),
         zqtest::signal_v2_record("Mute", {{26, 0, {3, -3}}, {26, 0, {4, -4}}}), zqtest::macro_record("M", {0x02})});
  ASSERT_EQ(writer_.open("TV"), 0);
  // 100000 needs four items; "Long" plus NUL ends at an odd offset, so a pad byte follows.
  ASSERT_EQ(redeye::put_signal(writer_, "Long", signal_data{{100000, -500}, 26, 1}, false), 0);
  ASSERT_EQ(redeye::put_signal(writer_, "Mute", signal_data{{700, -700}, 38, 0}, true), 0);
  // The name may come from the index, pointing into the record it replaces.
  const std::string_view indexed_name = writer_.signals().find("Power")->first;
  ASSERT_EQ(redeye::put_signal(writer_, indexed_name, signal_data{{600, -600}, 38, 1}, false), 0);
  ASSERT_EQ(writer_.save(), 0);
  writer_.close();
  const bytes power = {0x00, 0x02, 'P', 'o', 'w', 'e', 'r', 0x00, 0x00, 0x02,           // rewritten as version 2
                       0x00, 0x1A, 0x00, 0x02, 0x00, 0x00, 0x23, 0x28, 0xEE, 0x6C,      // 26, 2 items, repeat 0
                       0x00, 0x26, 0x00, 0x02, 0x00, 0x01, 0x02, 0x58, 0xFD, 0xA8};     // 38, 2 items, repeat 1
  EXPECT_EQ(zqtest::read_bytes(folder_.path() / "TV.pdb"),
            zqtest::database_image("TV", "Rda1", 330,
                                   {zqtest::remote_layout_record(), power,
                                    zqtest::signal_v2_record("Mute", {{38, 0, {700, -700}}}),
                                    zqtest::macro_record("M", {0x02}),
                                    zqtest::signal_v2_record("Long", {{26, 1, {32767, 32767, 32767, 1699, -500}}})}));
}

TEST_F(CodebaseSignals, SignalWithoutItemsChangesNothingAndDeleteRemovesOnlySignals) {
  write({zqtest::remote_layout_record(), zqtest::macro_record("M", {0x02}),
         zqtest::signal_v2_record("Power", {{26, 0, {1, -1}}})});
  ASSERT_EQ(writer_.open("TV"), 0);
  const bytes before = record(writer_, 2);
  EXPECT_EQ(redeye::put_signal(writer_, "Power", signal_data{{}, 26, 0}, true), 1061);
  EXPECT_EQ(redeye::put_signal(writer_, "Power", signal_data{{}, 26, 0}, false), 1061);
  EXPECT_EQ(redeye::put_signal(writer_, "New", signal_data{{}, 26, 0}, false), 1061);
  EXPECT_EQ(writer_.record_count(), 3u);
  EXPECT_EQ(record(writer_, 2), before);
  EXPECT_EQ(redeye::delete_signal(writer_, 1), -1);
  EXPECT_EQ(redeye::delete_signal(writer_, 0), -1);
  EXPECT_EQ(writer_.record_count(), 3u);
  ASSERT_EQ(redeye::delete_signal(writer_, 2), 0);
  EXPECT_FALSE(writer_.has_signal("Power"));
  EXPECT_TRUE(writer_.has_macro("M"));
}

// Pronto text goes through the parser into put_signal with replace: a rejected text changes nothing.
TEST_F(CodebaseSignals, ImportedProntoTextReplacesOrAddsASignal) {
  const bytes power = zqtest::signal_v2_record("Power", {{38, 0, {100, -100}}, {38, 0, {200, -200}}});
  write({zqtest::remote_layout_record(), power});
  ASSERT_EQ(writer_.open("TV"), 0);
  for (const auto& [text, code] : {std::pair{"0100 006D 0001 0000 0010 0020", 200}, {"", 11},
                                   {"0000 006D 0001 0000 0010", 111}, {"0000 006D 0001 0000 0010 0020 0030", 211}}) {
    EXPECT_EQ(redeye::import_pronto(writer_, "Power", text), code) << text;
    EXPECT_EQ(redeye::import_pronto(writer_, "New", text), code) << text;
  }
  EXPECT_EQ(writer_.record_count(), 2u);
  EXPECT_EQ(record(writer_, 1), power);
  ASSERT_EQ(redeye::import_pronto(writer_, "Power", "0000 006D 0001 0001 0010 0020 0030 0040"), 0);
  ASSERT_EQ(redeye::import_pronto(writer_, "Play", "0000 0073 0000 0001 0020 0CA0"), 0);
  ASSERT_EQ(writer_.save(), 0);
  EXPECT_EQ(zqtest::read_bytes(folder_.path() / "TV.pdb"),
            zqtest::database_image("TV", "Rda1", 330,
                                   {zqtest::remote_layout_record(),
                                    zqtest::signal_v2_record("Power", {{26, 2, {416, -832, 1248, -1664}}}),
                                    zqtest::signal_v2_record("Play", {{27, 0, {864, -32767, -32767, -21730}}})}));
}

}  // namespace
