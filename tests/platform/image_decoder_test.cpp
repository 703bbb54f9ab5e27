// Image resources decoded into surfaces: bitmap files and headerless bitmap resources, PNG with
// transparency, GIF, and what is refused.
#include <gtest/gtest.h>

#include <stb/stb_image_write.h>

#include <vector>

#include "base/byte_order.h"
#include "platform/image_decoder.h"
#include "support/bitmap_bytes.h"

namespace {

using bytes = std::vector<std::uint8_t>;

std::vector<std::uint32_t> pixels_of(const platform::pixel_surface& s) { return s.pixels(); }

// A 3 x 2 GIF with a four-colour palette: red green blue / white red green.
const bytes gif = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x03, 0x00, 0x02, 0x00, 0x81, 0x00, 0x00, 0xff, 0x00,
                   0x00, 0x00, 0xff, 0x00, 0x00, 0x00, 0xff, 0xff, 0xff, 0xff, 0x2c, 0x00, 0x00, 0x00, 0x00,
                   0x03, 0x00, 0x02, 0x00, 0x00, 0x02, 0x04, 0x44, 0xa8, 0x11, 0x29, 0x00, 0x3b};

// An 8-bit bitmap resource (no file header) of 2 x 2 pixels using 2 palette entries.
bytes paletted_resource(std::uint32_t colours_used) {
  bytes b(40 + 8 + 8, 0);
  zq::store_le32(&b[0], 40);
  zq::store_le32(&b[4], 2);
  zq::store_le32(&b[8], 2);
  zq::store_le16(&b[12], 1);
  zq::store_le16(&b[14], 8);
  zq::store_le32(&b[32], colours_used);
  zq::store_le32(&b[40], 0x000000FF);  // entry 0: blue (stored B, G, R, 0)
  zq::store_le32(&b[44], 0x0000FF00);  // entry 1: green
  b[48] = 1;                           // bottom row: green blue
  b[52] = 0;                           // top row: blue green
  b[53] = 1;
  return b;
}

TEST(ImageDecoder, BitmapFilesAndHeaderlessBitmapResourcesGiveTheirPixels) {
  const std::vector<std::uint32_t> pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000};
  const bytes file = zqtest::bmp_file(3, 2, pixels);
  platform::pixel_surface from_file;
  ASSERT_EQ(platform::decode_image(file, from_file), zq::rc::ok);
  EXPECT_EQ(from_file.width(), 3);
  EXPECT_EQ(from_file.height(), 2);
  EXPECT_EQ(pixels_of(from_file), pixels);
  platform::pixel_surface from_resource;
  ASSERT_EQ(platform::decode_image(bytes(file.begin() + 14, file.end()), from_resource), zq::rc::ok);
  EXPECT_EQ(from_resource, from_file);

  platform::pixel_surface paletted;
  ASSERT_EQ(platform::decode_image(paletted_resource(2), paletted), zq::rc::ok);
  EXPECT_EQ(pixels_of(paletted), (std::vector<std::uint32_t>{0x0000FF, 0x00FF00, 0x00FF00, 0x0000FF}));
}

TEST(ImageDecoder, PngTransparencyBecomesTheKeyColourAndGifGivesItsFirstFrame) {
  const std::uint8_t rgba[] = {255, 0, 0, 255, 0, 0, 255, 200, 9, 9, 9, 0, 0, 255, 0, 127};
  bytes png;
  stbi_write_png_to_func([](void* out, void* data, int size) {
    auto* p = static_cast<const std::uint8_t*>(data);
    static_cast<bytes*>(out)->insert(static_cast<bytes*>(out)->end(), p, p + size);
  }, &png, 2, 2, 4, rgba, 8);
  platform::pixel_surface image;
  ASSERT_EQ(platform::decode_image(png, image), zq::rc::ok);
  EXPECT_EQ(pixels_of(image), (std::vector<std::uint32_t>{0xFF0000, 0x0000FF, 0xFF00FF, 0xFF00FF}));

  ASSERT_EQ(platform::decode_image(gif, image), zq::rc::ok);
  EXPECT_EQ(pixels_of(image),
            (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFF0000, 0x00FF00}));
}

TEST(ImageDecoder, RefusesWhatIsNoImageDamagedOrTooLarge) {
  bytes huge = zqtest::bmp_file(1, 1, {0});
  zq::store_le32(&huge[18], 100000);
  bytes cut_gif(gif.begin(), gif.begin() + 20);
  // The palette claims 1000 entries that the resource does not hold.
  const struct {
    const char* name;
    bytes input;
    zq::result_t expected;
  } cases[] = {
      {"empty", {}, zq::rc::resource_damaged},
      {"text", {'h', 'e', 'l', 'l', 'o'}, zq::rc::resource_damaged},
      {"cut gif", cut_gif, zq::rc::resource_damaged},
      {"palette beyond the resource", paletted_resource(1000), zq::rc::resource_damaged},
      {"header longer than the resource", bytes{40, 0, 0, 0, 1}, zq::rc::resource_damaged},
      {"100000 pixels wide", huge, zq::rc::resource_too_large},
  };
  for (const auto& c : cases) {
    platform::pixel_surface image(1, 1);
    EXPECT_EQ(platform::decode_image(c.input, image), c.expected) << c.name;
    EXPECT_EQ(image.width(), 0) << c.name;
  }
}

}  // namespace
