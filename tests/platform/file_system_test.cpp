#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

#include "platform/file_name_pattern.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

// The failure injection the fault tests rely on: exactly the n-th operation fails, or every one
// from it on when sticky.
TEST(FileSeam, InjectedFailureHitsExactlyTheNthOperationUnlessSticky) {
  zqtest::temp_folder folder;
  platform::file f;
  platform::file_faults::fail_operation(2);
  EXPECT_EQ(platform::open_file(folder.device_path("y"), platform::file_access_t::read_write,
                                platform::file_create_t::create_new, f),
            0);
  EXPECT_EQ(platform::write_file_at(f, 0, "a", 1), EIO);
  EXPECT_EQ(platform::write_file_at(f, 0, "a", 1), 0);
  platform::file_faults::fail_operation(1, true);
  EXPECT_EQ(platform::write_file_at(f, 0, "a", 1), EIO);
  EXPECT_EQ(platform::flush_file(f), EIO);
  EXPECT_EQ(platform::file_faults::operations(), 2);
  platform::file_faults::reset();
  std::vector<std::uint8_t> content;
  ASSERT_EQ(platform::read_whole_file(folder.device_path("y"), content), 0);
  EXPECT_EQ(content, std::vector<std::uint8_t>{'a'});
}

TEST(FileSeam, BackslashPathsMapToHostSeparatorsUnderTheDeviceRoot) {
  EXPECT_EQ(platform::host_path(L"\\tmp\\a b.pdb"), std::filesystem::path("/tmp/a b.pdb"));
  platform::set_device_root("/srv/device");
  EXPECT_EQ(platform::host_path(L"\\Codebases\\TV.pdb"), std::filesystem::path("/srv/device/Codebases/TV.pdb"));
  EXPECT_EQ(platform::host_path(L"relative\\x"), std::filesystem::path("relative/x"));
  platform::set_device_root("/");
}

}  // namespace

namespace {

using platform::file_attribute::directory;
using platform::file_attribute::hidden;
using platform::file_attribute::normal;
using platform::file_attribute::read_only;

std::vector<std::wstring> names_of(const std::vector<platform::found_file>& found) {
  std::vector<std::wstring> names;
  for (const auto& f : found) names.push_back(f.name);
  return names;
}

TEST(FileNamePattern, StarAndQuestionMarkMatchWithoutRegardToCase) {
  using platform::name_matches_pattern;
  EXPECT_TRUE(name_matches_pattern(L"zq-skin-system.DLL", L"*.dll"));
  EXPECT_TRUE(name_matches_pattern(L"TV_1.pdb", L"tv_?.PDB"));
  EXPECT_FALSE(name_matches_pattern(L"TV_12.pdb", L"TV_?.pdb"));
  EXPECT_TRUE(name_matches_pattern(L"a.b.c", L"*.c"));
  EXPECT_TRUE(name_matches_pattern(L"abcabd", L"*abd"));  // the star gives back what it took
  EXPECT_FALSE(name_matches_pattern(L"dll", L"*.dll"));
  EXPECT_TRUE(name_matches_pattern(L"README", L"*.*"));  // the handheld's "every file"
  EXPECT_TRUE(name_matches_pattern(L"F\u00C4cher", L"f\u00E4*"));
  EXPECT_TRUE(platform::names_equal_ignoring_case(L"\\Windows\\ZQXWAKEUP.exe", L"\\windows\\zqxwakeup.EXE"));
  EXPECT_FALSE(platform::names_equal_ignoring_case(L"a", L"ab"));
}

TEST(FileSeam, FindFilesListsMatchingEntriesWithTheirAttributes) {
  zqtest::temp_folder folder;
  const auto make = [&](const char* name, const char* text) { std::ofstream(folder.path() / name) << text; };
  make("b.dll", "12345");
  make("A.DLL", "1");
  make("c.txt", "");
  make(".hidden.dll", "");
  std::filesystem::create_directory(folder.path() / "sub.dll");
  std::filesystem::permissions(folder.path() / "A.DLL", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);

  std::vector<platform::found_file> found;
  platform::file_faults::fail_operation(0);
  ASSERT_EQ(platform::find_files(folder.device_path() + L"*.dll", found), 0);
  EXPECT_EQ(platform::file_faults::operations(), 1);
  ASSERT_EQ(names_of(found), (std::vector<std::wstring>{L".hidden.dll", L"A.DLL", L"b.dll", L"sub.dll"}));
  EXPECT_EQ(found[0].attributes, hidden);
  EXPECT_EQ(found[1].attributes, read_only);
  EXPECT_EQ(found[2].attributes, normal);
  EXPECT_EQ(found[2].size, 5u);
  EXPECT_EQ(found[3].attributes, directory);

  std::uint32_t attributes = 0;
  ASSERT_EQ(platform::file_attributes(folder.device_path("A.DLL"), attributes), 0);
  EXPECT_EQ(attributes, read_only);
  EXPECT_EQ(platform::file_attributes(folder.device_path("none"), attributes), ENOENT);

  // The older suffix listing takes regular files only, and the suffix's case no longer matters.
  std::vector<std::wstring> names;
  ASSERT_EQ(platform::enumerate_files(folder.device_path(), L".dll", names), 0);
  EXPECT_EQ(names, (std::vector<std::wstring>{L".hidden.dll", L"A.DLL", L"b.dll"}));

  ASSERT_EQ(platform::find_files(folder.device_path() + L"*.none", found), 0);
  EXPECT_TRUE(found.empty());
  EXPECT_EQ(platform::find_files(folder.device_path("missing\\*"), found), ENOENT);
  platform::file_faults::fail_operation(1);
  EXPECT_EQ(platform::find_files(folder.device_path() + L"*", found), EIO);
  platform::file_faults::reset();
}

TEST(FileSeam, CopyRefusesAnExistingTargetAndFoldersComeAndGo) {
  zqtest::temp_folder folder;
  std::ofstream(folder.path() / "from") << "new";
  std::ofstream(folder.path() / "to") << "old";
  EXPECT_EQ(platform::copy_file(folder.device_path("from"), folder.device_path("to")), EEXIST);
  EXPECT_EQ(zqtest::read_text(folder.path() / "to"), "old");
  ASSERT_EQ(platform::copy_file(folder.device_path("from"), folder.device_path("copy")), 0);
  EXPECT_EQ(zqtest::read_text(folder.path() / "copy"), "new");

  ASSERT_EQ(platform::create_directory(folder.device_path("Codebases")), 0);
  EXPECT_EQ(platform::create_directory(folder.device_path("Codebases")), EEXIST);
  ASSERT_EQ(platform::copy_file(folder.device_path("from"), folder.device_path("Codebases\\TV.pdb")), 0);
  EXPECT_EQ(platform::remove_directory(folder.device_path("Codebases")), ENOTEMPTY);
  ASSERT_EQ(platform::delete_file(folder.device_path("Codebases\\TV.pdb")), 0);
  platform::file_faults::fail_operation(1);
  EXPECT_EQ(platform::remove_directory(folder.device_path("Codebases")), EIO);
  platform::file_faults::reset();
  ASSERT_EQ(platform::remove_directory(folder.device_path("Codebases")), 0);
  EXPECT_FALSE(platform::path_exists(folder.device_path("Codebases")));
}

}  // namespace
