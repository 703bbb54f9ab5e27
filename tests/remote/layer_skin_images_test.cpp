// Skin images by profile: the "WRDL" tables of a skin library point from a profile (and a face's
// state) to an image resource, which the renderer draws with magenta left out, at its natural size
// (doubled on the high-resolution classes), falling back on built-in colours where the skin has no
// image.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "base/byte_order.h"
#include "platform/module.h"
#include "platform/pe_writer.h"
#include "platform/png_writer.h"
#include "remote/layer.h"
#include "remote/skin_images.h"
#include "remote/skin_libraries.h"
#include "support/bitmap_bytes.h"
#include "support/temp_folder.h"

namespace {

using bytes = std::vector<std::uint8_t>;
using layer::skin_table_t;

constexpr std::uint32_t magenta = 0xFF00FF;

bytes table(const std::vector<std::uint16_t>& ids) {
  bytes b(ids.size() * 2);
  for (std::size_t i = 0; i < ids.size(); ++i) zq::store_be16(&b[2 * i], ids[i]);
  return b;
}

// A bitmap resource (a BMP without its file header) of one colour, its top-left pixel magenta.
bytes bitmap_resource(int width, int height, std::uint32_t pixel) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), pixel);
  pixels[0] = magenta;
  const bytes file = zqtest::bmp_file(width, height, pixels);
  return bytes(file.begin() + 14, file.end());
}

bytes png_resource(int width, int height, std::uint32_t pixel) {
  platform::pixel_surface image(width, height, pixel);
  image.set(0, 0, magenta);
  bytes png;
  EXPECT_EQ(platform::encode_png(image, png), 0);
  return png;
}

TEST(SkinImageLookup, EntriesOfBackgroundsIconsAndFacesByState) {
  EXPECT_EQ(layer::skin_entry(1001), 2);
  EXPECT_EQ(layer::skin_entry(1037), 38);
  EXPECT_EQ(layer::skin_face_entry(1000, 0), 1);
  EXPECT_EQ(layer::skin_face_entry(1001, 0), 5);
  EXPECT_EQ(layer::skin_face_entry(1002, 3), 12);
  EXPECT_EQ(layer::skin_face_entry(1001, 4), -1);
  EXPECT_EQ(layer::skin_face_entry(1001, -1), -1);
  // Profiles at the top of the range do not overflow.
  EXPECT_EQ(layer::skin_face_entry(INT32_MAX, 3), 4 * (std::int64_t{INT32_MAX} - 1000) + 4);
}

TEST(SkinImageLookup, TablesHoldBigEndianIdsAndEndsAreNoImage) {
  platform::module skin;
  const bytes faces = table({7, 300, 5});
  const bytes odd = {0x01, 0x2C, 0x00};  // one entry and half of the next
  skin.add("WRDL", 1002, faces);
  skin.add("WRDL", 1001, odd);
  EXPECT_EQ(layer::skin_image_id(skin, skin_table_t::faces, 0), 0);  // entry 0 is never an image
  EXPECT_EQ(layer::skin_image_id(skin, skin_table_t::faces, 1), 300);
  EXPECT_EQ(layer::skin_image_id(skin, skin_table_t::faces, 2), 5);
  EXPECT_EQ(layer::skin_image_id(skin, skin_table_t::faces, 3), 0);
  EXPECT_EQ(layer::skin_image_id(skin, skin_table_t::faces, -1), 0);
  EXPECT_EQ(layer::skin_image_id(skin, skin_table_t::icons, 0), 0);
  EXPECT_EQ(layer::skin_image_id(skin, skin_table_t::icons, 1), 0);
  EXPECT_EQ(layer::skin_image_id(skin, skin_table_t::backgrounds, 1), 0);  // no such table
}

TEST(SkinImageLookup, ImagesAreBitmapsOrPngsDecodedOnce) {
  platform::module skin;
  const bytes tables = table({0, 20, 21, 22, 23});
  const bytes bitmap = bitmap_resource(3, 2, 0x00336699);
  const bytes png = png_resource(2, 2, 0x00AA0000);
  const bytes broken = {1, 2, 3, 4};
  skin.add("WRDL", 1000, tables);
  skin.add(platform::rt::bitmap, 20, bitmap);
  skin.add("PNG", 21, png);
  skin.add(platform::rt::bitmap, 22, broken);
  const platform::pixel_surface* first = layer::skin_image(&skin, skin_table_t::backgrounds, 1);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->width(), 3);
  EXPECT_EQ(first->at(1, 1), 0x00336699u);
  EXPECT_EQ(first->at(0, 0), magenta);
  EXPECT_EQ(layer::skin_image(&skin, skin_table_t::backgrounds, 1), first);  // the same decoded image
  const platform::pixel_surface* second = layer::skin_image(&skin, skin_table_t::backgrounds, 2);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->at(1, 1), 0x00AA0000u);
  EXPECT_EQ(layer::skin_image(&skin, skin_table_t::backgrounds, 3), nullptr);  // not an image
  EXPECT_EQ(layer::skin_image(&skin, skin_table_t::backgrounds, 4), nullptr);  // no resource 23
  EXPECT_EQ(layer::skin_image(nullptr, skin_table_t::backgrounds, 1), nullptr);
}

// A skin library file with image tables, loaded and made the current skin of the program.
class SkinImagesDrawn : public ::testing::Test {
 protected:
  // Face colours by entry: entries 1 to 4 belong to profile 1000, which is never looked up, so their
  // colour shows a wrong entry formula; profile 1001 has an image per state; profile 1002 has none.
  static constexpr std::uint32_t wrong = 0x00000001;
  static constexpr std::uint32_t face_by_state[4] = {0x00110000, 0x00220000, 0x00330000, 0x00440000};
  static constexpr std::uint32_t background = 0x00005500;
  static constexpr std::uint32_t icon = 0x00000066;
  static constexpr std::uint32_t paper = 0x00123456;  // 0x00BBGGRR, as the renderer reads pixels

  void SetUp() override {
    std::vector<platform::pe_resource_input> resources;
    const auto add = [&](const platform::resource_name& type, std::uint16_t id, bytes data) {
      resources.push_back({type, id, platform::default_resource_language, std::move(data)});
    };
    add("ZQED", 1000, {1});
    add("USKN", 1000, {1});
    add("WRDL", 1000, table({0, 99, 30}));                                      // profile 1001: image 30
    add("WRDL", 1001, table({0, 99, 40, 0}));                                   // 1001: image 40, 1002: none
    add("WRDL", 1002, table({0, 10, 10, 10, 10, 11, 12, 13, 14, 0, 0, 0, 0}));  // 1001: 11-14, 1002: none
    add(platform::rt::bitmap, 10, bitmap_resource(6, 4, wrong));
    for (std::uint16_t s = 0; s < 4; ++s) add(platform::rt::bitmap, 11 + s, bitmap_resource(6, 4, face_by_state[s]));
    add(platform::rt::bitmap, 99, bitmap_resource(8, 8, wrong));
    add("PNG", 30, png_resource(8, 6, background));
    add(platform::rt::bitmap, 40, bitmap_resource(4, 2, icon));
    bytes image;
    ASSERT_EQ(platform::write_pe_library(resources, image), zq::rc::ok);
    std::ofstream(folder_.path() / "test-skin.dll", std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));

    remote::skin_libraries& libraries = remote::skin_libraries::instance();
    saved_folder_ = libraries.folder();
    libraries.set_folder(folder_.device_path());
    ASSERT_EQ(libraries.load(L"test-skin"), 0);
    ASSERT_TRUE(libraries.select(L"test-skin"));
    ASSERT_TRUE(surface_->create(width, height));
    clear();
  }
  void TearDown() override {
    layer::set_screen_class(0);
    remote::skin_libraries& libraries = remote::skin_libraries::instance();
    libraries.release(L"test-skin");
    libraries.set_folder(saved_folder_);
  }
  void clear() { surface_->context().target()->fill({0, 0, width, height}, platform::pixel_of(paper)); }
  std::uint32_t at(int x, int y) const { return surface_->context().get_pixel(x, y); }
  // Whether r shows colour c, its top-left cell (scale x scale pixels) left as `corner`, and
  // everything outside r shows `around`.
  ::testing::AssertionResult shows(const layer::rectangle& r, std::uint32_t c, int scale, std::uint32_t corner,
                                   std::uint32_t around = paper) const {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const bool inside = x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
        const bool key = x >= r.x && x < r.x + scale && y >= r.y && y < r.y + scale;
        const std::uint32_t expected = key ? corner : inside ? c : around;
        if (at(x, y) != expected) {
          return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex << at(x, y)
                                               << ", not " << expected;
        }
      }
    }
    return ::testing::AssertionSuccess();
  }
  // The pixel colours above are written as 0x00RRGGBB into the images; the renderer reads them back
  // as 0x00BBGGRR.
  static std::uint32_t read(std::uint32_t pixel) { return platform::colorref_of(pixel); }

  static constexpr int width = 60;
  static constexpr int height = 40;
  zqtest::temp_folder folder_;
  std::wstring saved_folder_;
  layer::surface surface_;
};

TEST_F(SkinImagesDrawn, AFaceIsTheImageOfItsProfileAndStateAtTheTopLeft) {
  for (std::int32_t state = 0; state < 4; ++state) {
    clear();
    layer::renderer(surface_)->draw_button({10, 5, 30, 20}, 1001, state);
    EXPECT_TRUE(shows({10, 5, 6, 4}, read(face_by_state[state]), 1, paper)) << state;
  }
}

TEST_F(SkinImagesDrawn, AFaceTheSkinLacksIsTheFaceOfProfile4ColouredByState) {
  const std::uint32_t by_state[] = {0xF464BA, 0xCCDECC, 0xF4D6FA, 0xF4D6BA};
  for (std::int32_t state = 0; state < 4; ++state) {
    clear();
    layer::renderer(surface_)->draw_button({10, 5, 30, 20}, 1002, state);
    EXPECT_TRUE(shows({10, 5, 30, 20}, by_state[state], 0, paper)) << state;
  }
  // A state outside 0 to 3 has no image of its own, nor does a profile past the table.
  clear();
  layer::renderer(surface_)->draw_button({10, 5, 30, 20}, 1001, 4);
  EXPECT_TRUE(shows({10, 5, 30, 20}, 0xF4D6BA, 0, paper));
  clear();
  layer::renderer(surface_)->draw_button({10, 5, 30, 20}, 1500, 0);
  EXPECT_TRUE(shows({10, 5, 30, 20}, 0xF464BA, 0, paper));
}

TEST_F(SkinImagesDrawn, ImagesDoubleOnTheHighResolutionClasses) {
  layer::set_screen_class(3);
  layer::renderer(surface_)->draw_button({10, 5, 30, 20}, 1001, 2);
  EXPECT_TRUE(shows({10, 5, 12, 8}, read(face_by_state[2]), 2, paper));
}

TEST_F(SkinImagesDrawn, ABackgroundIsGreyWithItsImageAtTheTopLeft) {
  layer::renderer(surface_)->draw_background({2, 3, 40, 30}, 1001);
  // Outside the rectangle the paper stays; inside it, grey around the image.
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool in_rect = x >= 2 && x < 42 && y >= 3 && y < 33;
      const bool in_image = x >= 2 && x < 10 && y >= 3 && y < 9;
      const bool key = x == 2 && y == 3;
      const std::uint32_t expected = !in_rect ? paper : key ? 0xE0E0E0 : in_image ? read(background) : 0xE0E0E0;
      ASSERT_EQ(at(x, y), expected) << x << "," << y;
    }
  }
}

TEST_F(SkinImagesDrawn, AnIconIsCentredInTheRectangleAtItsDrawnSize) {
  layer::renderer(surface_)->draw_icon({10, 10, 20, 10}, 1001);
  EXPECT_TRUE(shows({18, 14, 4, 2}, read(icon), 1, paper));
  clear();
  layer::set_screen_class(4);
  layer::renderer(surface_)->draw_icon({10, 10, 20, 10}, 1001);
  EXPECT_TRUE(shows({16, 13, 8, 4}, read(icon), 2, paper));
}

TEST_F(SkinImagesDrawn, AnIconTheSkinLacksIsTheBlackSquare) {
  layer::renderer(surface_)->draw_icon({10, 10, 20, 20}, 1002);
  EXPECT_TRUE(shows({15, 15, 10, 10}, 0x000000, 0, paper));
}

TEST_F(SkinImagesDrawn, APreviewDrawsTheBackgroundImageDividedByTheDivisor) {
  layer::renderer(surface_)->draw_scaled_background({0, 0, 60, 40}, 2, 1001);
  // The 8 x 6 image at half size; which source pixel the shrunk top-left one takes is the
  // platform's scaling, so that pixel (magenta or not in the source) is not checked. No grey is
  // drawn around a preview's image.
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (x == 0 && y == 0) continue;
      ASSERT_EQ(at(x, y), x < 4 && y < 3 ? read(background) : paper) << x << "," << y;
    }
  }
}

}  // namespace
