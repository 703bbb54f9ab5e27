#include "ir/pronto_import.h"

#include <gtest/gtest.h>

#include "ir/codebase_signals.h"
#include "storage/codebase_catalog.h"
#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace {

using redeye::signal_data;

class ProntoImport : public ::testing::Test {
 protected:
  void SetUp() override {
    zqtest::write_bytes(
        folder_.path() / "TV.pdb",
        zqtest::database_image("TV", "Rda1", 330,
                               {zqtest::remote_layout_record(),
                                zqtest::signal_v2_record("Power", {{38, 0, {100, -100}}, {38, 0, {200, -200}}}),
                                zqtest::signal_v2_record("Mute", {{26, 2, {300, -300}}})}));
    catalog_.set_up(folder_.device_path(), xman::codebase_catalog::filter());
  }

  // The named signal's readings after reopening the saved file.
  std::vector<signal_data> stored(std::string_view name) {
    xman::codebase codebase(catalog_);
    EXPECT_EQ(codebase.open("TV"), 0);
    const int index = codebase.signal_index_of(name);
    std::vector<signal_data> readings;
    if (index <= 0) return readings;
    for (unsigned reading = 0; reading < 2; ++reading) {
      signal_data signal;
      EXPECT_EQ(redeye::read_signal(codebase, static_cast<std::size_t>(index), reading, signal), 0);
      readings.push_back(signal);
    }
    return readings;
  }

  zqtest::temp_folder folder_;
  xman::database_catalog catalog_;
};

TEST_F(ProntoImport, ReplacesAnExistingSignalWithBothItsReadings) {
  {
    xman::codebase_writer writer(catalog_);
    ASSERT_EQ(writer.open("TV"), 0);
    ASSERT_EQ(redeye::import_pronto(writer, "Power", "0000 006D 0001 0001 0010 0020 0030 0040"), 0);
    ASSERT_EQ(writer.save(), 0);
  }
  const std::vector<signal_data> power = stored("Power");
  ASSERT_EQ(power.size(), 2u);
  // One reading now: the second selector falls back to it.
  for (const signal_data& reading : power) {
    EXPECT_EQ(reading.durations, (std::vector<std::int32_t>{416, -832, 1248, -1664}));
    EXPECT_EQ(reading.carrier_period, 26);
    EXPECT_EQ(reading.repeat_index, 2);
  }
  EXPECT_EQ(stored("Mute").front().durations, (std::vector<std::int32_t>{300, -300}));
}

TEST_F(ProntoImport, AddsANewSignal) {
  {
    xman::codebase_writer writer(catalog_);
    ASSERT_EQ(writer.open("TV"), 0);
    ASSERT_EQ(redeye::import_pronto(writer, "Play", "0000 0073 0000 0001 0020 0CA0"), 0);
    ASSERT_EQ(writer.save(), 0);
  }
  const std::vector<signal_data> play = stored("Play");
  ASSERT_FALSE(play.empty());
  EXPECT_EQ(play.front().durations, (std::vector<std::int32_t>{864, -87264}));
  EXPECT_EQ(play.front().carrier_period, 27);
  EXPECT_EQ(play.front().repeat_index, 0);
}

TEST_F(ProntoImport, RejectedTextReturnsTheParserCodeAndChangesNothing) {
  {
    xman::codebase_writer writer(catalog_);
    ASSERT_EQ(writer.open("TV"), 0);
    EXPECT_EQ(redeye::import_pronto(writer, "Power", "0100 006D 0001 0000 0010 0020"), 200);
    EXPECT_EQ(redeye::import_pronto(writer, "Power", ""), 11);
    EXPECT_EQ(redeye::import_pronto(writer, "Power", "0000 006D 0001 0000 0010"), 111);
    EXPECT_EQ(redeye::import_pronto(writer, "New", "0000 006D 0001 0000 0010 0020 0030"), 211);
    ASSERT_EQ(writer.save(), 0);
  }
  const std::vector<signal_data> power = stored("Power");
  ASSERT_EQ(power.size(), 2u);
  EXPECT_EQ(power[0].durations, (std::vector<std::int32_t>{100, -100}));
  EXPECT_EQ(power[1].durations, (std::vector<std::int32_t>{200, -200}));
  EXPECT_TRUE(stored("New").empty());
}

}  // namespace
