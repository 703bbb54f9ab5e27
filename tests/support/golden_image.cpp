#include "support/golden_image.h"

#include <stb_image.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

#include "platform/png_writer.h"

namespace zqtest {

namespace {

std::filesystem::path golden_path(const std::string& name) {
  return std::filesystem::path(ZQ_SOURCE_DIR) / "tests" / "golden" / (name + ".png");
}

bool write_bytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

platform::pixel_surface read_png(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  int width = 0, height = 0, channels = 0;
  unsigned char* rgb = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 3);
  if (!rgb) return {};
  platform::pixel_surface image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = rgb + (static_cast<std::size_t>(y) * width + x) * 3;
      image.set(x, y, (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2]);
    }
  stbi_image_free(rgb);
  return image;
}

::testing::AssertionResult matches_golden(const platform::pixel_surface& image, const std::string& name) {
  std::vector<std::uint8_t> png;
  if (platform::encode_png(image, png) != 0) return ::testing::AssertionFailure() << name << ": cannot encode";
  const char* update = std::getenv("ZQ_UPDATE_GOLDEN");
  if (update && std::string_view(update) == "1") {
    if (!write_bytes(golden_path(name), png)) return ::testing::AssertionFailure() << "cannot write " << golden_path(name);
    return ::testing::AssertionSuccess();
  }
  const platform::pixel_surface expected = read_png(golden_path(name));
  if (expected == image) return ::testing::AssertionSuccess();

  const std::filesystem::path actual = std::filesystem::temp_directory_path() / ("zq-actual-" + name + ".png");
  (void)write_bytes(actual, png);
  auto failure = ::testing::AssertionFailure();
  if (expected.width() == 0) return failure << golden_path(name) << " is missing (ZQ_UPDATE_GOLDEN=1 makes it); drawn: " << actual;
  if (expected.width() != image.width() || expected.height() != image.height())
    return failure << name << ": size " << image.width() << "x" << image.height() << ", reference "
                   << expected.width() << "x" << expected.height() << "; drawn: " << actual;
  int differing = 0, first_x = -1, first_y = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.at(x, y) != expected.at(x, y) && differing++ == 0) {
        first_x = x;
        first_y = y;
      }
  return failure << name << ": " << differing << " pixels differ, first at " << first_x << "," << first_y << " (drawn 0x"
                 << std::hex << image.at(first_x, first_y) << ", reference 0x" << expected.at(first_x, first_y)
                 << std::dec << "); drawn: " << actual;
}

}  // namespace zqtest
