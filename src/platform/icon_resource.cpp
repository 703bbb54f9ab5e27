#include "platform/icon_resource.h"

#include <stb/stb_image.h>

#include <algorithm>
#include <cstddef>

#include "base/byte_order.h"

namespace platform {

namespace {

constexpr std::size_t group_header_size = 6;
constexpr std::size_t group_entry_size = 14;
constexpr std::uint16_t icon_kind = 1;  // the group header's type: 1 icons, 2 cursors
constexpr std::uint32_t info_header_size = 40;
constexpr std::uint8_t png_signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool is_png(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= sizeof png_signature && std::equal(std::begin(png_signature), std::end(png_signature), bytes.begin());
}

zq::result_t decode_png_icon(std::span<const std::uint8_t> bytes, icon& out) {
  if (bytes.size() > 0x7FFFFFFF) return zq::rc::resource_too_large;
  const auto* data = bytes.data();
  const int length = static_cast<int>(bytes.size());
  int width = 0;
  int height = 0;
  int channels = 0;
  if (stbi_info_from_memory(data, length, &width, &height, &channels) == 0) return zq::rc::resource_damaged;
  if (width > max_icon_side || height > max_icon_side) return zq::rc::resource_too_large;
  stbi_uc* pixels = stbi_load_from_memory(data, length, &width, &height, &channels, 4);
  if (pixels == nullptr) return zq::rc::resource_damaged;
  icon image;
  image.width = width;
  image.height = height;
  image.has_alpha = true;
  image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const stbi_uc* p = pixels + i * 4;
    image.pixels[i] = (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
  }
  stbi_image_free(pixels);
  out = std::move(image);
  return zq::rc::ok;
}

// The colour of pixel x of a colour row at the given depth, as 0xAARRGGBB.
std::uint32_t dib_pixel(const std::uint8_t* row, int x, int bits, std::span<const std::uint8_t> palette) {
  if (bits == 32) return zq::load_le32(row + static_cast<std::size_t>(x) * 4);
  if (bits == 24) {
    const std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
    return 0xFF000000u | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
  }
  const int per_byte = 8 / bits;
  const std::uint8_t byte = row[x / per_byte];
  const int shift = 8 - bits * (x % per_byte + 1);
  const std::size_t index = (byte >> shift) & ((1u << bits) - 1);
  if (index * 4 + 4 > palette.size()) return 0xFF000000u;  // beyond the table: black
  const std::uint8_t* c = palette.data() + index * 4;
  return 0xFF000000u | (std::uint32_t{c[2]} << 16) | (std::uint32_t{c[1]} << 8) | c[0];
}

zq::result_t decode_dib_icon(std::span<const std::uint8_t> bytes, icon& out) {
  if (bytes.size() < info_header_size) return zq::rc::resource_damaged;
  const std::uint32_t header_size = zq::load_le32(bytes.data());
  const auto width = static_cast<std::int32_t>(zq::load_le32(bytes.data() + 4));
  const auto double_height = static_cast<std::int32_t>(zq::load_le32(bytes.data() + 8));
  const int bits = zq::load_le16(bytes.data() + 14);
  const std::uint32_t compression = zq::load_le32(bytes.data() + 16);
  const std::uint32_t colours_used = zq::load_le32(bytes.data() + 32);
  if (header_size < info_header_size || header_size > bytes.size()) return zq::rc::resource_damaged;
  if (width <= 0 || double_height <= 1) return zq::rc::resource_damaged;
  if (width > max_icon_side || double_height / 2 > max_icon_side) return zq::rc::resource_too_large;
  if (compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)) {
    return zq::rc::resource_damaged;
  }
  const int height = double_height / 2;
  const std::uint64_t table_colours = bits <= 8 ? (colours_used != 0 ? colours_used : 1u << bits) : 0;
  if (table_colours > (1u << std::min(bits, 8))) return zq::rc::resource_damaged;
  const std::uint64_t colour_stride = ((static_cast<std::uint64_t>(width) * bits + 31) / 32) * 4;
  const std::uint64_t mask_stride = ((static_cast<std::uint64_t>(width) + 31) / 32) * 4;
  const std::uint64_t colours_at = header_size + table_colours * 4;
  const std::uint64_t mask_at = colours_at + colour_stride * height;
  const bool has_mask = mask_at + mask_stride * height <= bytes.size();
  // Every depth but 32 bits needs the mask for its transparency; 32-bit images may carry alpha only.
  if (mask_at > bytes.size() || (!has_mask && bits != 32)) return zq::rc::resource_damaged;

  const std::span<const std::uint8_t> palette = bytes.subspan(header_size, static_cast<std::size_t>(table_colours * 4));
  icon image;
  image.width = width;
  image.height = height;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  image.pixels.resize(count);
  image.mask.assign(count, 0);
  bool any_alpha = false;
  for (int y = 0; y < height; ++y) {
    const std::size_t source_row = static_cast<std::size_t>(height - 1 - y);  // stored bottom-up
    const std::uint8_t* colours = bytes.data() + colours_at + source_row * colour_stride;
    const std::uint8_t* mask = has_mask ? bytes.data() + mask_at + source_row * mask_stride : nullptr;
    for (int x = 0; x < width; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
      image.pixels[at] = dib_pixel(colours, x, bits, palette);
      if (bits == 32 && (image.pixels[at] >> 24) != 0) any_alpha = true;
      if (mask != nullptr) image.mask[at] = (mask[x / 8] >> (7 - x % 8)) & 1;
    }
  }
  if (bits == 32 && any_alpha) {
    image.has_alpha = true;
    image.mask.clear();
  } else if (!has_mask) {
    return zq::rc::resource_damaged;  // 32-bit without alpha and without a mask: nothing says what shows
  } else if (bits == 32) {
    for (std::uint32_t& p : image.pixels) p |= 0xFF000000u;
  }
  out = std::move(image);
  return zq::rc::ok;
}

}  // namespace

zq::result_t parse_icon_group(std::span<const std::uint8_t> bytes, std::vector<icon_group_entry>& out) {
  out.clear();
  if (bytes.size() < group_header_size || zq::load_le16(bytes.data()) != 0 ||
      zq::load_le16(bytes.data() + 2) != icon_kind) {
    return zq::rc::resource_damaged;
  }
  const std::size_t count = zq::load_le16(bytes.data() + 4);
  if (bytes.size() < group_header_size + count * group_entry_size) return zq::rc::resource_damaged;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = bytes.data() + group_header_size + i * group_entry_size;
    icon_group_entry entry;
    entry.width = e[0] == 0 ? 256 : e[0];  // 0 stands for 256
    entry.height = e[1] == 0 ? 256 : e[1];
    entry.bit_count = zq::load_le16(e + 6);
    entry.size = zq::load_le32(e + 8);
    entry.icon_id = zq::load_le16(e + 12);
    out.push_back(entry);
  }
  return zq::rc::ok;
}

const icon_group_entry* best_icon_entry(const std::vector<icon_group_entry>& entries, int side) {
  const icon_group_entry* exact = nullptr;
  const icon_group_entry* larger = nullptr;
  const icon_group_entry* largest = nullptr;
  for (const icon_group_entry& e : entries) {
    if (e.width == side && (exact == nullptr || e.bit_count > exact->bit_count)) exact = &e;
    if (e.width > side && (larger == nullptr || e.width < larger->width)) larger = &e;
    if (largest == nullptr || e.width > largest->width) largest = &e;
  }
  return exact != nullptr ? exact : larger != nullptr ? larger : largest;
}

zq::result_t decode_icon(std::span<const std::uint8_t> bytes, icon& out) {
  return is_png(bytes) ? decode_png_icon(bytes, out) : decode_dib_icon(bytes, out);
}

zq::result_t load_icon(const module& library, const resource_name& group_id, int side, icon& out) {
  std::span<const std::uint8_t> group;
  if (const zq::result_t rc = library.load(rt::group_icon, group_id, group); rc != 0) return rc;
  std::vector<icon_group_entry> entries;
  if (const zq::result_t rc = parse_icon_group(group, entries); rc != 0) return rc;
  const icon_group_entry* best = best_icon_entry(entries, side);
  if (best == nullptr) return zq::rc::resource_damaged;
  std::span<const std::uint8_t> image;
  if (const zq::result_t rc = library.load(rt::icon, best->icon_id, image); rc != 0) return rc;
  return decode_icon(image, out);
}

}  // namespace platform
