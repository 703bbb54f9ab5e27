#include "storage/database_file.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "support/pdb_layout.h"
#include "support/temp_folder.h"

namespace {

namespace pdb = zqtest::pdb;
using xman::four_cc;

class DatabaseFile : public ::testing::Test {
 protected:
  zqtest::temp_folder folder_;
  std::wstring path(const std::string& name) const { return folder_.device_path(name); }
  std::filesystem::path host(const std::string& name) const { return folder_.path() / name; }
};

TEST_F(DatabaseFile, CreateWritesExactlyTheEmptyLayout) {
  ASSERT_EQ(xman::create_database_file(path("tv.pdb"), "TV Room", xman::kCreator, xman::kTypeCodebase, 330), 0);
  pdb::bytes expected(78, 0);
  const std::string name = "TV Room";
  std::copy(name.begin(), name.end(), expected.begin());
  expected[34] = 0x01;  // version 330, big-endian
  expected[35] = 0x4A;
  std::copy_n("Rda1", 4, expected.begin() + 60);
  std::copy_n("zQed", 4, expected.begin() + 64);
  EXPECT_EQ(pdb::read(host("tv.pdb")), expected);
}

TEST_F(DatabaseFile, CreateRefusesAnExistingFileAndLeavesItAlone) {
  const pdb::bytes original = pdb::file("Old", "Prof", 0, {{1, 2, 3}});
  pdb::write(host("x.pdb"), original);
  EXPECT_EQ(xman::create_database_file(path("x.pdb"), "New", xman::kCreator, xman::kTypePreferences, 0), 1025);
  EXPECT_EQ(pdb::read(host("x.pdb")), original);
  EXPECT_EQ(xman::create_database_file(folder_.device_path("missing\\x.pdb"), "New", xman::kCreator,
                                       xman::kTypePreferences, 0),
            1025);
}

TEST_F(DatabaseFile, NamesLongerThan31BytesOrHoldingNulAreRefusedNotCut) {
  const std::string longest(31, 'n');
  ASSERT_EQ(xman::create_database_file(path("a.pdb"), longest, xman::kCreator, xman::kTypeCodebase, 330), 0);
  xman::database_header header;
  ASSERT_EQ(xman::read_database_header(path("a.pdb"), header), 0);
  EXPECT_EQ(header.name, longest);
  EXPECT_EQ(pdb::read(host("a.pdb"))[31], 0);  // the terminator keeps its place

  EXPECT_EQ(xman::create_database_file(path("b.pdb"), std::string(32, 'n'), xman::kCreator, xman::kTypeCodebase, 330),
            1025);
  EXPECT_FALSE(std::filesystem::exists(host("b.pdb")));
  EXPECT_EQ(xman::create_database_file(path("c.pdb"), std::string("a\0b", 3), xman::kCreator, xman::kTypeCodebase, 0),
            1025);

  const pdb::bytes before = pdb::read(host("a.pdb"));
  EXPECT_EQ(xman::write_database_name(path("a.pdb"), std::string(40, 'x')), 1025);
  EXPECT_EQ(pdb::read(host("a.pdb")), before);
}

TEST_F(DatabaseFile, ReadHeaderTakesSpacePaddingAsTheEndOfTheName) {
  pdb::write(host("spaces.pdb"), pdb::header("Kitchen" + std::string(25, ' '), "Rdat", "zQed", 7, 0));
  xman::database_header header;
  ASSERT_EQ(xman::read_database_header(path("spaces.pdb"), header), 0);
  EXPECT_EQ(header.name, "Kitchen");
  EXPECT_EQ(header.type, xman::kTypeCodebaseOld);
  EXPECT_EQ(header.creator, xman::kCreator);
  EXPECT_EQ(header.version, 7);

  // Spaces inside the name stay; only those running up to byte 30 are padding.
  pdb::write(host("inner.pdb"), pdb::header("Living Room", "Rda1", "zQed", 330, 0));
  ASSERT_EQ(xman::read_database_header(path("inner.pdb"), header), 0);
  EXPECT_EQ(header.name, "Living Room");

  // 32 name bytes without a terminator: the name stops at the field's end.
  pdb::write(host("full.pdb"), pdb::header(std::string(32, 'z'), "Rda1", "zQed", 330, 0));
  ASSERT_EQ(xman::read_database_header(path("full.pdb"), header), 0);
  EXPECT_EQ(header.name, std::string(32, 'z'));
}

TEST_F(DatabaseFile, ReadHeaderNeeds72BytesAndAnOpenableFile) {
  pdb::bytes bytes = pdb::header("Short", "Rda1", "zQed", 330, 0);
  bytes.resize(72);
  pdb::write(host("72.pdb"), bytes);
  xman::database_header header;
  EXPECT_EQ(xman::read_database_header(path("72.pdb"), header), 0);
  bytes.resize(71);
  pdb::write(host("71.pdb"), bytes);
  EXPECT_EQ(xman::read_database_header(path("71.pdb"), header), 1024);
  EXPECT_EQ(xman::read_database_header(path("none.pdb"), header), 1022);
}

TEST_F(DatabaseFile, UpdateHeaderAndWriteNameChangeOnlyTheirBytes) {
  pdb::bytes original = pdb::file("Original Name", "Rdat", 12, {{9, 8, 7}, {6}});
  original[40] = 0x5A;  // a modification date that must survive
  pdb::write(host("d.pdb"), original);

  ASSERT_EQ(xman::update_database_header(path("d.pdb"), std::nullopt, xman::kTypeCodebase, std::uint16_t{330}), 0);
  pdb::bytes expected = original;
  std::copy_n("Rda1", 4, expected.begin() + 60);
  expected[34] = 0x01;
  expected[35] = 0x4A;
  EXPECT_EQ(pdb::read(host("d.pdb")), expected);

  ASSERT_EQ(xman::write_database_name(path("d.pdb"), "TV"), 0);
  std::fill_n(expected.begin(), 32, 0);
  expected[0] = 'T';
  expected[1] = 'V';
  EXPECT_EQ(pdb::read(host("d.pdb")), expected);

  ASSERT_EQ(xman::update_database_header(path("d.pdb"), four_cc("ABCD"), std::nullopt, std::nullopt), 0);
  std::copy_n("ABCD", 4, expected.begin() + 64);
  EXPECT_EQ(pdb::read(host("d.pdb")), expected);
  // The replacement went through a sibling that is gone again.
  EXPECT_EQ(pdb::listing(folder_.path()), std::vector<std::string>{"d.pdb"});

  EXPECT_EQ(xman::update_database_header(path("gone.pdb"), std::nullopt, xman::kTypeCodebase, std::nullopt), 1022);
  EXPECT_EQ(xman::write_database_name(path("gone.pdb"), "X"), 1022);
}

TEST_F(DatabaseFile, ReadingAHeaderClearsTheReadOnlyFlag) {
  pdb::write(host("ro.pdb"), pdb::file("RO", "Rda1", 330, {}));
  std::filesystem::permissions(host("ro.pdb"), std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  xman::database_header header;
  ASSERT_EQ(xman::read_database_header(path("ro.pdb"), header), 0);
  EXPECT_EQ(header.name, "RO");
  EXPECT_NE(std::filesystem::status(host("ro.pdb")).permissions() & std::filesystem::perms::owner_write,
            std::filesystem::perms::none);
}

}  // namespace
