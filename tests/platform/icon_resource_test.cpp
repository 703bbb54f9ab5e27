// Icons: an .ico file goes into a skin library through zqtool, comes back out through the module
// at each size, and is extracted again byte for byte by wrestool (icoutils). Damaged icon bytes
// are refused without reading outside them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "base/byte_order.h"
#include "platform/file_system.h"
#include "platform/icon_file.h"
#include "platform/icon_resource.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

using bytes = std::vector<std::uint8_t>;

void put16(bytes& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(bytes& b, std::uint32_t v) {
  put16(b, static_cast<std::uint16_t>(v));
  put16(b, static_cast<std::uint16_t>(v >> 16));
}

bytes info_header(int side, int bits, std::uint32_t colours) {
  bytes b;
  put32(b, 40);
  put32(b, static_cast<std::uint32_t>(side));
  put32(b, static_cast<std::uint32_t>(2 * side));
  put16(b, 1);
  put16(b, static_cast<std::uint16_t>(bits));
  put32(b, 0);
  put32(b, 0);
  put32(b, 0);
  put32(b, 0);
  put32(b, colours);
  put32(b, 0);
  return b;
}

// 16 x 16 at 4 bits: colour 1 (red) left of x = 8, colour 2 (blue) right of it; the top row masked.
bytes four_bit_image() {
  bytes b = info_header(16, 4, 3);
  for (std::uint32_t c : {0x000000u, 0xFF0000u, 0x0000FFu}) put32(b, c);  // black, red, blue
  for (int row = 0; row < 16; ++row) {                                   // bottom-up, 8 bytes a row
    for (int i = 0; i < 8; ++i) b.push_back(i < 4 ? 0x11 : 0x22);
  }
  for (int row = 0; row < 16; ++row) put32(b, row == 15 ? 0x0000FFFFu : 0);  // mask: the last stored row (the top) set
  return b;
}

// 32 x 32 at 32 bits with alpha: green, half transparent, the alpha growing with x.
bytes alpha_image() {
  bytes b = info_header(32, 32, 0);
  for (int row = 0; row < 32; ++row) {
    for (int x = 0; x < 32; ++x) put32(b, (static_cast<std::uint32_t>(x * 8) << 24) | 0x00FF00u);
  }
  for (int row = 0; row < 32; ++row) put32(b, 0);
  return b;
}

bytes icon_file(const std::vector<std::pair<int, bytes>>& images) {
  bytes file;
  put16(file, 0);
  put16(file, 1);
  put16(file, static_cast<std::uint16_t>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (const auto& [side, image] : images) {
    file.push_back(static_cast<std::uint8_t>(side));
    file.push_back(static_cast<std::uint8_t>(side));
    file.push_back(side == 16 ? 16 : 0);
    file.push_back(0);
    put16(file, 1);
    put16(file, side == 16 ? 4 : 32);
    put32(file, static_cast<std::uint32_t>(image.size()));
    put32(file, offset);
    offset += static_cast<std::uint32_t>(image.size());
  }
  for (const auto& [side, image] : images) file.insert(file.end(), image.begin(), image.end());
  return file;
}

void spill(const std::filesystem::path& path, const bytes& content) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(content.data()),
                                              static_cast<std::streamsize>(content.size()));
}

TEST(IconResource, AnIconFileInASkinComesBackAtEachSizeAndAsTheSameFile) {
  const zqtest::temp_folder dir;
  std::filesystem::create_directories(dir.path() / "src");
  const bytes ico = icon_file({{16, four_bit_image()}, {32, alpha_image()}});
  spill(dir.path() / "src" / "app.ico", ico);
  spill(dir.path() / "src" / "single.ico", icon_file({{16, four_bit_image()}}));
  spill(dir.path() / "src" / "marker.bin", {1, 2, 3});
  // An icon the manifest numbers itself: the file's images are numbered after it.
  std::ofstream(dir.path() / "src" / "manifest.txt") << "3 7 marker.bin\n14 5 app.ico\n14 6 single.ico\n";
  const std::string dll = (dir.path() / "skin.dll").string();
  const zqtest::tool_run build = zqtest::run_zqtool({"skin", "build", (dir.path() / "src").string(), dll});
  ASSERT_EQ(build.status, 0) << build.err;

  platform::module skin;
  ASSERT_EQ(platform::load_module_file(platform::device_path(dll), skin), zq::rc::ok);
  std::span<const std::uint8_t> group;
  ASSERT_EQ(skin.load(platform::rt::group_icon, 5, group), zq::rc::ok);
  std::vector<platform::icon_group_entry> entries;
  ASSERT_EQ(platform::parse_icon_group(group, entries), zq::rc::ok);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].icon_id, 8);
  EXPECT_EQ(entries[1].icon_id, 9);
  EXPECT_EQ(skin.size_of(platform::rt::icon, 10), four_bit_image().size());  // the second file's image

  platform::icon small;
  ASSERT_EQ(platform::load_icon(skin, 5, 16, small), zq::rc::ok);
  ASSERT_TRUE(small.valid());
  EXPECT_FALSE(small.has_alpha);
  EXPECT_EQ(small.pixels[16 + 3], 0xFFFF0000u);   // row 1, x 3: red
  EXPECT_EQ(small.pixels[16 + 12], 0xFF0000FFu);  // row 1, x 12: blue
  EXPECT_EQ(small.mask[0], 1);                    // the top row is transparent
  EXPECT_EQ(small.mask[15], 1);
  EXPECT_EQ(small.mask[16], 0);

  platform::icon large;
  ASSERT_EQ(platform::load_icon(skin, 5, 20, large), zq::rc::ok);  // no 20: the next larger one
  ASSERT_EQ(large.width, 32);
  EXPECT_TRUE(large.has_alpha);
  EXPECT_EQ(large.pixels[32 * 5 + 4], 0x2000FF00u);
  platform::icon largest;
  ASSERT_EQ(platform::load_icon(skin, 5, 48, largest), zq::rc::ok);  // none larger: the largest
  EXPECT_EQ(largest.width, 32);
  EXPECT_EQ(platform::load_icon(skin, 4, 16, small), zq::rc::resource_not_found);

  // wrestool rebuilds the icon file from the group and its images (it adds zeros at the end).
  const std::string out = (dir.path() / "out.ico").string();
  ASSERT_EQ(std::system(("wrestool -x --type=14 --name=5 -o '" + out + "' '" + dll + "'").c_str()), 0);
  std::vector<std::uint8_t> extracted;
  ASSERT_EQ(platform::read_whole_file(platform::device_path(out), extracted), 0);
  ASSERT_GE(extracted.size(), ico.size());
  EXPECT_EQ(bytes(extracted.begin(), extracted.begin() + static_cast<std::ptrdiff_t>(ico.size())), ico);
}

TEST(IconResource, DamagedIconsAreRefused) {
  const bytes good = four_bit_image();
  platform::icon out;
  ASSERT_EQ(platform::decode_icon(good, out), zq::rc::ok);
  // Every shortened copy (the mask or the colours cut off) is refused, and nothing is read beyond it.
  for (std::size_t length = 0; length < good.size(); ++length) {
    const bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_EQ(platform::decode_icon(cut, out), zq::rc::resource_damaged) << length;
  }
  bytes wide = good;
  zq::store_le32(wide.data() + 4, 300);
  EXPECT_EQ(platform::decode_icon(wide, out), zq::rc::resource_too_large);
  bytes compressed = good;
  zq::store_le32(compressed.data() + 16, 2);
  EXPECT_EQ(platform::decode_icon(compressed, out), zq::rc::resource_damaged);
  bytes big_table = good;
  zq::store_le32(big_table.data() + 32, 17);  // more colours than 4 bits can index
  EXPECT_EQ(platform::decode_icon(big_table, out), zq::rc::resource_damaged);
  bytes no_alpha_no_mask = alpha_image();
  for (std::size_t i = 40; i < 40 + 32 * 32 * 4; i += 4) no_alpha_no_mask[i + 3] = 0;
  no_alpha_no_mask.resize(40 + 32 * 32 * 4);
  EXPECT_EQ(platform::decode_icon(no_alpha_no_mask, out), zq::rc::resource_damaged);

  platform::icon_file_resources split;
  bytes file = icon_file({{16, good}});
  EXPECT_EQ(platform::split_icon_file(file, 1, split), zq::rc::ok);
  EXPECT_EQ(platform::split_icon_file(file, 0xFFFF, split), zq::rc::ok);
  zq::store_le32(file.data() + 6 + 12, static_cast<std::uint32_t>(file.size()));  // image offset past the end
  EXPECT_EQ(platform::split_icon_file(file, 1, split), zq::rc::resource_damaged);
  EXPECT_EQ(platform::split_icon_file(icon_file({{16, good}, {16, good}}), 0xFFFF, split), zq::rc::resource_damaged);
  EXPECT_EQ(platform::split_icon_file(bytes{0, 0, 1, 0, 0, 0}, 1, split), zq::rc::resource_damaged);  // no image
}

}  // namespace
