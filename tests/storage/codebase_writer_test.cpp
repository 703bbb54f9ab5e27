#include "storage/codebase_writer.h"

#include <gtest/gtest.h>

#include "storage/codebase_catalog.h"
#include "storage/database_file.h"
#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace {

using zqtest::bytes;

class CodebaseWriter : public ::testing::Test {
 protected:
  void write(const std::string& file, std::string_view name, const std::vector<bytes>& records,
             std::uint16_t version = 330, const char (&type)[5] = "Rda1") {
    zqtest::write_bytes(folder_.path() / file, zqtest::database_image(name, type, version, records));
    catalog_.set_up(folder_.device_path(), xman::codebase_catalog::filter());
  }

  // The records of a stored file as another reader sees them.
  std::vector<bytes> records_on_disk(std::string_view name) {
    xman::codebase reader(catalog_);
    std::vector<bytes> out;
    if (reader.open(name) != 0) return out;
    for (std::size_t i = 0; i < reader.record_count(); ++i) {
      out.emplace_back(reader.record(i).begin(), reader.record(i).end());
    }
    return out;
  }

  xman::database_header header_of(const std::string& file) {
    xman::database_header header;
    EXPECT_EQ(xman::read_database_header(folder_.device_path(file), header), 0);
    return header;
  }

  bytes power_ = zqtest::signal_v2_record("Power", {{26, 0, {9000, -4500}}});
  bytes mute_ = zqtest::signal_v1_record("Mute", 26, {0, {560, -560}});
  bytes macro_ = zqtest::macro_record("Evening", {0x01, 0x02});
  zqtest::temp_folder folder_;
  xman::database_catalog catalog_;
};

TEST_F(CodebaseWriter, PutMacroAppendsThenReplacesInPlace) {
  write("TV.pdb", "TV", {zqtest::remote_layout_record(), power_});
  xman::codebase_writer writer(catalog_);
  ASSERT_EQ(writer.open("TV"), 0);
  writer.put_macro("Evening", macro_);
  EXPECT_EQ(writer.macro_index_of("Evening"), 2);
  writer.append_record(mute_);
  const bytes changed = zqtest::macro_record("Evening", {0x01, 0x03, 0x02});
  writer.put_macro("Evening", changed);
  EXPECT_EQ(writer.macro_index_of("Evening"), 2);
  EXPECT_EQ(writer.record_count(), 4u);
  ASSERT_EQ(writer.save(), 0);
  writer.close();
  EXPECT_EQ(records_on_disk("TV"), (std::vector<bytes>{zqtest::remote_layout_record(), power_, changed, mute_}));
}

TEST_F(CodebaseWriter, RemovingARecordMovesLaterOnesDown) {
  write("TV.pdb", "TV", {zqtest::remote_layout_record(), power_, macro_, mute_});
  xman::codebase_writer writer(catalog_);
  ASSERT_EQ(writer.open("TV"), 0);
  writer.remove_record(1);
  EXPECT_FALSE(writer.has_signal("Power"));
  EXPECT_EQ(writer.macro_index_of("Evening"), 1);
  EXPECT_EQ(writer.signal_index_of("Mute"), 2);
  writer.remove_record(99);  // out of range: nothing happens
  EXPECT_EQ(writer.record_count(), 3u);
}

TEST_F(CodebaseWriter, CommitEditMovesTheSignalToTheEnd) {
  write("TV.pdb", "TV", {zqtest::remote_layout_record(), power_, macro_, mute_});
  xman::codebase_writer writer(catalog_);
  ASSERT_EQ(writer.open("TV"), 0);
  writer.begin_edit("Power");
  ASSERT_TRUE(writer.edit_name());
  EXPECT_EQ(writer.edit_record(), power_);
  writer.commit_edit();
  EXPECT_EQ(writer.record_count(), 4u);
  EXPECT_EQ(writer.signal_index_of("Power"), 3);
  EXPECT_EQ(writer.macro_index_of("Evening"), 1);
  EXPECT_EQ(writer.signal_index_of("Mute"), 2);
  EXPECT_FALSE(writer.edit_name());
  EXPECT_TRUE(writer.edit_record().empty());
}

TEST_F(CodebaseWriter, CommitEditStoresTheChangedBuffer) {
  write("TV.pdb", "TV", {zqtest::remote_layout_record(), power_, mute_});
  xman::codebase_writer writer(catalog_);
  ASSERT_EQ(writer.open("TV"), 0);
  writer.begin_edit("Power");
  const bytes edited = zqtest::signal_v2_record("Power", {{38, 0, {1, -1}}});
  writer.edit_record() = edited;
  writer.commit_edit();
  ASSERT_EQ(writer.save(), 0);
  writer.close();
  EXPECT_EQ(records_on_disk("TV"), (std::vector<bytes>{zqtest::remote_layout_record(), mute_, edited}));
}

TEST_F(CodebaseWriter, EditOfAnUnknownSignalChangesNothing) {
  write("TV.pdb", "TV", {zqtest::remote_layout_record(), power_, macro_});
  xman::codebase_writer writer(catalog_);
  ASSERT_EQ(writer.open("TV"), 0);
  writer.begin_edit("Power");
  writer.begin_edit("Evening");  // a macro, not a signal: the earlier edit is dropped as well
  EXPECT_FALSE(writer.edit_name());
  EXPECT_TRUE(writer.edit_record().empty());
  writer.commit_edit();
  EXPECT_EQ(writer.record_count(), 3u);
  EXPECT_EQ(writer.signal_index_of("Power"), 1);
}

TEST_F(CodebaseWriter, SetLayoutReplacesRecordZeroOrAddsIt) {
  write("TV.pdb", "TV", {zqtest::remote_layout_record(), power_});
  write("Empty.pdb", "Empty", {});
  const bytes layout{0x01, 0x2A, 0x02, 'x', 0x00, 0x02};
  xman::codebase_writer writer(catalog_);
  ASSERT_EQ(writer.open("TV"), 0);
  writer.set_layout(layout);
  ASSERT_EQ(writer.save(), 0);
  ASSERT_EQ(writer.open("Empty"), 0);
  writer.set_layout(layout);
  ASSERT_EQ(writer.save(), 0);
  writer.close();
  EXPECT_EQ(records_on_disk("TV"), (std::vector<bytes>{layout, power_}));
  EXPECT_EQ(records_on_disk("Empty"), (std::vector<bytes>{layout}));
}

TEST_F(CodebaseWriter, SavingTheOlderKindLeavesTheCurrentKind) {
  write("Old.pdb", "Old", {zqtest::remote_layout_record(), power_}, 120, "Rdat");
  xman::codebase_writer writer(catalog_);
  ASSERT_EQ(writer.open("Old"), 0);
  ASSERT_EQ(writer.save(), 0);
  writer.close();
  const xman::database_header header = header_of("Old.pdb");
  EXPECT_EQ(header.type, xman::four_cc("Rda1"));
  EXPECT_EQ(header.version, 330);
  EXPECT_EQ(header.creator, xman::four_cc("zQed"));
  // The catalog knows without a rescan.
  const auto entry = catalog_.attributes_of("Old");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->type, xman::four_cc("Rda1"));
  EXPECT_EQ(entry->version, 330);
  EXPECT_EQ(records_on_disk("Old"), (std::vector<bytes>{zqtest::remote_layout_record(), power_}));
}

TEST_F(CodebaseWriter, SavingRaisesAnOldVersionOfTheCurrentKind) {
  write("TV.pdb", "TV", {zqtest::remote_layout_record()}, 300);
  xman::codebase_writer writer(catalog_);
  ASSERT_EQ(writer.open("TV"), 0);
  ASSERT_EQ(writer.save(), 0);
  EXPECT_EQ(writer.version(), 330);
  EXPECT_EQ(header_of("TV.pdb").version, 330);
}

TEST_F(CodebaseWriter, WorkingCopyIsSavedWithItsTypeKept) {
  write("Work.pdb", "$zqx-editor-temp", {zqtest::remote_layout_record()}, 330, "temp");
  xman::codebase_writer writer(catalog_);
  ASSERT_EQ(writer.open("$zqx-editor-temp"), 0);
  writer.append_record(power_);
  ASSERT_EQ(writer.save(), 0);
  writer.close();
  EXPECT_EQ(header_of("Work.pdb").type, xman::four_cc("temp"));
  EXPECT_EQ(records_on_disk("$zqx-editor-temp").size(), 2u);
}

TEST_F(CodebaseWriter, UnknownKindIsNotWritten) {
  // A catalog that lets a profile database through; the writer refuses to save it as a codebase.
  zqtest::write_bytes(folder_.path() / "P.pdb",
                      zqtest::database_image("P", "dPrf", 0, {zqtest::remote_layout_record()}));
  catalog_.set_up(folder_.device_path(), {{xman::kCreator, xman::kTypeMainProfile}});
  const bytes before = zqtest::read_bytes(folder_.path() / "P.pdb");
  xman::codebase_writer writer(catalog_);
  ASSERT_EQ(writer.open("P"), 0);
  writer.append_record(power_);
  EXPECT_EQ(writer.save(), 1043);
  EXPECT_EQ(writer.type(), xman::four_cc("dPrf"));
  writer.close();
  EXPECT_EQ(zqtest::read_bytes(folder_.path() / "P.pdb"), before);
}

TEST_F(CodebaseWriter, ChangesWithoutSaveAreDropped) {
  write("TV.pdb", "TV", {zqtest::remote_layout_record(), power_});
  const bytes before = zqtest::read_bytes(folder_.path() / "TV.pdb");
  {
    xman::codebase_writer writer(catalog_);
    ASSERT_EQ(writer.open("TV"), 0);
    writer.remove_record(1);
    writer.append_record(mute_);
  }
  EXPECT_EQ(zqtest::read_bytes(folder_.path() / "TV.pdb"), before);
}

TEST_F(CodebaseWriter, TooNewIsNotOpenedForWriting) {
  write("New.pdb", "New", {zqtest::remote_layout_record()}, 331);
  xman::codebase_writer writer(catalog_);
  EXPECT_EQ(writer.open("New"), 1041);
  EXPECT_FALSE(writer.is_open());
  EXPECT_NE(writer.save(), 0);
}

}  // namespace
