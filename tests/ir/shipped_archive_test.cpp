// The IR archive the build ships: enough categories, brands and models, the button names the
// layouts look for, and every protocol signal recognised again as exactly what was written.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ir/protocols/protocol_registry.h"
#include "ir/protocols/protocol_signal_record.h"
#include "ir/signal_data.h"
#include "platform/file_system.h"
#include "storage/codebase_record.h"
#include "storage/ir_archive.h"

namespace {

TEST(ShippedArchive, HoldsEveryCategoryWithEnoughBrandsAndModels) {
  xman::ir_archive archive;
  ASSERT_EQ(archive.open_file(platform::device_path(ZQ_IR_ARCHIVE_PATH)), zq::rc::ok);
  const std::vector<std::string> expected = {"TV", "DVD/Blu-ray", "VCR", "Cable/Satellite box",
                                             "Audio receiver", "CD player", "Projector", "Soundbar"};
  EXPECT_EQ(archive.categories(), expected);
  std::set<std::string> brands;
  for (int category = 0; category < static_cast<int>(expected.size()); ++category) {
    const std::vector<std::string> names = archive.brands(category);
    EXPECT_GE(names.size(), 6u) << expected[category];
    brands.insert(names.begin(), names.end());
  }
  EXPECT_GE(brands.size(), 40u);
  EXPECT_GE(archive.all_models().size(), 120u);
}

// The names every model of a category must have.
std::vector<std::string> required_names(const std::string& category) {
  std::vector<std::string> names = {"Power"};
  // Roku TVs have neither channel nor digit keys; the set-top boxes have both.
  if (category == "Cable/Satellite box") {
    names.insert(names.end(), {"Ch+", "Ch-", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
  }
  if (category == "TV") names.insert(names.end(), {"Menu", "OK", "Up", "Down"});
  if (category == "TV" || category == "Audio receiver" || category == "Soundbar") {
    names.insert(names.end(), {"Vol+", "Vol-", "Mute"});
  }
  if (category == "DVD/Blu-ray" || category == "VCR" || category == "CD player") {
    names.insert(names.end(), {"Play", "Stop", "Pause"});
  }
  if (category == "Projector") names.insert(names.end(), {"Menu", "OK", "Up", "Down", "Left", "Right"});
  return names;
}

TEST(ShippedArchive, EveryModelHasTheCategoryButtonsAndEverySignalDecodesAsWritten) {
  xman::ir_archive archive;
  ASSERT_EQ(archive.open_file(platform::device_path(ZQ_IR_ARCHIVE_PATH)), zq::rc::ok);
  for (const xman::ir_archive_model& model : archive.all_models()) {
    const std::string& category = archive.categories()[model.category];
    const std::string where = category + " / " + archive.brand_name(model.brand) + " / " + model.name;
    std::set<std::string> names;
    for (const std::span<const std::uint8_t> record : archive.signals_of(model)) {
      const std::string name(xman::classify_codebase_record(record).name);
      names.insert(name);
      redeye::signal_data signal;
      ASSERT_EQ(redeye::decode_signal_record(record, 0, signal), zq::rc::ok) << where << " " << name;
      const auto decoded = redeye::protocols::decode_protocol(signal.durations);
      ASSERT_TRUE(decoded.has_value()) << where << " " << name;
      // Encoding what the decoder read gives back the stored record byte for byte (both readings
      // of the toggling protocols included), so the decoder read exactly the written parameters.
      std::vector<std::uint8_t> again;
      ASSERT_EQ(redeye::protocols::protocol_signal_record(name, *decoded, again), zq::rc::ok) << where << " " << name;
      EXPECT_EQ(again, std::vector<std::uint8_t>(record.begin(), record.end())) << where << " " << name;
    }
    for (const std::string& required : required_names(category)) {
      EXPECT_TRUE(names.contains(required)) << where << " lacks " << required;
    }
  }
}

}  // namespace
