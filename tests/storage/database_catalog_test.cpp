#include "storage/database_catalog.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace {

using zqtest::bytes;
using names_t = std::vector<std::string>;

const xman::catalog_filter kCodebases{{xman::kCreator, xman::kTypeCodebaseOld},
                                      {xman::kCreator, xman::kTypeCodebase},
                                      {xman::kCreator, xman::kTypeCodebaseTemporary}};

class Catalog : public ::testing::Test {
 protected:
  std::wstring path(const std::string& name) const { return folder_.device_path(name); }
  bytes content(const std::string& name) const { return zqtest::read_bytes(folder_.path() / name); }
  void write(const std::string& file, std::string_view name, const char (&type)[5] = "Rda1",
             std::uint16_t version = 330, const std::vector<bytes>& records = {}) const {
    zqtest::write_bytes(folder_.path() / file, zqtest::database_image(name, type, version, records));
  }
  names_t files() const { return zqtest::listing(folder_.path()); }
  zqtest::temp_folder folder_;
  xman::database_catalog catalog_;
};

TEST_F(Catalog, ScanIndexesByInternalNameWithinTheFilter) {
  write("a.pdb", "zebra", "Rda1", 330, {{1}});
  write("b.pdb", "Apple", "Rdat", 200);
  write("c.pdb", "Temp", "temp");
  // Left out: another type, another creator, no readable header, not a .pdb file, a folder.
  write("d.pdb", "Prefs", "Prof", 0);
  zqtest::write_bytes(folder_.path() / "e.pdb", zqtest::database_image("Other", "Rda1", 330, {}, "XXXX"));
  zqtest::write_bytes(folder_.path() / "f.pdb", bytes(40, 'x'));
  write("g.pdb.new", "Sibling");
  std::filesystem::create_directory(folder_.path() / "h.pdb");
  write("s1.pdb", "TV", "Rda1", 330);  // one name in two files: listed once, the last enumerated wins
  write("s2.pdb", "TV", "Rdat", 100);
  std::wstring device = folder_.device_path();
  device.pop_back();  // a run of leading backslashes and no trailing one are normalised
  catalog_.set_up(L"\\\\\\" + device.substr(1), kCodebases);
  EXPECT_EQ(catalog_.folder(), folder_.device_path());
  EXPECT_EQ(catalog_.names(), (names_t{"Apple", "TV", "Temp", "zebra"}));  // byte order: upper case first
  const xman::catalog_filter listed{{xman::kCreator, xman::kTypeCodebaseOld}, {xman::kCreator, xman::kTypeCodebase}};
  EXPECT_EQ(catalog_.names(listed), (names_t{"Apple", "TV", "zebra"}));
  const auto apple = catalog_.attributes_of("Apple");
  ASSERT_TRUE(apple.has_value());
  EXPECT_EQ(apple->path, path("b.pdb"));
  EXPECT_EQ(apple->creator, xman::kCreator);
  EXPECT_EQ(apple->type, xman::kTypeCodebaseOld);
  EXPECT_EQ(apple->version, 200);
  EXPECT_EQ(catalog_.path_of("TV"), path("s2.pdb"));
  EXPECT_EQ(catalog_.attributes_of("TV")->version, 100);
  EXPECT_FALSE(catalog_.path_of("Prefs").has_value());
  // exists() asks the disk; names() the catalog until the next scan.
  std::filesystem::remove(folder_.path() / "a.pdb");
  EXPECT_TRUE(catalog_.path_of("zebra").has_value());
  EXPECT_FALSE(catalog_.exists("zebra"));
  catalog_.scan();
  EXPECT_EQ(catalog_.names(listed), (names_t{"Apple", "TV"}));
  catalog_.set_up(folder_.device_path() + L"missing", kCodebases);
  EXPECT_TRUE(catalog_.names().empty());
}

TEST_F(Catalog, CreateMakesTheFolderAndAUniqueFilePath) {
  catalog_.set_up(folder_.device_path() + L"Codebases", kCodebases);
  ASSERT_EQ(catalog_.create("A*B", xman::kCreator, xman::kTypeCodebase, 330), 0);
  ASSERT_EQ(catalog_.create("A/B", xman::kCreator, xman::kTypeCodebase, 330), 0);
  EXPECT_EQ(content("Codebases/A_B.pdb"), zqtest::database_image("A*B", "Rda1", 330, {}));
  EXPECT_EQ(content("Codebases/A_B_1.pdb"), zqtest::database_image("A/B", "Rda1", 330, {}));
  EXPECT_EQ(catalog_.names(), (names_t{"A*B", "A/B"}));
  EXPECT_EQ(catalog_.attributes_of("A/B")->version, 330);
  EXPECT_EQ(catalog_.create("A/B", xman::kCreator, xman::kTypeCodebase, 330), 1025);  // the name is taken
  EXPECT_EQ(catalog_.create(std::string(32, 'L'), xman::kCreator, xman::kTypeCodebase, 330), 1025);
  EXPECT_EQ(zqtest::listing(folder_.path() / "Codebases"), (names_t{"A_B.pdb", "A_B_1.pdb"}));

  for (const char* name : {"TV.pdb", "TV_1.pdb", "TV_1_2.pdb", "TV_2.pdb"}) write(name, "x", "Prof", 0);
  catalog_.set_up(folder_.device_path(), kCodebases);
  // Characters a file name cannot hold become '_'; 8-bit names go through the code page; suffixes
  // accumulate.
  using unique_case = std::pair<std::string, std::wstring>;
  for (const auto& [name, file] : {unique_case{"a b\"c*d:e<f?g\\h>i|j", L"a_b_c_d_e_f_g_h_i_j.pdb"},
                                   unique_case{"Caf\xE9", L"Caf\u00E9.pdb"}, unique_case{"TV", L"TV_1_2_3.pdb"}}) {
    std::wstring out;
    ASSERT_EQ(catalog_.unique_path(name, out), 0) << name;
    EXPECT_EQ(out, folder_.device_path() + file) << name;
  }
}

TEST_F(Catalog, PathsOf260CharactersOrMoreAreRefused) {
  // A real folder whose path leaves room for exactly a 5-character file name: 254 + 5 = 259.
  const std::string sub(254 - folder_.device_path().size() - 1, 'f');
  std::filesystem::create_directory(folder_.path() / sub);
  catalog_.set_up(folder_.device_path() + std::wstring(sub.begin(), sub.end()), kCodebases);
  ASSERT_EQ(catalog_.folder().size(), 254u);
  std::wstring out;
  ASSERT_EQ(catalog_.unique_path("A", out), 0);  // "A.pdb" makes 259 characters
  EXPECT_EQ(out.size(), 259u);
  EXPECT_EQ(catalog_.unique_path("AB", out), 1021);
  zqtest::write_bytes(folder_.path() / sub / "A.pdb", {});  // a free name that fits, its first suffix not
  EXPECT_EQ(catalog_.unique_path("A", out), 1021);
  EXPECT_EQ(catalog_.create("A", xman::kCreator, xman::kTypeCodebase, 330), 1021);
  EXPECT_TRUE(catalog_.names().empty());
}

TEST_F(Catalog, RenameAndDuplicateWriteTheNewNameIntoTheirFile) {
  write("tv.pdb", "TV", "Rdat", 123, {{1, 2}, {3}});
  write("b.pdb", "B");
  catalog_.set_up(folder_.device_path(), kCodebases);
  ASSERT_EQ(catalog_.duplicate("TV", "TV copy"), 0);
  ASSERT_EQ(catalog_.rename("TV", "Bed Room"), 0);
  const auto entry = catalog_.attributes_of("Bed Room");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->path, path("Bed_Room.pdb"));
  EXPECT_EQ(entry->type, xman::kTypeCodebaseOld);
  EXPECT_EQ(entry->version, 123);
  EXPECT_EQ(catalog_.attributes_of("TV copy")->type, xman::kTypeCodebaseOld);
  EXPECT_EQ(content("Bed_Room.pdb"), zqtest::database_image("Bed Room", "Rdat", 123, {{1, 2}, {3}}));
  EXPECT_EQ(content("TV_copy.pdb"), zqtest::database_image("TV copy", "Rdat", 123, {{1, 2}, {3}}));
  EXPECT_EQ(catalog_.rename("Missing", "C"), 1023);
  EXPECT_EQ(catalog_.duplicate("Missing", "C"), 1023);
  EXPECT_EQ(catalog_.rename("B", "TV copy"), 1025);
  EXPECT_EQ(catalog_.duplicate("B", "TV copy"), 1025);
  EXPECT_EQ(catalog_.rename("B", std::string(31, 'n') + "x"), 1025);
  EXPECT_EQ(catalog_.rename("B", "B"), 0);
  EXPECT_EQ(files(), (names_t{"Bed_Room.pdb", "TV_copy.pdb", "b.pdb"}));
  xman::database_catalog fresh;
  fresh.set_up(folder_.device_path(), kCodebases);
  EXPECT_EQ(catalog_.names(), (names_t{"B", "Bed Room", "TV copy"}));
  EXPECT_EQ(fresh.names(), catalog_.names());
}

TEST_F(Catalog, SetAttributesWritesTheHeaderThenTheCatalogAndRemoveDeletesEvenReadOnlyFiles) {
  write("tv.pdb", "TV", "Rda1", 330, {{1}});
  catalog_.set_up(folder_.device_path(), kCodebases);
  ASSERT_EQ(catalog_.set_attributes("TV", std::nullopt, xman::kTypeCodebaseTemporary, std::nullopt), 0);
  EXPECT_EQ(catalog_.attributes_of("TV")->type, xman::kTypeCodebaseTemporary);
  EXPECT_EQ(catalog_.set_attributes("Nope", std::nullopt, xman::kTypeCodebase, std::nullopt), 1023);
  catalog_.set_attributes_in_catalog("TV", std::nullopt, std::nullopt, std::uint16_t{1});
  EXPECT_EQ(catalog_.attributes_of("TV")->version, 1);
  EXPECT_EQ(content("tv.pdb"), zqtest::database_image("TV", "temp", 330, {{1}}));
  std::filesystem::permissions(folder_.path() / "tv.pdb", std::filesystem::perms::owner_read);
  EXPECT_EQ(catalog_.remove("Unknown"), 0);
  ASSERT_EQ(catalog_.remove("TV"), 0);
  EXPECT_TRUE(catalog_.names().empty());
  EXPECT_TRUE(files().empty());
}

// The catalog lives in the "\Codebases" folder of a device root made for the test.
TEST_F(Catalog, BeamStartsNothingWithoutABeamingProgram) {
  std::filesystem::create_directory(folder_.path() / "Codebases");
  write("Codebases/tv.pdb", "TV");
  platform::set_device_root(folder_.path());
  catalog_.set_up(L"\\Codebases", kCodebases);
  EXPECT_EQ(catalog_.names(), names_t{"TV"});
  EXPECT_EQ(catalog_.beam("TV"), -1);
  // With a beaming program present, the name is looked up (and this host cannot start it).
  std::filesystem::create_directory(folder_.path() / "Windows");
  zqtest::write_bytes(folder_.path() / "Windows" / "beam.exe", {});
  EXPECT_EQ(catalog_.beam("Nope"), 1023);
  EXPECT_EQ(catalog_.beam("TV"), -1);
  platform::set_device_root("/");
}

}  // namespace
