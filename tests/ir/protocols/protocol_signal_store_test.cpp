#include "ir/protocols/protocol_signal_store.h"

#include <gtest/gtest.h>

#include "ir/codebase_signals.h"
#include "ir/protocols/protocol_registry.h"
#include "ir/reading_alternation.h"
#include "storage/codebase_catalog.h"
#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace {

using redeye::signal_data;
using redeye::protocols::protocol_parameters;

class ProtocolSignalStore : public ::testing::Test {
 protected:
  void SetUp() override {
    zqtest::write_bytes(folder_.path() / "TV.pdb",
                        zqtest::database_image("TV", "Rda1", 330,
                                               {zqtest::remote_layout_record(),
                                                zqtest::signal_v2_record("Power", {{26, 0, {1, -1}}})}));
    catalog_.set_up(folder_.device_path(), xman::codebase_catalog::filter());
    ASSERT_EQ(writer_.open("TV"), 0);
  }

  signal_data read(const char* name, unsigned reading) {
    signal_data signal;
    EXPECT_EQ(redeye::read_signal(writer_, static_cast<std::size_t>(writer_.signal_index_of(name)), reading, signal), 0);
    return signal;
  }

  static signal_data encoded(const protocol_parameters& parameters, unsigned toggle) {
    signal_data signal;
    EXPECT_EQ(redeye::protocols::encode_protocol(parameters, toggle, signal), 0);
    return signal;
  }

  zqtest::temp_folder folder_;
  xman::database_catalog catalog_;
  xman::codebase_writer writer_{catalog_};
};

TEST_F(ProtocolSignalStore, ToggleProtocolsAlternateBetweenTheirTwoReadingsOnRepeatedPresses) {
  const protocol_parameters power{"RC6", 0, 0, 0, 12};
  ASSERT_EQ(redeye::protocols::put_protocol_signal(writer_, "Power", power), 0);  // replaces the old Power
  ASSERT_EQ(writer_.record_count(), 2U);
  EXPECT_EQ(redeye::signal_reading_count(writer_.record(1)), 2U);
  redeye::reading_alternation alternation;
  for (const unsigned toggle : {0U, 1U, 0U}) {
    const signal_data sent = read("Power", alternation.choose("Power"));
    const signal_data expected = encoded(power, toggle);
    EXPECT_EQ(sent.durations, expected.durations) << toggle;
    EXPECT_EQ(sent.carrier_period, expected.carrier_period);
    EXPECT_EQ(sent.repeat_index, expected.repeat_index);
    EXPECT_EQ(redeye::protocols::decode_protocol(sent.durations), power);
  }
}

TEST_F(ProtocolSignalStore, OtherProtocolsGetOneReadingAndNewNamesAreAppended) {
  const protocol_parameters mute{"NEC", 0, 0x04, 0, 0x09};
  ASSERT_EQ(redeye::protocols::put_protocol_signal(writer_, "Mute", mute), 0);
  ASSERT_EQ(writer_.record_count(), 3U);
  EXPECT_EQ(redeye::signal_reading_count(writer_.record(2)), 1U);
  EXPECT_EQ(read("Mute", 1).durations, encoded(mute, 0).durations);
}

TEST_F(ProtocolSignalStore, RefusedParametersLeaveTheCodebaseUnchanged) {
  const std::vector<std::uint8_t> before(writer_.record(1).begin(), writer_.record(1).end());
  EXPECT_EQ(redeye::protocols::put_protocol_signal(writer_, "Power", {"RC5", 0, 32, 0, 1}), 1082);
  EXPECT_EQ(redeye::protocols::put_protocol_signal(writer_, "Power", {"XYZ", 0, 1, 0, 1}), 1081);
  ASSERT_EQ(writer_.record_count(), 2U);
  EXPECT_EQ(std::vector<std::uint8_t>(writer_.record(1).begin(), writer_.record(1).end()), before);
}

}  // namespace
