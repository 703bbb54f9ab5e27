#include "storage/codebase_catalog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_system.h"
#include "storage/codebase.h"
#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace {

using zqtest::bytes;

class CodebaseCatalog : public ::testing::Test {
 protected:
  void SetUp() override { databases_.set_up(folder_.device_path(), xman::codebase_catalog::filter()); }
  void TearDown() override { platform::file_faults::reset(); }

  void write(const std::string& file, std::string_view name, const char (&type)[5], std::uint16_t version,
             const char (&creator)[5] = "zQed") {
    zqtest::write_bytes(folder_.path() / file,
                        zqtest::database_image(name, type, version, {zqtest::remote_layout_record()}, creator));
  }

  std::vector<std::string> pdb_files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
      if (entry.path().extension() == ".pdb") names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  zqtest::temp_folder folder_;
  xman::database_catalog databases_;
  xman::codebase_catalog codebases_{databases_};
};

TEST_F(CodebaseCatalog, ListShowsCodebasesButNotWorkingCopies) {
  write("b.pdb", "Beta", "Rdat", 100);
  write("a.pdb", "Alpha", "Rda1", 330);
  write("w.pdb", "Work", "temp", 330);
  write("p.pdb", "Profile", "dPrf", 0);
  write("x.pdb", "Foreign", "Rda1", 330, "abcd");
  EXPECT_TRUE(codebases_.list(false).empty());  // nothing scanned yet
  EXPECT_EQ(codebases_.list(true), (std::vector<std::string>{"Alpha", "Beta"}));
  // The working copy is still in the catalog and can be opened.
  EXPECT_TRUE(codebases_.exists("Work"));
  EXPECT_FALSE(codebases_.exists("Profile"));
}

TEST_F(CodebaseCatalog, CreateWritesTheExactFile) {
  const std::vector<bytes> records{zqtest::signal_v2_record("Power", {{26, 0, {9000, -4500}}}),
                                   zqtest::macro_record("All", {0x02})};
  ASSERT_EQ(codebases_.create("Living TV", zqtest::remote_layout_record(), records), 0);
  EXPECT_EQ(pdb_files(), (std::vector<std::string>{"Living_TV.pdb"}));
  std::vector<bytes> expected{zqtest::remote_layout_record()};
  expected.insert(expected.end(), records.begin(), records.end());
  EXPECT_EQ(zqtest::read_bytes(folder_.path() / "Living_TV.pdb"),
            zqtest::database_image("Living TV", "Rda1", 330, expected));
  EXPECT_EQ(codebases_.list(false), (std::vector<std::string>{"Living TV"}));
  xman::codebase codebase(databases_);
  ASSERT_EQ(codebase.open("Living TV"), 0);
  EXPECT_EQ(codebase.signal_index_of("Power"), 1);
  EXPECT_EQ(codebase.macro_index_of("All"), 2);
}

TEST_F(CodebaseCatalog, CreateRefusesANameInUse) {
  write("TV.pdb", "TV", "Rda1", 330);
  databases_.scan();
  const bytes before = zqtest::read_bytes(folder_.path() / "TV.pdb");
  EXPECT_EQ(codebases_.create("TV", zqtest::remote_layout_record()), 1025);
  EXPECT_EQ(pdb_files(), (std::vector<std::string>{"TV.pdb"}));
  EXPECT_EQ(zqtest::read_bytes(folder_.path() / "TV.pdb"), before);
}

TEST_F(CodebaseCatalog, FailedCreateLeavesNoHalfMadeCodebase) {
  const std::vector<bytes> records{zqtest::signal_v2_record("Power", {{26, 0, {9000, -4500}}})};
  // Fail each file operation of a creation in turn.
  platform::file_faults::reset();
  ASSERT_EQ(codebases_.create("Probe", zqtest::remote_layout_record(), records), 0);
  const long operations = platform::file_faults::operations();
  ASSERT_EQ(codebases_.remove("Probe"), 0);
  ASSERT_GT(operations, 2);
  int failures = 0;
  for (long n = 1; n <= operations; ++n) {
    platform::file_faults::reset();
    platform::file_faults::fail_operation(n);
    const zq::result_t result = codebases_.create("TV", zqtest::remote_layout_record(), records);
    platform::file_faults::reset();
    if (result == 0) {
      // The failing step was one whose failure does not matter (such as making the folder).
      xman::codebase codebase(databases_);
      ASSERT_EQ(codebase.open("TV"), 0) << n;
      EXPECT_EQ(codebase.signal_index_of("Power"), 1) << n;
      codebase.close();
      ASSERT_EQ(codebases_.remove("TV"), 0);
    } else {
      ++failures;
      EXPECT_FALSE(codebases_.exists("TV")) << n;
      EXPECT_FALSE(databases_.path_of("TV")) << n;
    }
    EXPECT_TRUE(pdb_files().empty()) << "after failing operation " << n;
    databases_.scan();
    EXPECT_TRUE(codebases_.list(false).empty()) << n;
  }
  EXPECT_GT(failures, 0);
}

TEST_F(CodebaseCatalog, MarksSwitchTheTypeOnDisk) {
  ASSERT_EQ(codebases_.create("TV", zqtest::remote_layout_record()), 0);
  ASSERT_EQ(codebases_.mark_temporary("TV"), 0);
  EXPECT_TRUE(codebases_.list(false).empty());
  EXPECT_TRUE(codebases_.list(true).empty());  // on disk too, not only in the catalog
  ASSERT_EQ(codebases_.mark_current("TV"), 0);
  EXPECT_EQ(codebases_.list(true), (std::vector<std::string>{"TV"}));
  xman::database_header header;
  ASSERT_EQ(xman::read_database_header(folder_.device_path("TV.pdb"), header), 0);
  EXPECT_EQ(header.type, xman::four_cc("Rda1"));
}

TEST_F(CodebaseCatalog, TooNewOnlyForCurrentKindAboveTheKnownVersion) {
  write("a.pdb", "Current", "Rda1", 330);
  write("b.pdb", "Newer", "Rda1", 331);
  write("c.pdb", "OldNumbered", "Rdat", 400);
  databases_.scan();
  EXPECT_FALSE(codebases_.is_too_new("Current"));
  EXPECT_TRUE(codebases_.is_too_new("Newer"));
  EXPECT_FALSE(codebases_.is_too_new("OldNumbered"));
  EXPECT_FALSE(codebases_.is_too_new("Missing"));
}

TEST_F(CodebaseCatalog, ConvertRewritesOnlyTheHeader) {
  write("old.pdb", "Old", "Rdat", 12);
  write("work.pdb", "Work", "temp", 330);
  databases_.scan();
  bytes expected = zqtest::read_bytes(folder_.path() / "old.pdb");
  ASSERT_EQ(codebases_.convert("Old"), 0);
  // Only the version (34..35) and type (60..63) bytes change.
  expected[34] = 330 >> 8;
  expected[35] = 330 & 0xFF;
  expected[63] = '1';
  EXPECT_EQ(zqtest::read_bytes(folder_.path() / "old.pdb"), expected);
  EXPECT_EQ(databases_.attributes_of("Old")->type, xman::four_cc("Rda1"));
  EXPECT_EQ(databases_.attributes_of("Old")->version, 330);

  const bytes work = zqtest::read_bytes(folder_.path() / "work.pdb");
  EXPECT_EQ(codebases_.convert("Work"), 1043);
  EXPECT_EQ(zqtest::read_bytes(folder_.path() / "work.pdb"), work);
  EXPECT_EQ(codebases_.convert("Missing"), 1023);
}

}  // namespace
