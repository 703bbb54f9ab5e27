#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <cerrno>

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
