#include "storage/codebase_writer.h"

#include <gtest/gtest.h>

#include "storage/codebase_catalog.h"
#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace {

using zqtest::bytes;
using records_t = std::vector<bytes>;

class CodebaseWriter : public ::testing::Test {
 protected:
  void write(std::string_view name, const records_t& records, std::uint16_t version = 330,
             const char (&type)[5] = "Rda1") {
    zqtest::write_bytes(file(name), zqtest::database_image(name, type, version, records));
    catalog_.set_up(folder_.device_path(), {{xman::kCreator, xman::four_cc(type)}});
  }
  std::filesystem::path file(std::string_view name) const { return folder_.path() / (std::string(name) + ".pdb"); }
  bytes content(std::string_view name) const { return zqtest::read_bytes(file(name)); }

  const bytes layout_ = zqtest::remote_layout_record();
  const bytes power_ = zqtest::signal_v2_record("Power", {{26, 0, {9000, -4500}}});
  const bytes mute_ = zqtest::signal_v1_record("Mute", 26, {0, {560, -560}});
  const bytes macro_ = zqtest::macro_record("Evening", {0x01, 0x02});
  zqtest::temp_folder folder_;
  xman::database_catalog catalog_;
  xman::codebase_writer writer_{catalog_};
};

TEST_F(CodebaseWriter, PutMacroAndSetLayoutReplaceInPlaceOrAppend) {
  write("TV", {layout_, power_});
  write("Empty", {});
  const bytes layout{0x01, 0x2A, 0x02, 'x', 0x00, 0x02};
  const bytes changed = zqtest::macro_record("Evening", {0x01, 0x03, 0x02});
  ASSERT_EQ(writer_.open("TV"), 0);
  writer_.put_macro("Evening", macro_);
  EXPECT_EQ(writer_.macro_index_of("Evening"), 2);
  writer_.append_record(mute_);
  writer_.put_macro("Evening", changed);
  writer_.set_layout(layout);
  EXPECT_EQ(writer_.macro_index_of("Evening"), 2);
  EXPECT_EQ(writer_.signal_index_of("Mute"), 3);
  ASSERT_EQ(writer_.save(), 0);
  ASSERT_EQ(writer_.open("Empty"), 0);
  writer_.set_layout(layout);
  ASSERT_EQ(writer_.save(), 0);
  EXPECT_EQ(content("TV"), zqtest::database_image("TV", "Rda1", 330, {layout, power_, changed, mute_}));
  EXPECT_EQ(content("Empty"), zqtest::database_image("Empty", "Rda1", 330, {layout}));
}

TEST_F(CodebaseWriter, CommitEditMovesTheSignalToTheEndAndRemovingMovesLaterRecordsDown) {
  write("TV", {layout_, power_, macro_, mute_});
  ASSERT_EQ(writer_.open("TV"), 0);
  writer_.remove_record(99);  // out of range: nothing happens
  writer_.begin_edit("Power");
  ASSERT_TRUE(writer_.edit_name());
  EXPECT_EQ(writer_.edit_record(), power_);
  const bytes edited = zqtest::signal_v2_record("Power", {{38, 0, {1, -1}}});
  writer_.edit_record() = edited;
  writer_.commit_edit();
  EXPECT_FALSE(writer_.edit_name());
  EXPECT_TRUE(writer_.edit_record().empty());
  EXPECT_EQ(writer_.signal_index_of("Power"), 3);
  EXPECT_EQ(writer_.macro_index_of("Evening"), 1);
  ASSERT_EQ(writer_.save(), 0);
  EXPECT_EQ(content("TV"), zqtest::database_image("TV", "Rda1", 330, {layout_, macro_, mute_, edited}));
  // An edit of a macro's name drops an earlier edit as well and changes nothing.
  writer_.begin_edit("Mute");
  writer_.begin_edit("Evening");
  EXPECT_FALSE(writer_.edit_name());
  EXPECT_TRUE(writer_.edit_record().empty());
  writer_.commit_edit();
  EXPECT_EQ(writer_.record_count(), 4u);
  writer_.remove_record(1);
  EXPECT_FALSE(writer_.has_macro("Evening"));
  EXPECT_EQ(writer_.signal_index_of("Mute"), 1);
  EXPECT_EQ(writer_.signal_index_of("Power"), 2);
}

// Saving converts the header to the current kind, keeps a working copy's and refuses other kinds.
TEST_F(CodebaseWriter, SavingConvertsTheHeaderByKind) {
  struct save_case {
    const char type[5];
    std::uint16_t version;
    zq::result_t result;
    const char saved_type[5];
    std::uint16_t saved_version;
  };
  const save_case cases[] = {{"Rdat", 120, 0, "Rda1", 330}, {"Rda1", 300, 0, "Rda1", 330},
                             {"temp", 330, 0, "temp", 330}, {"dPrf", 0, 1043, "dPrf", 0}};
  for (const save_case& c : cases) {
    SCOPED_TRACE(c.type);
    write("C", {layout_, power_}, c.version, c.type);
    const bytes before = content("C");
    ASSERT_EQ(writer_.open("C"), 0);
    writer_.append_record(mute_);
    EXPECT_EQ(writer_.save(), c.result);
    writer_.close();
    const bytes saved = zqtest::database_image("C", c.saved_type, c.saved_version, {layout_, power_, mute_});
    EXPECT_EQ(content("C"), c.result != 0 ? before : saved);
    EXPECT_EQ(catalog_.attributes_of("C")->type, xman::four_cc(c.saved_type));  // known without a rescan
    EXPECT_EQ(catalog_.attributes_of("C")->version, c.saved_version);
  }
}

TEST_F(CodebaseWriter, ChangesWithoutSaveAreDroppedAndTooNewIsNotOpened) {
  write("TV", {layout_, power_});
  write("New", {layout_}, 331);
  const bytes before = content("TV");
  ASSERT_EQ(writer_.open("TV"), 0);
  writer_.remove_record(1);
  writer_.append_record(mute_);
  EXPECT_EQ(writer_.open("New"), 1041);
  EXPECT_FALSE(writer_.is_open());
  EXPECT_NE(writer_.save(), 0);
  EXPECT_EQ(content("TV"), before);
}

}  // namespace
