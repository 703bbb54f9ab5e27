// The byte layout of a whole database file image (see database_file.h for the table): checking an
// image read from outside and finding its records, and forming the image of a database to store.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "storage/database_file.h"

namespace xman {

// Field offsets inside the header.
inline constexpr std::size_t kNameOffset = 0;
inline constexpr std::size_t kNameFieldSize = 32;
inline constexpr std::size_t kVersionOffset = 34;
inline constexpr std::size_t kTypeOffset = 60;
inline constexpr std::size_t kCreatorOffset = 64;
inline constexpr std::size_t kNextRecordListOffset = 72;
inline constexpr std::size_t kRecordCountOffset = 76;
inline constexpr std::size_t kEntriesOffset = 78;
inline constexpr std::size_t kEntrySize = 8;
inline constexpr std::uint8_t kEntryAttribute = 0x40;

using header_bytes = std::array<std::uint8_t, kHeaderSize>;

// The internal name held in a 32-byte name field: spaces at its end (from byte 30 backwards) are
// taken as padding, and the name ends at the first NUL or after 32 bytes.
std::string name_from_field(std::span<const std::uint8_t, kNameFieldSize> field);
// Name, creator, type and version of a header.
database_header parse_header(std::span<const std::uint8_t, kHeaderSize> header);
// Writes a name into a header's name field, NUL-padded. The name must be valid.
void store_name(std::span<std::uint8_t, kNameFieldSize> field, std::string_view name);
// The header of a new database: the name, version, type and creator, every other field zero.
// The name must be valid.
header_bytes new_header(std::string_view name, four_cc creator, four_cc type, std::uint16_t version);

// A file image checked and split into records; the records point into the image given.
struct database_layout {
  header_bytes header{};
  std::uint32_t next_record_list = 0;
  std::string name;
  std::vector<std::span<const std::uint8_t>> records;
};

// 0, or 1024 when the image is shorter than the header or its record entries, or a record
// offset lies beyond the image or below the offset before it.
[[nodiscard]] zq::result_t parse_database_image(std::span<const std::uint8_t> image, database_layout& out);

// The image of a database with these records: the header, the next-record-list field, the
// count, the entries (attribute 0x40, unique ID = index), two zero bytes when there are records,
// and the records back to back. False when it cannot be expressed: more than 65535 records, or
// offsets that would not fit in 32 bits.
[[nodiscard]] bool build_database_image(const header_bytes& header, std::uint32_t next_record_list,
                                        std::span<const std::span<const std::uint8_t>> records,
                                        std::vector<std::uint8_t>& out);

}  // namespace xman
