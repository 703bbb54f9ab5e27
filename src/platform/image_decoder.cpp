#include "platform/image_decoder.h"

#include <climits>
#include <cstring>
#include <vector>

#include <stb/stb_image.h>

#include "base/byte_order.h"

namespace platform {
namespace {

constexpr std::uint32_t file_header_size = 14;

bool starts_with(std::span<const std::uint8_t> bytes, const char* signature) {
  const std::size_t n = std::strlen(signature);
  return bytes.size() >= n && std::memcmp(bytes.data(), signature, n) == 0;
}

// A bitmap resource starts with its info header, whose first field is its own size.
bool is_headerless_bitmap(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 4) return false;
  switch (zq::load_le32(bytes.data())) {
    case 12: case 40: case 52: case 56: case 108: case 124: return true;
    default: return false;
  }
}

// The file form of a bitmap resource: the file header that says where the pixels start (after the
// info header, the bit masks and the colour table), then the resource's bytes.
bool with_file_header(std::span<const std::uint8_t> dib, std::vector<std::uint8_t>& file) {
  const std::uint32_t header_size = zq::load_le32(dib.data());
  if (dib.size() < header_size) return false;
  std::uint64_t table = 0;
  if (header_size == 12) {
    const std::uint16_t bits = zq::load_le16(dib.data() + 10);
    if (bits <= 8) table = 3ull << bits;
  } else {
    const std::uint16_t bits = zq::load_le16(dib.data() + 14);
    const std::uint32_t compression = zq::load_le32(dib.data() + 16);
    const std::uint32_t colours_used = zq::load_le32(dib.data() + 32);
    if (header_size == 40 && compression == 3) table += 12;  // red, green and blue masks
    if (header_size == 40 && compression == 6) table += 16;  // and the alpha mask
    table += 4ull * (colours_used != 0 ? colours_used : (bits <= 8 ? 1u << bits : 0u));
  }
  const std::uint64_t pixels = file_header_size + header_size + table;
  if (pixels > file_header_size + dib.size()) return false;
  file.assign(file_header_size, 0);
  file[0] = 'B';
  file[1] = 'M';
  zq::store_le32(&file[2], static_cast<std::uint32_t>(file_header_size + dib.size()));
  zq::store_le32(&file[10], static_cast<std::uint32_t>(pixels));
  file.insert(file.end(), dib.begin(), dib.end());
  return true;
}

}  // namespace

zq::result_t decode_image(std::span<const std::uint8_t> bytes, pixel_surface& image) {
  image = pixel_surface();
  std::vector<std::uint8_t> file;
  if (is_headerless_bitmap(bytes)) {
    if (!with_file_header(bytes, file)) return zq::rc::resource_damaged;
    bytes = file;
  } else if (!starts_with(bytes, "BM") && !starts_with(bytes, "\x89PNG") && !starts_with(bytes, "GIF8")) {
    return zq::rc::resource_damaged;
  }
  if (bytes.size() > INT_MAX) return zq::rc::resource_too_large;
  const int length = static_cast<int>(bytes.size());
  int width = 0;
  int height = 0;
  int channels = 0;
  if (stbi_info_from_memory(bytes.data(), length, &width, &height, &channels) == 0) return zq::rc::resource_damaged;
  if (width <= 0 || height <= 0) return zq::rc::resource_damaged;
  if (width > max_image_side || height > max_image_side || std::int64_t{width} * height > max_image_pixels) {
    return zq::rc::resource_too_large;
  }
  stbi_uc* rgba = stbi_load_from_memory(bytes.data(), length, &width, &height, &channels, 4);
  if (rgba == nullptr) return zq::rc::resource_damaged;
  image = pixel_surface(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint32_t* row = image.row(y);
    const stbi_uc* p = rgba + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4;
    for (int x = 0; x < width; ++x, p += 4) {
      row[x] = p[3] < 128 ? transparent_key_pixel
                          : (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | std::uint32_t{p[2]};
    }
  }
  stbi_image_free(rgba);
  return zq::rc::ok;
}

}  // namespace platform
