#include "storage/database.h"

#include <gtest/gtest.h>

#include <string>

#include "storage/database_file.h"
#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace {

using zqtest::bytes;
using xman::database;
using mode = xman::database::open_mode_t;

bytes as_bytes(std::span<const std::uint8_t> data) { return bytes(data.begin(), data.end()); }

class DatabaseTest : public ::testing::Test {
 protected:
  std::wstring path(const std::string& name) const { return folder_.device_path(name); }
  bytes content(const std::string& name) const { return zqtest::read_bytes(folder_.path() / name); }
  void write(const std::string& name, const bytes& b) const { zqtest::write_bytes(folder_.path() / name, b); }
  zqtest::temp_folder folder_;
  database db_;
};

using DatabaseFile = DatabaseTest;
using DatabaseLoad = DatabaseTest;
using DatabaseSave = DatabaseTest;

TEST_F(DatabaseFile, CreateWritesThe78ByteEmptyLayoutAndRefusesWhatItCannotStore) {
  ASSERT_EQ(xman::create_database_file(path("tv.pdb"), "TV Room", xman::kCreator, xman::kTypeCodebase, 330), 0);
  bytes expected(78, 0);  // the name, version 330, type and creator; every other field 0
  std::copy_n("TV Room", 7, expected.begin());
  expected[34] = 0x01;
  expected[35] = 0x4A;
  std::copy_n("Rda1zQed", 8, expected.begin() + 60);
  EXPECT_EQ(content("tv.pdb"), expected);
  // The longest name keeps its terminator; longer names, or names holding NUL, are refused, not cut.
  ASSERT_EQ(xman::create_database_file(path("a.pdb"), std::string(31, 'n'), xman::kCreator, xman::kTypeCodebase, 3), 0);
  const bytes longest = zqtest::database_image(std::string(31, 'n'), "Rda1", 3, {});
  EXPECT_EQ(content("a.pdb"), longest);
  const std::pair<std::wstring, std::string> refused[] = {{path("tv.pdb"), "New"},  // exists
                                                          {folder_.device_path("missing\\x.pdb"), "New"},
                                                          {path("b.pdb"), std::string(32, 'n')},
                                                          {path("c.pdb"), std::string("a\0b", 3)}};
  for (const auto& [where, name] : refused) {
    EXPECT_EQ(xman::create_database_file(where, name, xman::kCreator, xman::kTypePreferences, 0), 1025) << name;
  }
  EXPECT_EQ(xman::write_database_name(path("a.pdb"), std::string(40, 'x')), 1025);
  EXPECT_EQ(content("a.pdb"), longest);
  EXPECT_EQ(content("tv.pdb"), expected);
  EXPECT_EQ(zqtest::listing(folder_.path()), (std::vector<std::string>{"a.pdb", "tv.pdb"}));
}

TEST_F(DatabaseFile, ReadHeaderTakesTrailingSpacesAsPaddingAndNeeds72Bytes) {
  xman::database_header header;
  for (const auto& [field, name] : {std::pair<std::string, std::string>{"Kitchen" + std::string(25, ' '), "Kitchen"},
                                    {"Living Room", "Living Room"},                // inner spaces stay
                                    {std::string(32, 'z'), std::string(32, 'z')}}) {  // no terminator
    write("h.pdb", zqtest::database_header(field, "Rdat", 7, 0));
    ASSERT_EQ(xman::read_database_header(path("h.pdb"), header), 0);
    EXPECT_EQ(header.name, name);
  }
  EXPECT_EQ(header.type, xman::kTypeCodebaseOld);
  EXPECT_EQ(header.creator, xman::kCreator);
  EXPECT_EQ(header.version, 7);
  const bytes full = zqtest::database_header("Short", "Rda1", 330, 0);
  write("72.pdb", bytes(full.begin(), full.begin() + 72));
  write("71.pdb", bytes(full.begin(), full.begin() + 71));
  EXPECT_EQ(xman::read_database_header(path("72.pdb"), header), 0);
  EXPECT_EQ(xman::read_database_header(path("71.pdb"), header), 1024);
  EXPECT_EQ(xman::read_database_header(path("none.pdb"), header), 1022);
}

TEST_F(DatabaseFile, UpdateHeaderAndWriteNameChangeOnlyTheirBytesThroughASibling) {
  bytes expected = zqtest::database_image("Original Name", "Rdat", 12, {{9, 8, 7}, {6}});
  expected[40] = 0x5A;  // a modification date that must survive
  write("d.pdb", expected);
  ASSERT_EQ(xman::update_database_header(path("d.pdb"), std::nullopt, xman::kTypeCodebase, std::uint16_t{330}), 0);
  ASSERT_EQ(xman::write_database_name(path("d.pdb"), "TV"), 0);
  ASSERT_EQ(xman::update_database_header(path("d.pdb"), xman::four_cc("ABCD"), std::nullopt, std::nullopt), 0);
  std::fill_n(expected.begin(), 32, 0);
  std::copy_n("TV", 2, expected.begin());
  expected[34] = 0x01;
  expected[35] = 0x4A;
  std::copy_n("Rda1ABCD", 8, expected.begin() + 60);
  EXPECT_EQ(content("d.pdb"), expected);
  EXPECT_EQ(zqtest::listing(folder_.path()), std::vector<std::string>{"d.pdb"});
  EXPECT_EQ(xman::update_database_header(path("gone.pdb"), std::nullopt, xman::kTypeCodebase, std::nullopt), 1022);
  EXPECT_EQ(xman::write_database_name(path("gone.pdb"), "X"), 1022);
}

TEST_F(DatabaseFile, ReadingTheHeaderOrOpeningClearsTheReadOnlyFlag) {
  write("ro.pdb", zqtest::database_image("RO", "Rda1", 330, {{1}}));
  xman::database_header header;
  for (int reader = 0; reader < 2; ++reader) {
    std::filesystem::permissions(folder_.path() / "ro.pdb", std::filesystem::perms::owner_read);
    ASSERT_EQ(reader == 0 ? xman::read_database_header(path("ro.pdb"), header)
                          : db_.open(path("ro.pdb"), mode::read_write),
              0);
    EXPECT_NE(std::filesystem::status(folder_.path() / "ro.pdb").permissions() & std::filesystem::perms::owner_write,
              std::filesystem::perms::none);
  }
}

// A file as another tool might write it: unusual attributes and IDs, a gap before the records, a
// non-zero next-record-list field and a modification number.
bytes foreign_file() {
  bytes out = zqtest::database_header("Hall", "Rdat", 300, 3, 0x11223344);
  out[48] = 0x77;  // modification number
  zqtest::append_entry(out, 110, 0x00, 17);
  zqtest::append_entry(out, 113, 0x13, 5);
  zqtest::append_entry(out, 113, 0x40, 99);  // zero-size record 1
  out.resize(110, 0xEE);                     // 8 bytes of gap after the entries
  out.insert(out.end(), {1, 2, 3, 4, 5});
  return out;
}

TEST_F(DatabaseLoad, RecordOffsetsMustLieInsideTheFileAndNeverDecrease) {
  bytes beyond = zqtest::database_header("B", "Rda1", 330, 1);
  zqtest::append_entry(beyond, 91, 0x40, 0);  // the file is 90 bytes long
  beyond.insert(beyond.end(), {0, 0, 1, 2});
  bytes at_end = beyond;
  at_end[81] = 90;  // an empty record right at the end is still inside
  bytes backwards = zqtest::database_header("D", "Rda1", 330, 2);
  zqtest::append_entry(backwards, 97, 0x40, 0);
  zqtest::append_entry(backwards, 96, 0x40, 1);
  backwards.insert(backwards.end(), {0, 0, 1, 2});
  bytes no_records = zqtest::database_header("Empty", "Prof", 0, 0);
  no_records.insert(no_records.end(), {0xFF, 0xFF, 0xFF});  // whatever follows is not looked at
  EXPECT_EQ(db_.load_image(beyond), 1024);
  EXPECT_EQ(db_.load_image(backwards), 1024);
  ASSERT_EQ(db_.load_image(at_end), 0);
  EXPECT_TRUE(db_.record(0).empty());
  ASSERT_EQ(db_.load_image(no_records), 0);
  EXPECT_EQ(db_.record_count(), 0u);
  write("back.pdb", backwards);  // a failed open leaves the object closed, whatever was open before
  EXPECT_EQ(db_.open(path("back.pdb"), mode::read_write), 1024);
  EXPECT_FALSE(db_.is_open());
  EXPECT_EQ(db_.record_count(), 0u);
  // Every truncation of a file is refused until its last record starts.
  const bytes whole = zqtest::database_image("Cut", "Rda1", 330, {{1, 2, 3, 4}, {5, 6, 7}});
  for (std::size_t size = 0; size <= whole.size(); ++size) {
    write("cut.pdb", bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)));
    const zq::result_t result = db_.open(path("cut.pdb"), mode::read_only);
    EXPECT_EQ(result, size < 100 ? 1024 : 0) << size;
    EXPECT_EQ(db_.record_count(), size < 100 ? 0u : 2u) << size;
    if (result == 0) {
      EXPECT_EQ(db_.record(1).size(), size - 100) << size;
    }
  }
}

TEST_F(DatabaseSave, LoadsAForeignLayoutAndSavesTheNormalOneKeepingTheHeader) {
  ASSERT_EQ(xman::create_database_file(path("e.pdb"), "E", xman::kCreator, xman::kTypeCodebase, 330), 0);
  ASSERT_EQ(db_.open(path("e.pdb"), mode::read_write), 0);
  db_.add_record(bytes{'a', 'b', 'c', 'd', 'e'});
  ASSERT_EQ(db_.save(), 0);
  EXPECT_EQ(content("e.pdb").size(), 93u);  // the record lands at offset 88
  EXPECT_EQ(content("e.pdb"), zqtest::database_image("E", "Rda1", 330, {{'a', 'b', 'c', 'd', 'e'}}));

  // Records come from the entry offsets, the last one running to the end, and are used in place.
  const bytes original = foreign_file();
  write("hall.pdb", original);
  EXPECT_EQ(db_.open(path("none.pdb"), mode::read_only), 1022);
  ASSERT_EQ(db_.open(path("hall.pdb"), mode::read_write), 0);
  EXPECT_EQ(db_.name(), "Hall");
  EXPECT_EQ(db_.type(), xman::kTypeCodebaseOld);
  EXPECT_EQ(db_.creator(), xman::kCreator);
  EXPECT_EQ(db_.version(), 300);
  ASSERT_EQ(db_.record_count(), 3u);
  EXPECT_EQ(db_.record(0).data() + 3, db_.record(2).data());
  db_.set_type(xman::kTypeCodebase);
  db_.set_version(330);
  ASSERT_EQ(db_.save(), 0);
  bytes expected(original.begin(), original.begin() + 78);  // header, next record list, count
  std::copy_n("Rda1", 4, expected.begin() + 60);
  expected[34] = 0x01;
  expected[35] = 0x4A;
  for (const std::uint32_t i : {0, 1, 2}) zqtest::append_entry(expected, i == 0 ? 104 : 107, 0x40, i);
  expected.insert(expected.end(), {0, 0, 1, 2, 3, 4, 5});
  EXPECT_EQ(content("hall.pdb"), expected);
  // Only the databases remain: the sibling that carried the new content has taken the name.
  EXPECT_EQ(zqtest::listing(folder_.path()), (std::vector<std::string>{"e.pdb", "hall.pdb"}));
}

TEST_F(DatabaseSave, RefusedWithoutAFileOpenForWriting) {
  write("r.pdb", zqtest::database_image("R", "Rda1", 330, {{1}}));
  EXPECT_EQ(db_.save(), 1023);  // closed
  ASSERT_EQ(db_.open(path("r.pdb"), mode::read_only), 0);
  db_.add_record(bytes{2});
  EXPECT_EQ(db_.save(), 1023);
  ASSERT_EQ(db_.load_image(content("r.pdb")), 0);
  EXPECT_EQ(db_.save(), 1023);
  EXPECT_EQ(content("r.pdb"), zqtest::database_image("R", "Rda1", 330, {{1}}));
}

TEST_F(DatabaseSave, RecordsAreCopiesThatStayValidAcrossSaves) {
  write("r.pdb", zqtest::database_image("R", "Rda1", 330, {{1}, {2, 2}, {3, 3, 3}}));
  write("r.pdb.new", {0xBA, 0xD0});  // left over by a crash during an earlier save
  ASSERT_EQ(db_.open(path("r.pdb"), mode::read_write), 0);
  const auto loaded = db_.record(2);
  bytes source{7, 7};
  db_.add_record(source);
  source[0] = 0;  // the database holds its own copy
  EXPECT_EQ(as_bytes(db_.record(3)), (bytes{7, 7}));
  db_.replace_record(1, db_.record(1));  // replacing a record by its own bytes
  EXPECT_EQ(as_bytes(db_.record(1)), (bytes{2, 2}));
  ASSERT_EQ(db_.save(), 0);
  EXPECT_EQ(as_bytes(loaded), (bytes{3, 3, 3}));
  db_.replace_record(1, bytes{9});
  db_.replace_record(3, bytes{8, 8, 8, 8});
  db_.remove_record(0);  // later records move down one index
  ASSERT_EQ(db_.save(), 0);
  EXPECT_EQ(content("r.pdb"), zqtest::database_image("R", "Rda1", 330, {{9}, {3, 3, 3}, {8, 8, 8, 8}}));
  EXPECT_EQ(zqtest::listing(folder_.path()), std::vector<std::string>{"r.pdb"});
}

}  // namespace
