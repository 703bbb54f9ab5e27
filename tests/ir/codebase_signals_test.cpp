#include "ir/codebase_signals.h"

#include <gtest/gtest.h>

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

  static signal_data make(std::uint16_t carrier, std::uint16_t repeat, std::vector<std::int32_t> durations) {
    signal_data signal;
    signal.carrier_period = carrier;
    signal.repeat_index = repeat;
    signal.durations = std::move(durations);
    return signal;
  }

  zqtest::temp_folder folder_;
  xman::database_catalog catalog_;
};

TEST_F(CodebaseSignals, ReadsAHandWrittenVersion1Record) {
  write({zqtest::remote_layout_record(),
         zqtest::signal_v1_record("Power", 26, {2, {9000, -4500, 560, -560, 560, -20000, -20000}},
                                  zqtest::reading_v1{0, {1000, -1000}})});
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("TV"), 0);
  ASSERT_EQ(codebase.signal_index_of("Power"), 1);
  signal_data first;
  ASSERT_EQ(redeye::read_signal(codebase, 1, 0, first), 0);
  EXPECT_EQ(first.carrier_period, 26);
  EXPECT_EQ(first.repeat_index, 2);
  // Neighbouring items of one sign come back as one duration.
  EXPECT_EQ(first.durations, (std::vector<std::int32_t>{9000, -4500, 560, -560, 560, -40000}));
  signal_data second;
  ASSERT_EQ(redeye::read_signal(codebase, 1, 1, second), 0);
  EXPECT_EQ(second.durations, (std::vector<std::int32_t>{1000, -1000}));
  EXPECT_EQ(second.carrier_period, 26);
}

TEST_F(CodebaseSignals, ReadingSelectorFallsBackToTheOnlyReading) {
  write({zqtest::remote_layout_record(), zqtest::signal_v2_record("Mute", {{38, 1, {500, -500, 700, -700}}}),
         zqtest::signal_v2_record("Two", {{26, 0, {1, -1}}, {30, 1, {2, -2}}})});
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("TV"), 0);
  signal_data signal;
  ASSERT_EQ(redeye::read_signal(codebase, 1, 1, signal), 0);
  EXPECT_EQ(signal.carrier_period, 38);
  EXPECT_EQ(signal.repeat_index, 1);
  EXPECT_EQ(signal.durations, (std::vector<std::int32_t>{500, -500, 700, -700}));
  ASSERT_EQ(redeye::read_signal(codebase, 2, 1, signal), 0);
  EXPECT_EQ(signal.carrier_period, 30);
  EXPECT_EQ(signal.durations, (std::vector<std::int32_t>{2, -2}));
}

TEST_F(CodebaseSignals, OnlySignalRecordsAreRead) {
  // The layout record's bytes would pass for a version-1 signal; index 0 is never one.
  write({bytes{'L', 0x00, 0x00, 26, 0x00, 0x01, 0x00, 0x64}, zqtest::macro_record("M", {0x02}),
         bytes{0x00, 0x03, 'X', 0x00, 0x00, 0x01}});
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("TV"), 0);
  signal_data signal;
  EXPECT_EQ(redeye::read_signal(codebase, 0, 0, signal), -1);
  EXPECT_EQ(redeye::read_signal(codebase, 1, 0, signal), -1);
  EXPECT_EQ(redeye::read_signal(codebase, 2, 0, signal), -1);
  EXPECT_EQ(redeye::read_signal(codebase, 3, 0, signal), -1);
  EXPECT_EQ(redeye::read_signal(codebase, 9999, 0, signal), -1);
}

TEST_F(CodebaseSignals, EmptyOrCutReadingIs1061) {
  bytes cut = zqtest::signal_v2_record("Cut", {{26, 0, {100, -100, 100}}});
  cut.resize(cut.size() - 3);
  write({zqtest::remote_layout_record(), zqtest::signal_v2_record("Empty", {{26, 0, {}}}), cut});
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("TV"), 0);
  signal_data signal;
  EXPECT_EQ(redeye::read_signal(codebase, 1, 0, signal), 1061);
  EXPECT_EQ(redeye::read_signal(codebase, 2, 0, signal), 1061);
}

TEST_F(CodebaseSignals, NewSignalIsAppendedInTheStoredLayout) {
  write({zqtest::remote_layout_record(), zqtest::macro_record("M", {0x02})});
  xman::codebase_writer writer(catalog_);
  ASSERT_EQ(writer.open("TV"), 0);
  ASSERT_EQ(redeye::put_signal(writer, "Long", make(26, 1, {100000, -500}), false), 0);
  EXPECT_EQ(writer.signal_index_of("Long"), 2);
  ASSERT_EQ(writer.save(), 0);
  writer.close();
  // 100000 needs four items; "Long" plus NUL ends at an odd offset, so a pad byte follows.
  const bytes expected = zqtest::signal_v2_record("Long", {{26, 1, {32767, 32767, 32767, 1699, -500}}});
  EXPECT_EQ(zqtest::read_bytes(folder_.path() / "TV.pdb"),
            zqtest::database_image("TV", "Rda1", 330,
                                   {zqtest::remote_layout_record(), zqtest::macro_record("M", {0x02}), expected}));
}

TEST_F(CodebaseSignals, ReplaceKeepsThePlaceAndDropsOldReadings) {
  write({zqtest::remote_layout_record(), zqtest::signal_v2_record("Power", {{26, 0, {1, -1}}, {26, 0, {2, -2}}}),
         zqtest::signal_v2_record("Mute", {{26, 0, {3, -3}}})});
  xman::codebase_writer writer(catalog_);
  ASSERT_EQ(writer.open("TV"), 0);
  ASSERT_EQ(redeye::put_signal(writer, "Power", make(38, 0, {700, -700}), true), 0);
  EXPECT_EQ(writer.signal_index_of("Power"), 1);
  EXPECT_EQ(writer.record_count(), 3u);
  EXPECT_EQ(bytes(writer.record(1).begin(), writer.record(1).end()),
            zqtest::signal_v2_record("Power", {{38, 0, {700, -700}}}));
}

TEST_F(CodebaseSignals, WithoutReplaceASecondReadingIsAdded) {
  write({zqtest::remote_layout_record(), zqtest::signal_v1_record("Power", 26, {0, {9000, -4500}}),
         zqtest::signal_v2_record("Mute", {{26, 0, {3, -3}}})});
  xman::codebase_writer writer(catalog_);
  ASSERT_EQ(writer.open("TV"), 0);
  ASSERT_EQ(redeye::put_signal(writer, "Power", make(38, 1, {600, -600}), false), 0);
  EXPECT_EQ(writer.signal_index_of("Power"), 1);
  ASSERT_EQ(writer.save(), 0);
  writer.close();

  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("TV"), 0);
  EXPECT_EQ(codebase.record(1)[0], 0x00);  // rewritten as format version 2
  signal_data first, second;
  ASSERT_EQ(redeye::read_signal(codebase, 1, 0, first), 0);
  ASSERT_EQ(redeye::read_signal(codebase, 1, 1, second), 0);
  EXPECT_EQ(first.durations, (std::vector<std::int32_t>{9000, -4500}));
  EXPECT_EQ(first.carrier_period, 26);
  EXPECT_EQ(second.durations, (std::vector<std::int32_t>{600, -600}));
  EXPECT_EQ(second.carrier_period, 38);
  EXPECT_EQ(second.repeat_index, 1);
  EXPECT_EQ(codebase.signal_index_of("Mute"), 2);
}

TEST_F(CodebaseSignals, SignalWithoutItemsChangesNothing) {
  write({zqtest::remote_layout_record(), zqtest::signal_v2_record("Power", {{26, 0, {1, -1}}})});
  xman::codebase_writer writer(catalog_);
  ASSERT_EQ(writer.open("TV"), 0);
  const bytes before(writer.record(1).begin(), writer.record(1).end());
  EXPECT_EQ(redeye::put_signal(writer, "Power", make(26, 0, {}), true), 1061);
  EXPECT_EQ(redeye::put_signal(writer, "Power", make(26, 0, {}), false), 1061);
  EXPECT_EQ(redeye::put_signal(writer, "New", make(26, 0, {}), false), 1061);
  EXPECT_EQ(writer.record_count(), 2u);
  EXPECT_EQ(bytes(writer.record(1).begin(), writer.record(1).end()), before);
  EXPECT_FALSE(writer.has_signal("New"));
}

TEST_F(CodebaseSignals, NameTakenFromTheIndexSurvivesItsOwnReplacement) {
  write({zqtest::remote_layout_record(), zqtest::signal_v2_record("Power", {{26, 0, {1, -1}}})});
  xman::codebase_writer writer(catalog_);
  ASSERT_EQ(writer.open("TV"), 0);
  const std::string_view name = writer.signals().begin()->first;  // points into record 1
  ASSERT_EQ(redeye::put_signal(writer, name, make(26, 0, {5, -5}), false), 0);
  EXPECT_EQ(writer.signal_index_of("Power"), 1);
}

TEST_F(CodebaseSignals, DeleteRemovesOnlySignals) {
  write({zqtest::remote_layout_record(), zqtest::macro_record("M", {0x02}),
         zqtest::signal_v2_record("Power", {{26, 0, {1, -1}}})});
  xman::codebase_writer writer(catalog_);
  ASSERT_EQ(writer.open("TV"), 0);
  EXPECT_EQ(redeye::delete_signal(writer, 1), -1);
  EXPECT_EQ(redeye::delete_signal(writer, 0), -1);
  EXPECT_EQ(writer.record_count(), 3u);
  ASSERT_EQ(redeye::delete_signal(writer, 2), 0);
  EXPECT_FALSE(writer.has_signal("Power"));
  EXPECT_TRUE(writer.has_macro("M"));
}

}  // namespace
