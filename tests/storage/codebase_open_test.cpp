#include "storage/codebase.h"

#include <gtest/gtest.h>

#include "storage/codebase_catalog.h"
#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace {

using zqtest::bytes;

class CodebaseOpen : public ::testing::Test {
 protected:
  // Writes a codebase file by hand and rescans the catalog.
  void write(const std::string& file, std::string_view name, const std::vector<bytes>& records,
             std::uint16_t version = 330, const char (&type)[5] = "Rda1") {
    zqtest::write_bytes(folder_.path() / file, zqtest::database_image(name, type, version, records));
    catalog_.set_up(folder_.device_path(), xman::codebase_catalog::filter());
  }

  zqtest::temp_folder folder_;
  xman::database_catalog catalog_;
};

TEST_F(CodebaseOpen, LayoutOnlyCodebaseHasEmptyIndexes) {
  write("TV.pdb", "TV", {zqtest::remote_layout_record()});
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("TV"), 0);
  EXPECT_TRUE(codebase.is_open());
  EXPECT_EQ(codebase.name(), "TV");
  EXPECT_TRUE(codebase.signals().empty());
  EXPECT_TRUE(codebase.macros().empty());
  std::span<const std::uint8_t> layout;
  ASSERT_EQ(codebase.layout(layout), 0);
  EXPECT_EQ(bytes(layout.begin(), layout.end()), zqtest::remote_layout_record());
}

TEST_F(CodebaseOpen, NoRecordsMeansNoLayout) {
  write("Empty.pdb", "Empty", {});
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("Empty"), 0);
  std::span<const std::uint8_t> layout;
  EXPECT_EQ(codebase.layout(layout), 1042);
  EXPECT_TRUE(layout.empty());
}

TEST_F(CodebaseOpen, UnknownNameIs1023) {
  write("TV.pdb", "TV", {zqtest::remote_layout_record()});
  xman::codebase codebase(catalog_);
  // Found by internal name, never by file name.
  EXPECT_EQ(codebase.open("TV.pdb"), 1023);
  EXPECT_EQ(codebase.open("tv"), 1023);
  EXPECT_FALSE(codebase.is_open());
}

TEST_F(CodebaseOpen, TooNewVersionIsRefusedAndLeavesNothingOpen) {
  write("TV.pdb", "TV", {zqtest::remote_layout_record(), zqtest::signal_v2_record("Power", {{26, 0, {10, -10}}})});
  write("New.pdb", "New", {zqtest::remote_layout_record(), zqtest::signal_v2_record("Power", {{26, 0, {10, -10}}})},
        331);
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("TV"), 0);
  EXPECT_EQ(codebase.open("New"), 1041);
  EXPECT_FALSE(codebase.is_open());
  EXPECT_FALSE(codebase.has_signal("Power"));
  EXPECT_EQ(codebase.record_count(), 0u);
  EXPECT_TRUE(codebase.name().empty());
}

TEST_F(CodebaseOpen, OlderKindsOpenAsTheyAre) {
  write("Old.pdb", "Old", {zqtest::remote_layout_record()}, 200, "Rdat");
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("Old"), 0);
  EXPECT_EQ(codebase.type(), xman::four_cc("Rdat"));
  EXPECT_EQ(codebase.version(), 200);
}

TEST_F(CodebaseOpen, ReopeningSwitchesToTheOtherCodebase) {
  write("A.pdb", "A", {zqtest::remote_layout_record(), zqtest::signal_v2_record("OnlyA", {{26, 0, {1, -1}}})});
  write("B.pdb", "B", {zqtest::remote_layout_record(), zqtest::signal_v2_record("OnlyB", {{26, 0, {1, -1}}})});
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("A"), 0);
  ASSERT_EQ(codebase.open("B"), 0);
  EXPECT_FALSE(codebase.has_signal("OnlyA"));
  EXPECT_TRUE(codebase.has_signal("OnlyB"));
  codebase.close();
  EXPECT_FALSE(codebase.has_signal("OnlyB"));
  EXPECT_TRUE(codebase.record(1).empty());
}

TEST_F(CodebaseOpen, ReopeningByItsOwnNameWorks) {
  write("TV.pdb", "TV", {zqtest::remote_layout_record(), zqtest::signal_v2_record("Power", {{26, 0, {1, -1}}})});
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("TV"), 0);
  ASSERT_EQ(codebase.open(codebase.name()), 0);
  EXPECT_EQ(codebase.name(), "TV");
  EXPECT_EQ(codebase.signal_index_of("Power"), 1);
}

TEST_F(CodebaseOpen, ImageInMemoryFollowsTheSameRules) {
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open_image(zqtest::database_image(
                "Mem", "Rda1", 330, {zqtest::remote_layout_record(), zqtest::macro_record("M", {})})),
            0);
  EXPECT_EQ(codebase.name(), "Mem");
  EXPECT_EQ(codebase.macro_index_of("M"), 1);
  EXPECT_EQ(codebase.open_image(zqtest::database_image("New", "Rda1", 331, {zqtest::remote_layout_record()})), 1041);
  EXPECT_FALSE(codebase.is_open());
  EXPECT_EQ(codebase.open_image(bytes(77, 0)), 1024);
  EXPECT_FALSE(codebase.is_open());
}

class CodebaseIndex : public CodebaseOpen {};

TEST_F(CodebaseIndex, FindsSignalsOfBothVersionsAndMacros) {
  write("TV.pdb", "TV",
        {zqtest::remote_layout_record(),                                     // 0
         zqtest::signal_v1_record("Power", 26, {0, {9000, -4500, 560}}),     // 1
         zqtest::macro_record("Evening", {0x01, 0x2A, 0x02, 'x', 0x00, 0x02}),  // 2
         zqtest::signal_v2_record("Vol+", {{26, 0, {100, -100}}})});           // 3
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("TV"), 0);
  EXPECT_EQ(codebase.signal_index_of("Power"), 1);
  EXPECT_EQ(codebase.signal_index_of("Vol+"), 3);
  EXPECT_EQ(codebase.macro_index_of("Evening"), 2);
  EXPECT_EQ(codebase.signal_index_of("Evening"), -1);
  EXPECT_EQ(codebase.macro_index_of("Power"), -1);
  // Names are compared exactly.
  EXPECT_EQ(codebase.signal_index_of("power"), -1);
  EXPECT_EQ(codebase.signal_index_of("Power "), -1);
  EXPECT_TRUE(codebase.has_signal("Vol+"));
  EXPECT_FALSE(codebase.has_macro("Vol+"));
}

TEST_F(CodebaseIndex, LayoutRecordIsNeverANamedItem) {
  // A layout whose bytes would read as a version-1 signal named "remote..." stays the layout.
  write("TV.pdb", "TV", {bytes{'r', 'e', 'm', 'o', 't', 'e', 0x00}});
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("TV"), 0);
  EXPECT_EQ(codebase.signal_index_of("remote"), -1);
}

TEST_F(CodebaseIndex, RecordOfUnknownKindIsNeverFound) {
  write("TV.pdb", "TV", {zqtest::remote_layout_record(), bytes{0x00, 0x03, 'X', 0x00}, bytes{0x00, 0x00, 'X', 0x00}});
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("TV"), 0);
  EXPECT_EQ(codebase.record_count(), 3u);
  EXPECT_EQ(codebase.signal_index_of("X"), -1);
  EXPECT_EQ(codebase.macro_index_of("X"), -1);
  EXPECT_TRUE(codebase.signals().empty());
  EXPECT_TRUE(codebase.macros().empty());
}

TEST_F(CodebaseIndex, SignalAndMacroMayShareAName) {
  write("TV.pdb", "TV",
        {zqtest::remote_layout_record(), zqtest::macro_record("Power", {0x02}),
         zqtest::signal_v2_record("Power", {{26, 0, {100, -100}}})});
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("TV"), 0);
  EXPECT_EQ(codebase.macro_index_of("Power"), 1);
  EXPECT_EQ(codebase.signal_index_of("Power"), 2);
}

TEST_F(CodebaseIndex, LowerIndexWinsForDuplicateNames) {
  write("TV.pdb", "TV",
        {zqtest::remote_layout_record(),
         zqtest::signal_v2_record("Power", {{26, 0, {1, -1}}}),   // 1
         zqtest::signal_v1_record("Power", 26, {0, {2, -2}}),     // 2: same name space, other version
         zqtest::macro_record("M", {}),                           // 3
         zqtest::macro_record("M", {0x02})});                     // 4
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("TV"), 0);
  EXPECT_EQ(codebase.signal_index_of("Power"), 1);
  EXPECT_EQ(codebase.macro_index_of("M"), 3);
  EXPECT_EQ(codebase.signals().size(), 1u);
}

TEST_F(CodebaseIndex, DamagedNamesAreNotIndexedAndNothingReadsPastTheRecord) {
  // Each named record lacks its terminator; the next record's bytes follow directly in the file,
  // so a reader that ran past the record would find "Next" there.
  write("TV.pdb", "TV",
        {zqtest::remote_layout_record(), bytes{'N', 'o', 'N', 'u', 'l'}, bytes{0x00, 0x02, 'N', 'o'},
         bytes{0x00, 0x01, 'N'}, bytes{0x00}, bytes{}, zqtest::signal_v2_record("Next", {{26, 0, {1, -1}}})});
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("TV"), 0);
  EXPECT_EQ(codebase.record_count(), 7u);
  ASSERT_EQ(codebase.signals().size(), 1u);
  EXPECT_EQ(codebase.signal_index_of("Next"), 6);
  EXPECT_TRUE(codebase.macros().empty());
}

TEST_F(CodebaseIndex, IndexKeysPointIntoTheRecords) {
  write("TV.pdb", "TV", {zqtest::remote_layout_record(), zqtest::signal_v2_record("Power", {{26, 0, {1, -1}}})});
  xman::codebase codebase(catalog_);
  ASSERT_EQ(codebase.open("TV"), 0);
  const auto& [key, index] = *codebase.signals().begin();
  const std::span<const std::uint8_t> record = codebase.record(index);
  EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(key.data()), record.data() + 2);
}

}  // namespace
