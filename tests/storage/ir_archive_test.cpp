#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "ir/signal_data.h"
#include "storage/database_catalog.h"
#include "storage/database_file.h"
#include "storage/ir_archive.h"
#include "storage/ir_archive_writer.h"
#include "support/temp_folder.h"

namespace {

using records_t = std::vector<std::vector<std::uint8_t>>;

std::vector<std::uint8_t> signal(const std::string& name, std::int32_t mark) {
  redeye::signal_data data;
  data.durations = {mark, -mark};
  data.carrier_period = 26;
  std::vector<std::uint8_t> record;
  EXPECT_EQ(redeye::encode_signal_record(name, data, record), zq::rc::ok);
  return record;
}

// TV: Sony "KV-1", Philips "PH-1", Sony "KV-2" (the brand spread through the chain); VCR: Sony "SLV".
xman::ir_archive_content sample() {
  xman::ir_archive_content content;
  content.categories = {"TV", "VCR"};
  content.brands = {"Philips", "Sony"};
  content.models = {{0, 1, "KV-1", {signal("Power", 100), signal("Vol+", 200), signal("Vol+ ", 300)}},
                    {0, 0, "PH-1", {signal("Power", 400)}},
                    {1, 1, "SLV", {}},
                    {0, 1, "KV-2", {signal("Mute", 500)}}};
  return content;
}

void store_records(const std::wstring& path, const records_t& records) {
  const std::vector<std::span<const std::uint8_t>> spans(records.begin(), records.end());
  ASSERT_EQ(xman::store_database_file(path, "zq-ir-archive", xman::kCreator, xman::kTypeIrArchive, 0, spans),
            zq::rc::ok);
}

TEST(IrArchive, BrowsesCategoriesBrandsInFirstAppearanceAndModelsInChainOrder) {
  zqtest::temp_folder folder;
  ASSERT_EQ(xman::store_ir_archive(folder.device_path("archive.pdb"), sample()), zq::rc::ok);
  xman::database_catalog catalog;
  catalog.set_up(folder.device_path(), xman::ir_archive::filter());
  xman::ir_archive archive;
  ASSERT_EQ(archive.open(catalog), zq::rc::ok);
  EXPECT_EQ(archive.header().category_count, 2);
  EXPECT_EQ(archive.header().brand_base, 3);
  EXPECT_EQ(archive.header().first_model, 5);
  EXPECT_EQ(archive.categories(), (std::vector<std::string>{"TV", "VCR"}));

  EXPECT_EQ(archive.brands(0), (std::vector<std::string>{"Sony", "Philips"}));  // Sony listed once
  EXPECT_EQ(archive.models(0), (std::vector<std::string>{"KV-1", "KV-2"}));
  EXPECT_EQ(archive.chosen_brand(), 1);
  std::span<const std::uint8_t> found;
  ASSERT_EQ(archive.find_signal(0, "Vol+", found), zq::rc::ok);
  redeye::signal_data decoded;
  ASSERT_EQ(redeye::decode_signal_record(found, 0, decoded), zq::rc::ok);
  EXPECT_EQ(decoded.durations.front(), 200);  // not "Vol+ ", the exact name
  for (const char* absent : {"Vol", "vol+", "Mute"}) {
    EXPECT_EQ(archive.find_signal(0, absent, found), zq::rc::ir_archive_signal_not_found) << absent;
  }
  EXPECT_EQ(archive.find_signal(2, "Power", found), zq::rc::ir_archive_signal_not_found);
  EXPECT_EQ(archive.model_signals(0).size(), 3u);
  EXPECT_EQ(archive.model_signals(1).size(), 1u);

  EXPECT_EQ(archive.brands(1), (std::vector<std::string>{"Sony"}));
  EXPECT_EQ(archive.models(0), (std::vector<std::string>{"SLV"}));
  EXPECT_TRUE(archive.model_signals(0).empty());  // an empty signal range
  EXPECT_TRUE(archive.brands(2).empty());
  EXPECT_EQ(archive.chosen_category(), -1);
  EXPECT_TRUE(archive.models(0).empty());
}

TEST(IrArchive, OpeningFailsWithoutTheArchiveOrOnADamagedOne) {
  zqtest::temp_folder folder;
  xman::database_catalog catalog;
  catalog.set_up(folder.device_path(), xman::ir_archive::filter());
  xman::ir_archive archive;
  EXPECT_EQ(archive.open(catalog), zq::rc::ir_archive_not_found);

  records_t good;
  ASSERT_EQ(xman::build_ir_archive_records(sample(), good), zq::rc::ok);
  // Model records sit at 5 (KV-1, signals 6..8), 9 (PH-1), 11 (SLV), 12 (KV-2, signal 13).
  const auto damage = [&](auto change) {
    records_t records = good;
    change(records);
    return records;
  };
  const std::vector<records_t> damaged = {
      damage([](records_t& r) { r[0].resize(10); }),                          // header cut short
      damage([](records_t& r) { r[0][1] = 20; }),                             // categories past the end
      damage([](records_t& r) { r[0][9] = 5; }),                              // a fifth model past the end
      damage([](records_t& r) { r[5][1] = 2; }),                              // category 2 of 2
      damage([](records_t& r) { r[5][3] = 20; }),                             // brand record past the end
      damage([](records_t& r) { r[9][7] = 20; }),                             // signals run past the file
      damage([](records_t& r) { r[9][7] = 5; }),                              // signals end before they start
      damage([](records_t& r) { r[7] = {0, 3, 'X', 0}; }),                    // not a signal record
      damage([](records_t& r) { r[1].pop_back(); }),                          // category name without NUL
      damage([](records_t& r) { r[12].resize(8); }),                          // model without a name
  };
  for (std::size_t i = 0; i < damaged.size(); ++i) {
    store_records(folder.device_path("archive.pdb"), damaged[i]);
    EXPECT_EQ(archive.open(catalog), zq::rc::ir_archive_damaged) << i;
    EXPECT_FALSE(archive.is_open()) << i;
    EXPECT_TRUE(archive.categories().empty()) << i;
  }
  store_records(folder.device_path("archive.pdb"), good);
  EXPECT_EQ(archive.open(catalog), zq::rc::ok);
}

TEST(IrArchive, WriterRefusesContentItCannotNumber) {
  xman::ir_archive_content content = sample();
  records_t records;
  content.models[0].brand = 2;
  EXPECT_EQ(xman::build_ir_archive_records(content, records), zq::rc::ir_archive_content_invalid);
  content = sample();
  content.models[0].signals.push_back({0, 1, 'M', 0});  // a macro record
  EXPECT_EQ(xman::build_ir_archive_records(content, records), zq::rc::ir_archive_content_invalid);
  content = sample();
  content.models[2].signals.assign(65530, signal("1", 10));
  EXPECT_EQ(xman::build_ir_archive_records(content, records), zq::rc::ir_archive_too_large);
  EXPECT_TRUE(records.empty());
}

}  // namespace
