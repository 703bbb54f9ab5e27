#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "support/temp_folder.h"

namespace {

using platform::file;
using platform::file_access_t;
using platform::file_create_t;

class FileSeam : public ::testing::Test {
 protected:
  void TearDown() override { platform::file_faults::reset(); }
  zqtest::temp_folder folder_;
};

TEST_F(FileSeam, WritesReadsAndEnumeratesInByteOrder) {
  for (const char* name : {"b.pdb", "a.pdb", "c.txt"}) {
    file f;
    ASSERT_EQ(platform::open_file(folder_.device_path(name), file_access_t::read_write,
                                  file_create_t::create_new, f), 0);
    ASSERT_EQ(platform::write_file_at(f, 0, "xyz", 3), 0);
  }
  std::vector<std::wstring> names;
  ASSERT_EQ(platform::enumerate_files(folder_.device_path(), L".pdb", names), 0);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"a.pdb", L"b.pdb"}));

  std::vector<std::uint8_t> content;
  ASSERT_EQ(platform::read_whole_file(folder_.device_path("a.pdb"), content), 0);
  EXPECT_EQ(std::string(content.begin(), content.end()), "xyz");
}

TEST_F(FileSeam, CreateNewRefusesAnExistingFileAndCopyRefusesAnExistingTarget) {
  file f;
  ASSERT_EQ(platform::open_file(folder_.device_path("x"), file_access_t::read_write, file_create_t::create_new, f), 0);
  f.close();
  EXPECT_EQ(platform::open_file(folder_.device_path("x"), file_access_t::read_write, file_create_t::create_new, f),
            EEXIST);
  EXPECT_EQ(platform::copy_file(folder_.device_path("x"), folder_.device_path("x")), EEXIST);
}

TEST_F(FileSeam, InjectedFailureHitsExactlyTheNthOperationUnlessSticky) {
  platform::file_faults::fail_operation(2);
  file f;
  EXPECT_EQ(platform::open_file(folder_.device_path("y"), file_access_t::read_write, file_create_t::create_new, f), 0);
  EXPECT_EQ(platform::write_file_at(f, 0, "a", 1), EIO);
  EXPECT_EQ(platform::write_file_at(f, 0, "a", 1), 0);

  platform::file_faults::fail_operation(1, true);
  EXPECT_EQ(platform::write_file_at(f, 0, "a", 1), EIO);
  EXPECT_EQ(platform::flush_file(f), EIO);
  EXPECT_EQ(platform::file_faults::operations(), 2);
}

TEST_F(FileSeam, FailedCopyLeavesNoTargetBehind) {
  file f;
  ASSERT_EQ(platform::open_file(folder_.device_path("src"), file_access_t::read_write, file_create_t::create_new, f), 0);
  ASSERT_EQ(platform::write_file_at(f, 0, "data", 4), 0);
  f.close();
  // read_whole_file is open, size, read; then open target, write: fail the write.
  platform::file_faults::fail_operation(5);
  EXPECT_EQ(platform::copy_file(folder_.device_path("src"), folder_.device_path("dst")), EIO);
  EXPECT_FALSE(platform::path_exists(folder_.device_path("dst")));
}

TEST(DevicePaths, BackslashesMapToHostSeparatorsUnderTheDeviceRoot) {
  EXPECT_EQ(platform::host_path(L"\\tmp\\a b.pdb"), std::filesystem::path("/tmp/a b.pdb"));
  platform::set_device_root("/srv/device");
  EXPECT_EQ(platform::host_path(L"\\Codebases\\TV.pdb"), std::filesystem::path("/srv/device/Codebases/TV.pdb"));
  EXPECT_EQ(platform::host_path(L"relative\\x"), std::filesystem::path("relative/x"));
  platform::set_device_root("/");
}

}  // namespace
