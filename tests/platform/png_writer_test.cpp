#include "platform/png_writer.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "support/temp_folder.h"

namespace {

// A failure at any step of writing leaves the previous image whole and no sibling behind.
TEST(PngWriter, ReplacesTheFileAllOrNothing) {
  zqtest::temp_folder folder;
  const std::wstring path = folder.device_path("shot.png");
  const platform::pixel_surface first(3, 2, 0x123456), second(5, 4, 0xABCDEF);
  std::vector<std::uint8_t> first_png, second_png, stored;
  ASSERT_EQ(platform::encode_png(first, first_png), 0);
  ASSERT_EQ(platform::encode_png(second, second_png), 0);
  EXPECT_EQ(std::vector<std::uint8_t>(first_png.begin(), first_png.begin() + 4),
            (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G'}));
  ASSERT_EQ(platform::write_png(first, path), 0);

  for (long n = 1; n <= 4; ++n) {  // open, write, flush, rename
    platform::file_faults::fail_operation(n);
    EXPECT_NE(platform::write_png(second, path), 0) << n;
    platform::file_faults::reset();
    ASSERT_EQ(platform::read_whole_file(path, stored), 0);
    EXPECT_EQ(stored, first_png) << n;
    EXPECT_FALSE(platform::path_exists(path + L".new")) << n;
  }
  ASSERT_EQ(platform::write_png(second, path), 0);
  ASSERT_EQ(platform::read_whole_file(path, stored), 0);
  EXPECT_EQ(stored, second_png);
  EXPECT_EQ(platform::encode_png(platform::pixel_surface(), stored), EINVAL);
}

}  // namespace
