#include "storage/database_catalog.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "storage/database.h"
#include "support/pdb_layout.h"
#include "support/temp_folder.h"

namespace {

namespace pdb = zqtest::pdb;
using xman::four_cc;
using names_t = std::vector<std::string>;

const xman::catalog_filter kCodebases{{xman::kCreator, xman::kTypeCodebaseOld},
                                      {xman::kCreator, xman::kTypeCodebase},
                                      {xman::kCreator, xman::kTypeCodebaseTemporary}};

class CatalogTest : public ::testing::Test {
 protected:
  zqtest::temp_folder folder_;
  xman::database_catalog catalog_;
  std::filesystem::path host(const std::string& name) const { return folder_.path() / name; }
  std::wstring path(const std::string& name) const { return folder_.device_path(name); }
  void set_up() { catalog_.set_up(folder_.device_path(), kCodebases); }
};

using CatalogScan = CatalogTest;
using CatalogUniquePath = CatalogTest;
using CatalogOperations = CatalogTest;

TEST_F(CatalogScan, IndexesByInternalNameWithinTheFilter) {
  pdb::write(host("a.pdb"), pdb::file("zebra", "Rda1", 330, {{1}}));
  pdb::write(host("b.pdb"), pdb::file("Apple", "Rdat", 200, {}));
  pdb::write(host("c.pdb"), pdb::file("Temp", "temp", 330, {}));
  pdb::write(host("d.pdb"), pdb::file("Prefs", "Prof", 0, {}));                // type outside the filter
  pdb::write(host("e.pdb"), pdb::file("Other", "Rda1", 330, {}, "XXXX"));      // creator outside the filter
  pdb::write(host("f.pdb"), pdb::bytes(40, 'x'));                              // no readable header
  pdb::write(host("g.pdb.new"), pdb::file("Sibling", "Rda1", 330, {}));        // not a .pdb file
  std::filesystem::create_directory(host("h.pdb"));                            // a folder, not a file
  set_up();

  EXPECT_EQ(catalog_.names(), (names_t{"Apple", "Temp", "zebra"}));  // byte order: upper case first
  const xman::catalog_filter listed{{xman::kCreator, xman::kTypeCodebaseOld}, {xman::kCreator, xman::kTypeCodebase}};
  EXPECT_EQ(catalog_.names(listed), (names_t{"Apple", "zebra"}));
  const auto apple = catalog_.attributes_of("Apple");
  ASSERT_TRUE(apple.has_value());
  EXPECT_EQ(apple->path, path("b.pdb"));
  EXPECT_EQ(apple->type, xman::kTypeCodebaseOld);
  EXPECT_EQ(apple->version, 200);
  EXPECT_FALSE(catalog_.path_of("Prefs").has_value());
  EXPECT_TRUE(catalog_.exists("zebra"));
  EXPECT_FALSE(catalog_.exists("Sibling"));
}

TEST_F(CatalogScan, OneNameInTwoFilesAppearsOnceAndTheLastEnumeratedWins) {
  pdb::write(host("first.pdb"), pdb::file("TV", "Rda1", 330, {}));
  pdb::write(host("second.pdb"), pdb::file("TV", "Rdat", 100, {}));
  set_up();
  EXPECT_EQ(catalog_.names(), names_t{"TV"});
  EXPECT_EQ(catalog_.path_of("TV"), path("second.pdb"));
  EXPECT_EQ(catalog_.attributes_of("TV")->version, 100);
}

TEST_F(CatalogScan, SetUpNormalisesTheFolderAndAMissingFolderIsEmpty) {
  pdb::write(host("x.pdb"), pdb::file("X", "Rda1", 330, {}));
  std::wstring device = folder_.device_path();
  device.pop_back();  // no trailing backslash
  catalog_.set_up(L"\\\\\\" + device.substr(1), kCodebases);
  EXPECT_EQ(catalog_.folder(), folder_.device_path());
  EXPECT_EQ(catalog_.names(), names_t{"X"});

  catalog_.set_up(folder_.device_path() + L"missing", kCodebases);
  EXPECT_TRUE(catalog_.names().empty());
}

TEST_F(CatalogScan, ExistsFollowsTheFileOnDisk) {
  pdb::write(host("x.pdb"), pdb::file("X", "Rda1", 330, {}));
  set_up();
  std::filesystem::remove(host("x.pdb"));
  EXPECT_TRUE(catalog_.path_of("X").has_value());
  EXPECT_FALSE(catalog_.exists("X"));
  catalog_.scan();
  EXPECT_TRUE(catalog_.names().empty());
}

TEST_F(CatalogUniquePath, ReplacesCharactersFileNamesCannotHold) {
  set_up();
  std::wstring out;
  ASSERT_EQ(catalog_.unique_path("a b\"c*d/e:f<g?h\\i>j|k", out), 0);
  EXPECT_EQ(out, folder_.device_path() + L"a_b_c_d_e_f_g_h_i_j_k.pdb");
  // 8-bit names go through the code page: 0xE9 is e-acute.
  ASSERT_EQ(catalog_.unique_path("Caf\xE9", out), 0);
  EXPECT_EQ(out, folder_.device_path() + L"Caf\u00E9.pdb");
}

TEST_F(CatalogUniquePath, ASlashNameBesideAnExistingFileGetsASuffix) {
  pdb::write(host("A_B.pdb"), pdb::file("Other", "Prof", 0, {}));
  set_up();
  ASSERT_EQ(catalog_.create("A/B", xman::kCreator, xman::kTypeCodebase, 330), 0);
  EXPECT_EQ(catalog_.path_of("A/B"), path("A_B_1.pdb"));
  EXPECT_TRUE(std::filesystem::exists(host("A_B_1.pdb")));
}

TEST_F(CatalogUniquePath, SuffixesAccumulate) {
  set_up();
  for (const char* name : {"TV.pdb", "TV_1.pdb", "TV_1_2.pdb", "TV_2.pdb"}) pdb::write(host(name), {});
  std::wstring out;
  ASSERT_EQ(catalog_.unique_path("TV", out), 0);
  EXPECT_EQ(out, path("TV_1_2_3.pdb"));
}

TEST_F(CatalogUniquePath, PathsOf260CharactersOrMoreAreRefused) {
  // A real folder whose path leaves room for exactly a 5-character file name: 254 + 5 = 259.
  const std::size_t base = folder_.device_path().size();
  const std::string sub(254 - base - 1, 'f');
  std::filesystem::create_directory(host(sub));
  catalog_.set_up(folder_.device_path() + std::wstring(sub.begin(), sub.end()), kCodebases);
  ASSERT_EQ(catalog_.folder().size(), 254u);

  std::wstring out;
  ASSERT_EQ(catalog_.unique_path("A", out), 0);  // "A.pdb" makes 259 characters
  EXPECT_EQ(out.size(), 259u);
  EXPECT_EQ(catalog_.unique_path("AB", out), 1021);
  // A free name that fits, but whose first suffix does not.
  pdb::write(host(sub) / "A.pdb", {});
  EXPECT_EQ(catalog_.unique_path("A", out), 1021);
  EXPECT_EQ(catalog_.create("A", xman::kCreator, xman::kTypeCodebase, 330), 1021);
  EXPECT_TRUE(catalog_.names().empty());
}

TEST_F(CatalogOperations, CreateMakesTheFolderAndAnEmptyDatabase) {
  catalog_.set_up(folder_.device_path() + L"Codebases", kCodebases);
  ASSERT_EQ(catalog_.create("TV", xman::kCreator, xman::kTypeCodebase, 330), 0);
  EXPECT_EQ(pdb::read(host("Codebases/TV.pdb")), pdb::file("TV", "Rda1", 330, {}));
  EXPECT_EQ(catalog_.names(), names_t{"TV"});
  EXPECT_EQ(catalog_.attributes_of("TV")->version, 330);

  EXPECT_EQ(catalog_.create("TV", xman::kCreator, xman::kTypeCodebase, 330), 1025);  // the name is taken
  EXPECT_EQ(catalog_.create(std::string(32, 'L'), xman::kCreator, xman::kTypeCodebase, 330), 1025);
  EXPECT_EQ(pdb::listing(host("Codebases")), names_t{"TV.pdb"});
}

TEST_F(CatalogOperations, RenameKeepsTheDatabaseUnderItsNewNameOnly) {
  pdb::write(host("tv.pdb"), pdb::file("TV", "Rdat", 123, {{1, 2}, {3}}));
  set_up();
  ASSERT_EQ(catalog_.rename("TV", "Bed Room"), 0);

  EXPECT_EQ(catalog_.names(), names_t{"Bed Room"});
  const auto entry = catalog_.attributes_of("Bed Room");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->path, path("Bed_Room.pdb"));
  EXPECT_EQ(entry->creator, xman::kCreator);
  EXPECT_EQ(entry->type, xman::kTypeCodebaseOld);
  EXPECT_EQ(entry->version, 123);
  EXPECT_EQ(pdb::listing(folder_.path()), names_t{"Bed_Room.pdb"});
  EXPECT_EQ(pdb::read(host("Bed_Room.pdb")), pdb::file("Bed Room", "Rdat", 123, {{1, 2}, {3}}));

  xman::database_catalog fresh;
  fresh.set_up(folder_.device_path(), kCodebases);
  EXPECT_EQ(fresh.names(), names_t{"Bed Room"});
}

TEST_F(CatalogOperations, RenameAndDuplicateCheckBothNames) {
  pdb::write(host("a.pdb"), pdb::file("A", "Rda1", 330, {}));
  pdb::write(host("b.pdb"), pdb::file("B", "Rda1", 330, {}));
  set_up();
  EXPECT_EQ(catalog_.rename("Missing", "C"), 1023);
  EXPECT_EQ(catalog_.duplicate("Missing", "C"), 1023);
  EXPECT_EQ(catalog_.rename("A", "B"), 1025);
  EXPECT_EQ(catalog_.duplicate("A", "B"), 1025);
  EXPECT_EQ(catalog_.rename("A", std::string(31, 'n') + "x"), 1025);
  EXPECT_EQ(catalog_.rename("A", "A"), 0);
  EXPECT_EQ(pdb::listing(folder_.path()), (names_t{"a.pdb", "b.pdb"}));
  EXPECT_EQ(catalog_.names(), (names_t{"A", "B"}));
}

TEST_F(CatalogOperations, DuplicateCopiesRecordsUnderTheNewName) {
  pdb::write(host("tv.pdb"), pdb::file("TV", "Rda1", 330, {{4, 5, 6}}));
  set_up();
  ASSERT_EQ(catalog_.duplicate("TV", "TV copy"), 0);
  EXPECT_EQ(catalog_.names(), (names_t{"TV", "TV copy"}));
  EXPECT_EQ(pdb::read(host("tv.pdb")), pdb::file("TV", "Rda1", 330, {{4, 5, 6}}));
  EXPECT_EQ(pdb::read(host("TV_copy.pdb")), pdb::file("TV copy", "Rda1", 330, {{4, 5, 6}}));
  EXPECT_EQ(catalog_.attributes_of("TV copy")->type, xman::kTypeCodebase);
}

TEST_F(CatalogOperations, RemoveDeletesTheFileAndAnUnknownNameIsFine) {
  pdb::write(host("tv.pdb"), pdb::file("TV", "Rda1", 330, {}));
  set_up();
  std::filesystem::permissions(host("tv.pdb"), std::filesystem::perms::owner_read);
  EXPECT_EQ(catalog_.remove("Unknown"), 0);
  ASSERT_EQ(catalog_.remove("TV"), 0);
  EXPECT_TRUE(catalog_.names().empty());
  EXPECT_TRUE(pdb::listing(folder_.path()).empty());
}

TEST_F(CatalogOperations, SetAttributesWritesTheHeaderThenTheCatalog) {
  pdb::write(host("tv.pdb"), pdb::file("TV", "Rda1", 330, {{1}}));
  set_up();
  ASSERT_EQ(catalog_.set_attributes("TV", std::nullopt, xman::kTypeCodebaseTemporary, std::nullopt), 0);
  EXPECT_EQ(pdb::read(host("tv.pdb")), pdb::file("TV", "temp", 330, {{1}}));
  EXPECT_EQ(catalog_.attributes_of("TV")->type, xman::kTypeCodebaseTemporary);
  EXPECT_EQ(catalog_.set_attributes("Nope", std::nullopt, xman::kTypeCodebase, std::nullopt), 1023);

  catalog_.set_attributes_in_catalog("TV", std::nullopt, std::nullopt, std::uint16_t{1});
  EXPECT_EQ(catalog_.attributes_of("TV")->version, 1);
  EXPECT_EQ(pdb::read(host("tv.pdb")), pdb::file("TV", "temp", 330, {{1}}));
}

class CatalogBeam : public CatalogTest {
 protected:
  // The catalog lives in the "\Codebases" folder of a device root made for the test.
  void SetUp() override {
    std::filesystem::create_directory(root_.path() / "Codebases");
    pdb::write(root_.path() / "Codebases" / "tv.pdb", pdb::file("TV", "Rda1", 330, {}));
    platform::set_device_root(root_.path());
    catalog_.set_up(L"\\Codebases", kCodebases);
  }
  void TearDown() override { platform::set_device_root("/"); }
  zqtest::temp_folder root_;
};

TEST_F(CatalogBeam, WithoutABeamingProgramNothingStarts) {
  ASSERT_EQ(catalog_.names(), names_t{"TV"});
  EXPECT_EQ(catalog_.beam("TV"), -1);
  // With a beaming program present, the name is looked up (and this host cannot start it).
  std::filesystem::create_directory(root_.path() / "Windows");
  pdb::write(root_.path() / "Windows" / "beam.exe", {});
  EXPECT_EQ(catalog_.beam("Nope"), 1023);
  EXPECT_EQ(catalog_.beam("TV"), -1);
}

}  // namespace
