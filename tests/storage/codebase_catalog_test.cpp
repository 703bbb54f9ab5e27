#include "storage/codebase_catalog.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "storage/codebase.h"
#include "storage/codebase_version.h"
#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace {

using zqtest::bytes;
using names_t = std::vector<std::string>;
using xman::four_cc;

TEST(CodebaseVersion, ConversionAndTooNewFollowTheKindRules) {
  struct version_case {
    four_cc type;
    std::uint16_t version;
    zq::result_t result;
    four_cc new_type;
    std::uint16_t new_version;
    bool too_new;
  };
  const version_case cases[] = {
      {four_cc("Rdat"), 100, 0, four_cc("Rda1"), 330, false},  // older kind: current type and version
      {four_cc("Rdat"), 400, 0, four_cc("Rda1"), 330, false},  // its version is not trusted either
      {four_cc("Rda1"), 0, 0, four_cc("Rda1"), 330, false},
      {four_cc("Rda1"), 329, 0, four_cc("Rda1"), 330, false},
      {four_cc("Rda1"), 330, 0, four_cc("Rda1"), 330, false},
      {four_cc("Rda1"), 331, 0, four_cc("Rda1"), 331, true},  // never lowered, and not opened
      {four_cc("temp"), 500, 1043, four_cc("temp"), 500, false},
      {four_cc("dPrf"), 0, 1043, four_cc("dPrf"), 0, false},
  };
  for (const version_case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.type.view() << " " << c.version);
    four_cc type = c.type;
    std::uint16_t version = c.version;
    EXPECT_EQ(xman::convert_codebase_header(type, version), c.result);
    EXPECT_EQ(type, c.new_type);
    EXPECT_EQ(version, c.new_version);
    EXPECT_EQ(xman::is_codebase_too_new(c.type, c.version), c.too_new);
  }
}

class CodebaseCatalog : public ::testing::Test {
 protected:
  void SetUp() override { databases_.set_up(folder_.device_path(), xman::codebase_catalog::filter()); }
  void TearDown() override { platform::file_faults::reset(); }
  void write(const std::string& file, std::string_view name, const char (&type)[5], std::uint16_t version,
             const char (&creator)[5] = "zQed") {
    zqtest::write_bytes(folder_.path() / file, image(name, type, version, creator));
  }
  static bytes image(std::string_view name, const char (&type)[5], std::uint16_t version,
                     const char (&creator)[5] = "zQed") {
    return zqtest::database_image(name, type, version, {zqtest::remote_layout_record()}, creator);
  }
  bytes content(const std::string& file) const { return zqtest::read_bytes(folder_.path() / file); }
  zqtest::temp_folder folder_;
  xman::database_catalog databases_;
  xman::codebase_catalog codebases_{databases_};
};

TEST_F(CodebaseCatalog, ListLeavesOutWorkingCopiesAndTheMarksSwitchTheTypeOnDisk) {
  write("b.pdb", "Beta", "Rdat", 100);
  write("a.pdb", "Alpha", "Rda1", 330);
  write("n.pdb", "Newer", "Rda1", 331);
  write("w.pdb", "Work", "temp", 330);
  write("p.pdb", "Profile", "dPrf", 0);
  write("x.pdb", "Foreign", "Rda1", 330, "abcd");
  EXPECT_TRUE(codebases_.list(false).empty());  // nothing scanned yet
  EXPECT_EQ(codebases_.list(true), (names_t{"Alpha", "Beta", "Newer"}));
  EXPECT_TRUE(codebases_.exists("Work"));  // still in the catalog, so it can be opened
  EXPECT_FALSE(codebases_.exists("Profile"));
  EXPECT_TRUE(codebases_.is_too_new("Newer"));
  EXPECT_FALSE(codebases_.is_too_new("Alpha"));
  EXPECT_FALSE(codebases_.is_too_new("Missing"));
  ASSERT_EQ(codebases_.mark_temporary("Alpha"), 0);
  ASSERT_EQ(codebases_.mark_current("Work"), 0);
  EXPECT_EQ(content("a.pdb"), image("Alpha", "temp", 330));
  EXPECT_EQ(codebases_.list(false), (names_t{"Beta", "Newer", "Work"}));
  EXPECT_EQ(codebases_.list(true), (names_t{"Beta", "Newer", "Work"}));  // after a rescan too
}

TEST_F(CodebaseCatalog, ConvertRewritesOnlyTheHeaderOfKnownKinds) {
  write("old.pdb", "Old", "Rdat", 12);
  write("work.pdb", "Work", "temp", 330);
  databases_.scan();
  ASSERT_EQ(codebases_.convert("Old"), 0);
  EXPECT_EQ(content("old.pdb"), image("Old", "Rda1", 330));
  EXPECT_EQ(databases_.attributes_of("Old")->type, xman::kTypeCodebase);
  EXPECT_EQ(databases_.attributes_of("Old")->version, 330);
  EXPECT_EQ(codebases_.convert("Work"), 1043);
  EXPECT_EQ(content("work.pdb"), image("Work", "temp", 330));
  EXPECT_EQ(codebases_.convert("Missing"), 1023);
}

TEST_F(CodebaseCatalog, CreateWritesTheExactFileAndRefusesANameInUse) {
  const std::vector<bytes> records{zqtest::signal_v2_record("Power", {{26, 0, {9000, -4500}}}),
                                   zqtest::macro_record("All", {0x02})};
  ASSERT_EQ(codebases_.create("Living TV", zqtest::remote_layout_record(), records), 0);
  const bytes made =
      zqtest::database_image("Living TV", "Rda1", 330, {zqtest::remote_layout_record(), records[0], records[1]});
  EXPECT_EQ(content("Living_TV.pdb"), made);
  EXPECT_EQ(codebases_.list(false), names_t{"Living TV"});
  // A name in use is refused before anything is made, so the existing codebase stays.
  EXPECT_EQ(codebases_.create("Living TV", zqtest::remote_layout_record()), 1025);
  EXPECT_EQ(zqtest::listing(folder_.path()), names_t{"Living_TV.pdb"});
  EXPECT_EQ(content("Living_TV.pdb"), made);
}

// Fail each file operation of a creation in turn: the codebase is made whole or not at all.
TEST_F(CodebaseCatalog, FailedCreateLeavesNoHalfMadeCodebase) {
  const std::vector<bytes> records{zqtest::signal_v2_record("Power", {{26, 0, {9000, -4500}}})};
  platform::file_faults::reset();
  ASSERT_EQ(codebases_.create("Probe", zqtest::remote_layout_record(), records), 0);
  const long operations = platform::file_faults::operations();
  ASSERT_EQ(codebases_.remove("Probe"), 0);
  ASSERT_GT(operations, 2);
  int failures = 0;
  for (long n = 1; n <= operations; ++n) {
    SCOPED_TRACE(n);
    platform::file_faults::fail_operation(n);
    const zq::result_t result = codebases_.create("TV", zqtest::remote_layout_record(), records);
    platform::file_faults::reset();
    if (result == 0) {  // a step whose failure does not matter (such as making the folder)
      xman::codebase codebase(databases_);
      ASSERT_EQ(codebase.open("TV"), 0);
      EXPECT_EQ(codebase.signal_index_of("Power"), 1);
      codebase.close();
      ASSERT_EQ(codebases_.remove("TV"), 0);
    }
    failures += result != 0;
    EXPECT_FALSE(databases_.path_of("TV"));
    EXPECT_TRUE(zqtest::listing(folder_.path()).empty());
    EXPECT_TRUE(codebases_.list(true).empty());
  }
  EXPECT_GT(failures, 0);
}

}  // namespace
