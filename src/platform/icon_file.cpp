#include "platform/icon_file.h"

#include "base/byte_order.h"

namespace platform {

namespace {

constexpr std::size_t header_size = 6;
constexpr std::size_t file_entry_size = 16;   // the group's 12 bytes, then the image's file offset
constexpr std::size_t group_entry_size = 14;  // the group's 12 bytes, then the image's resource id
constexpr std::size_t shared_entry_size = 12;

}  // namespace

zq::result_t split_icon_file(std::span<const std::uint8_t> file, std::uint16_t first_id, icon_file_resources& out) {
  if (file.size() < header_size || zq::load_le16(file.data()) != 0 || zq::load_le16(file.data() + 2) != 1) {
    return zq::rc::resource_damaged;
  }
  const std::size_t count = zq::load_le16(file.data() + 4);
  if (count == 0 || first_id == 0 || first_id + count - 1 > 0xFFFF ||
      file.size() < header_size + count * file_entry_size) {
    return zq::rc::resource_damaged;
  }
  icon_file_resources result;
  result.group.assign(file.begin(), file.begin() + header_size);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = file.data() + header_size + i * file_entry_size;
    const std::uint64_t size = zq::load_le32(entry + 8);
    const std::uint64_t offset = zq::load_le32(entry + 12);
    if (size == 0 || offset + size > file.size()) return zq::rc::resource_damaged;
    result.images.emplace_back(file.begin() + static_cast<std::ptrdiff_t>(offset),
                               file.begin() + static_cast<std::ptrdiff_t>(offset + size));
    const std::size_t at = result.group.size();
    result.group.resize(at + group_entry_size);
    std::copy(entry, entry + shared_entry_size, result.group.begin() + static_cast<std::ptrdiff_t>(at));
    zq::store_le16(result.group.data() + at + shared_entry_size, static_cast<std::uint16_t>(first_id + i));
  }
  out = std::move(result);
  return zq::rc::ok;
}

}  // namespace platform
