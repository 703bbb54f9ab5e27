#include "storage/database_image.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "base/byte_order.h"

namespace xman {

std::string name_from_field(std::span<const std::uint8_t, kNameFieldSize> field) {
  std::size_t end = kNameFieldSize;
  // The last byte is the terminator's place; spaces before it are padding written by some tools.
  std::size_t last = kNameFieldSize - 1;
  while (last > 0 && field[last - 1] == ' ') --last;
  if (last < kNameFieldSize - 1) end = last;
  const auto nul = std::find(field.begin(), field.begin() + static_cast<std::ptrdiff_t>(end), std::uint8_t{0});
  return std::string(field.begin(), nul);
}

database_header parse_header(std::span<const std::uint8_t, kHeaderSize> header) {
  database_header out;
  out.name = name_from_field(header.subspan<kNameOffset, kNameFieldSize>());
  std::memcpy(out.type.chars.data(), header.data() + kTypeOffset, 4);
  std::memcpy(out.creator.chars.data(), header.data() + kCreatorOffset, 4);
  out.version = zq::load_be16(header.data() + kVersionOffset);
  return out;
}

void store_name(std::span<std::uint8_t, kNameFieldSize> field, std::string_view name) {
  std::fill(field.begin(), field.end(), std::uint8_t{0});
  std::copy_n(name.begin(), std::min(name.size(), kNameFieldSize - 1), field.begin());
}

header_bytes new_header(std::string_view name, four_cc creator, four_cc type, std::uint16_t version) {
  header_bytes header{};
  store_name(std::span(header).subspan<kNameOffset, kNameFieldSize>(), name);
  zq::store_be16(header.data() + kVersionOffset, version);
  std::memcpy(header.data() + kTypeOffset, type.chars.data(), 4);
  std::memcpy(header.data() + kCreatorOffset, creator.chars.data(), 4);
  return header;
}

zq::result_t parse_database_image(std::span<const std::uint8_t> image, database_layout& out) {
  out = database_layout{};
  if (image.size() < kEmptyDatabaseSize) return zq::rc::file_too_short;
  std::copy_n(image.begin(), kHeaderSize, out.header.begin());
  out.next_record_list = zq::load_be32(image.data() + kNextRecordListOffset);
  out.name = name_from_field(image.subspan<kNameOffset, kNameFieldSize>());

  const std::size_t count = zq::load_be16(image.data() + kRecordCountOffset);
  if (count == 0) return zq::rc::ok;
  if (image.size() < kEntriesOffset + kEntrySize * count) {
    out = database_layout{};
    return zq::rc::file_too_short;
  }
  std::vector<std::size_t> offsets(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t offset = zq::load_be32(image.data() + kEntriesOffset + kEntrySize * i);
    if (offset > image.size() || (i > 0 && offset < offsets[i - 1])) {
      out = database_layout{};
      return zq::rc::file_too_short;
    }
    offsets[i] = offset;
  }
  out.records.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t end = i + 1 < count ? offsets[i + 1] : image.size();
    out.records.push_back(image.subspan(offsets[i], end - offsets[i]));
  }
  return zq::rc::ok;
}

bool build_database_image(const header_bytes& header, std::uint32_t next_record_list,
                          std::span<const std::span<const std::uint8_t>> records, std::vector<std::uint8_t>& out) {
  out.clear();
  const std::size_t count = records.size();
  if (count > std::numeric_limits<std::uint16_t>::max()) return false;
  const std::size_t data_start = count == 0 ? kEntriesOffset : kEntriesOffset + kEntrySize * count + 2;
  std::size_t total = data_start;
  for (const auto& record : records) total += record.size();
  // Every record offset must fit the 32-bit entry field (the last one may equal the total).
  if (total > std::numeric_limits<std::uint32_t>::max()) return false;

  out.assign(total, 0);
  std::copy(header.begin(), header.end(), out.begin());
  zq::store_be32(out.data() + kNextRecordListOffset, next_record_list);
  zq::store_be16(out.data() + kRecordCountOffset, static_cast<std::uint16_t>(count));
  std::size_t offset = data_start;
  for (std::size_t i = 0; i < count; ++i) {
    std::uint8_t* entry = out.data() + kEntriesOffset + kEntrySize * i;
    zq::store_be32(entry, static_cast<std::uint32_t>(offset));
    entry[4] = kEntryAttribute;
    entry[5] = static_cast<std::uint8_t>(i >> 16);
    entry[6] = static_cast<std::uint8_t>(i >> 8);
    entry[7] = static_cast<std::uint8_t>(i);
    std::copy(records[i].begin(), records[i].end(), out.begin() + static_cast<std::ptrdiff_t>(offset));
    offset += records[i].size();
  }
  return true;
}

}  // namespace xman
