#include "storage/database.h"

#include <gtest/gtest.h>

#include <string>

#include "base/byte_order.h"
#include "support/pdb_layout.h"
#include "support/temp_folder.h"

namespace {

namespace pdb = zqtest::pdb;
using xman::database;
using mode = xman::database::open_mode_t;

pdb::bytes as_bytes(std::span<const std::uint8_t> data) { return pdb::bytes(data.begin(), data.end()); }

class DatabaseTest : public ::testing::Test {
 protected:
  zqtest::temp_folder folder_;
  std::wstring path(const std::string& name) const { return folder_.device_path(name); }
  std::filesystem::path host(const std::string& name) const { return folder_.path() / name; }
};

using DatabaseLoad = DatabaseTest;
using DatabaseSave = DatabaseTest;
using DatabaseRecords = DatabaseTest;

// A file as another tool might write it: unusual attributes and IDs, a gap before the records,
// a non-zero next-record-list field and a modification number.
pdb::bytes foreign_file() {
  pdb::bytes out = pdb::header("Hall", "Rdat", "zQed", 300, 3, 0x11223344);
  out[48] = 0x77;  // modification number
  pdb::append_entry(out, 110, 0x00, 17);
  pdb::append_entry(out, 113, 0x13, 5);
  pdb::append_entry(out, 113, 0x40, 99);  // zero-size record 1
  out.resize(110, 0xEE);                  // 8 bytes of gap after the entries
  for (std::uint8_t b : {1, 2, 3, 4, 5}) out.push_back(b);
  return out;
}

TEST_F(DatabaseLoad, TakesRecordsFromTheEntryOffsetsInPlace) {
  pdb::write(host("hall.pdb"), foreign_file());
  database db;
  ASSERT_EQ(db.open(path("hall.pdb"), mode::read_only), 0);
  EXPECT_EQ(db.name(), "Hall");
  EXPECT_EQ(db.type(), xman::kTypeCodebaseOld);
  EXPECT_EQ(db.creator(), xman::kCreator);
  EXPECT_EQ(db.version(), 300);
  ASSERT_EQ(db.record_count(), 3u);
  EXPECT_EQ(as_bytes(db.record(0)), (pdb::bytes{1, 2, 3}));
  EXPECT_TRUE(db.record(1).empty());
  EXPECT_EQ(as_bytes(db.record(2)), (pdb::bytes{4, 5}));  // the last record runs to the end
  // Loaded records lie back to back inside one image.
  EXPECT_EQ(db.record(0).data() + 3, db.record(2).data());
}

TEST_F(DatabaseLoad, ZeroRecordsNeedNoEntries) {
  pdb::bytes bytes = pdb::header("Empty", "Prof", "zQed", 0, 0);
  bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF});  // whatever follows is not looked at
  database db;
  ASSERT_EQ(db.load_image(bytes), 0);
  EXPECT_TRUE(db.is_open());
  EXPECT_EQ(db.record_count(), 0u);
  EXPECT_EQ(db.name(), "Empty");
}

TEST_F(DatabaseLoad, EveryTruncationIsRejectedUntilTheLastRecordStarts) {
  const pdb::bytes whole = pdb::file("Cut", "Rda1", 330, {{1, 2, 3, 4}, {5, 6, 7}});
  const std::size_t last_record = 80 + 16 + 4;
  for (std::size_t size = 0; size <= whole.size(); ++size) {
    SCOPED_TRACE(size);
    pdb::write(host("cut.pdb"), pdb::bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)));
    database db;
    const zq::result_t result = db.open(path("cut.pdb"), mode::read_only);
    if (size < last_record) {
      EXPECT_EQ(result, 1024);
      EXPECT_FALSE(db.is_open());
    } else {
      ASSERT_EQ(result, 0);
      ASSERT_EQ(db.record_count(), 2u);
      EXPECT_EQ(db.record(1).size(), size - last_record);
    }
  }
}

TEST_F(DatabaseLoad, RejectsOffsetsBeyondTheFileOrGoingBackwards) {
  pdb::bytes beyond = pdb::header("B", "Rda1", "zQed", 330, 1);
  pdb::append_entry(beyond, 91, 0x40, 0);  // the file is 90 bytes long
  beyond.insert(beyond.end(), {0, 0, 1, 2});
  ASSERT_EQ(beyond.size(), 90u);
  pdb::bytes at_end = beyond;
  at_end[81] = 90;  // an empty record right at the end is still inside

  pdb::bytes backwards = pdb::header("D", "Rda1", "zQed", 330, 2);
  pdb::append_entry(backwards, 97, 0x40, 0);
  pdb::append_entry(backwards, 96, 0x40, 1);
  backwards.insert(backwards.end(), {0, 0, 1, 2});

  database db;
  EXPECT_EQ(db.load_image(beyond), 1024);
  EXPECT_EQ(db.load_image(backwards), 1024);
  ASSERT_EQ(db.load_image(at_end), 0);
  EXPECT_TRUE(db.record(0).empty());

  // A failed open leaves the object closed, even when another file was open before.
  pdb::write(host("back.pdb"), backwards);
  EXPECT_EQ(db.open(path("back.pdb"), mode::read_write), 1024);
  EXPECT_FALSE(db.is_open());
  EXPECT_EQ(db.record_count(), 0u);
}

TEST_F(DatabaseLoad, MissingFileIsASystemError) {
  database db;
  EXPECT_EQ(db.open(path("none.pdb"), mode::read_only), 1022);
  EXPECT_FALSE(db.is_open());
}

TEST_F(DatabaseLoad, OpeningClearsTheReadOnlyFlag) {
  pdb::write(host("ro.pdb"), pdb::file("RO", "Rda1", 330, {{1}}));
  std::filesystem::permissions(host("ro.pdb"), std::filesystem::perms::owner_read);
  database db;
  ASSERT_EQ(db.open(path("ro.pdb"), mode::read_write), 0);
  EXPECT_NE(std::filesystem::status(host("ro.pdb")).permissions() & std::filesystem::perms::owner_write,
            std::filesystem::perms::none);
}

TEST_F(DatabaseSave, OneRecordAfterTheEmptyDatabaseLandsAtOffset88) {
  ASSERT_EQ(xman::create_database_file(path("e.pdb"), "E", xman::kCreator, xman::kTypeCodebase, 330), 0);
  database db;
  ASSERT_EQ(db.open(path("e.pdb"), mode::read_write), 0);
  EXPECT_EQ(db.record_count(), 0u);
  const pdb::bytes record{'a', 'b', 'c', 'd', 'e'};
  db.add_record(record);
  ASSERT_EQ(db.save(), 0);

  const pdb::bytes saved = pdb::read(host("e.pdb"));
  ASSERT_EQ(saved.size(), 80u + 8u + record.size());
  EXPECT_EQ(zq::load_be16(saved.data() + 76), 1);
  EXPECT_EQ(zq::load_be32(saved.data() + 78), 88u);
  EXPECT_EQ(saved[82], 0x40);
  EXPECT_EQ(zq::load_be16(saved.data() + 86), 0);  // the two zero bytes
  EXPECT_EQ(pdb::bytes(saved.begin() + 88, saved.end()), record);
  EXPECT_EQ(saved, pdb::file("E", "Rda1", 330, {record}));
}

TEST_F(DatabaseSave, RewritesTheLayoutKeepingTheHeaderAndNextRecordList) {
  const pdb::bytes original = foreign_file();
  pdb::write(host("hall.pdb"), original);
  database db;
  ASSERT_EQ(db.open(path("hall.pdb"), mode::read_write), 0);
  ASSERT_EQ(db.save(), 0);

  const pdb::bytes saved = pdb::read(host("hall.pdb"));
  pdb::bytes expected(original.begin(), original.begin() + 78);  // header, next record list, count
  pdb::append_entry(expected, 104, 0x40, 0);
  pdb::append_entry(expected, 107, 0x40, 1);
  pdb::append_entry(expected, 107, 0x40, 2);
  expected.insert(expected.end(), {0, 0, 1, 2, 3, 4, 5});
  EXPECT_EQ(saved, expected);
  // Only the database remains: the sibling that carried the new content has taken its name.
  EXPECT_EQ(pdb::listing(folder_.path()), std::vector<std::string>{"hall.pdb"});
}

TEST_F(DatabaseSave, WritesTypeAndVersionChangedInMemory) {
  pdb::write(host("old.pdb"), pdb::file("Old", "Rdat", 100, {{1}}));
  database db;
  ASSERT_EQ(db.open(path("old.pdb"), mode::read_write), 0);
  db.set_type(xman::kTypeCodebase);
  db.set_version(330);
  ASSERT_EQ(db.save(), 0);
  EXPECT_EQ(pdb::read(host("old.pdb")), pdb::file("Old", "Rda1", 330, {{1}}));
}

TEST_F(DatabaseSave, RefusedWithoutAFileOpenForWriting) {
  pdb::write(host("r.pdb"), pdb::file("R", "Rda1", 330, {{1}}));
  const pdb::bytes before = pdb::read(host("r.pdb"));
  database db;
  EXPECT_EQ(db.save(), 1023);  // closed
  ASSERT_EQ(db.open(path("r.pdb"), mode::read_only), 0);
  db.add_record(pdb::bytes{2});
  EXPECT_EQ(db.save(), 1023);
  EXPECT_EQ(pdb::read(host("r.pdb")), before);
  ASSERT_EQ(db.load_image(before), 0);
  EXPECT_EQ(db.save(), 1023);
}

TEST_F(DatabaseSave, KeepsRecordsValidAndTheFileOpenForTheNextSave) {
  pdb::write(host("k.pdb"), pdb::file("K", "Rda1", 330, {{1, 1}, {2, 2}}));
  pdb::write(host("k.pdb.new"), {0xBA, 0xD0});  // left over by a crash during an earlier save
  database db;
  ASSERT_EQ(db.open(path("k.pdb"), mode::read_write), 0);
  const auto loaded = db.record(0);
  db.add_record(pdb::bytes{3});
  ASSERT_EQ(db.save(), 0);
  EXPECT_EQ(as_bytes(loaded), (pdb::bytes{1, 1}));
  db.remove_record(0);
  ASSERT_EQ(db.save(), 0);
  EXPECT_EQ(pdb::read(host("k.pdb")), pdb::file("K", "Rda1", 330, {{2, 2}, {3}}));
  EXPECT_EQ(pdb::listing(folder_.path()), std::vector<std::string>{"k.pdb"});
}

TEST_F(DatabaseRecords, AddReplaceAndRemoveWorkOnCopies) {
  pdb::write(host("r.pdb"), pdb::file("R", "Rda1", 330, {{1}, {2, 2}, {3, 3, 3}}));
  database db;
  ASSERT_EQ(db.open(path("r.pdb"), mode::read_write), 0);

  pdb::bytes source{7, 7};
  db.add_record(source);
  source[0] = 0;  // the database holds its own copy
  EXPECT_EQ(as_bytes(db.record(3)), (pdb::bytes{7, 7}));

  db.replace_record(1, db.record(1));  // replacing a record by its own bytes
  EXPECT_EQ(as_bytes(db.record(1)), (pdb::bytes{2, 2}));
  db.replace_record(1, pdb::bytes{9});
  db.replace_record(3, pdb::bytes{8, 8, 8, 8});
  db.remove_record(0);  // later records move down one index
  ASSERT_EQ(db.record_count(), 3u);
  EXPECT_EQ(as_bytes(db.record(0)), (pdb::bytes{9}));
  EXPECT_EQ(as_bytes(db.record(1)), (pdb::bytes{3, 3, 3}));
  EXPECT_EQ(as_bytes(db.record(2)), (pdb::bytes{8, 8, 8, 8}));

  ASSERT_EQ(db.save(), 0);
  db.close();
  EXPECT_FALSE(db.is_open());
  ASSERT_EQ(db.open(path("r.pdb"), mode::read_only), 0);
  ASSERT_EQ(db.record_count(), 3u);
  EXPECT_EQ(as_bytes(db.record(2)), (pdb::bytes{8, 8, 8, 8}));
}

TEST_F(DatabaseRecords, MemoryImageLoadsLikeTheFile) {
  const pdb::bytes image = foreign_file();
  pdb::write(host("f.pdb"), image);
  database from_file;
  database from_memory;
  ASSERT_EQ(from_file.open(path("f.pdb"), mode::read_only), 0);
  ASSERT_EQ(from_memory.load_image(image), 0);
  ASSERT_EQ(from_memory.record_count(), from_file.record_count());
  for (std::size_t i = 0; i < from_file.record_count(); ++i) {
    EXPECT_EQ(as_bytes(from_memory.record(i)), as_bytes(from_file.record(i)));
  }
  EXPECT_EQ(from_memory.name(), from_file.name());
  EXPECT_TRUE(from_memory.path().empty());
}

}  // namespace
