// Database and codebase files written byte by byte in the stored layout, independent of the
// program's own writers, so that tests read what a file on disk really holds (broken files too).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zqtest {

using bytes = std::vector<std::uint8_t>;

// The 78 bytes before the record entries: the name field as given (NUL-padded to 32 bytes),
// attributes 0, the version, dates and offsets 0, type, creator, unique ID seed 0, the next record
// list and the record count.
bytes database_header(std::string_view name_field, const char (&type)[5], std::uint16_t version, std::uint16_t count,
                      std::uint32_t next_record_list = 0, const char (&creator)[5] = "zQed");
// One record entry: offset, attribute byte, 3-byte unique ID.
void append_entry(bytes& out, std::uint32_t offset, std::uint8_t attribute, std::uint32_t id);

// A whole database file: the header, entries (offset, attribute 0x40, ID = index), two zero bytes
// when there are records, then the records back to back.
bytes database_image(std::string_view name, const char (&type)[5], std::uint16_t version,
                     const std::vector<bytes>& records, const char (&creator)[5] = "zQed");

// The smallest layout document: an element "remote" with neither attributes nor content.
bytes remote_layout_record();

// A format-version-2 signal reading: carrier period, repeat index, 16-bit items.
struct reading_v2 {
  std::uint16_t carrier = 0;
  std::uint16_t repeat = 0;
  std::vector<std::int16_t> items;
};
// 00 02, the name, its NUL, a pad byte up to an even offset, the reading count, the readings.
bytes signal_v2_record(std::string_view name, const std::vector<reading_v2>& readings);

// A format-version-1 signal reading: repeat index and items, counted in one byte.
struct reading_v1 {
  std::uint8_t repeat = 0;
  std::vector<std::int16_t> items;
};
// The name from byte 0, its NUL, a pad byte up to an even offset, an ignored byte, the carrier
// byte, then one or two readings (repeat byte, count byte, items).
bytes signal_v1_record(std::string_view name, std::uint8_t carrier, const reading_v1& first,
                       const std::optional<reading_v1>& second = std::nullopt);

// 00 01, the name, its NUL, then the body as given.
bytes macro_record(std::string_view name, const bytes& body);

void write_bytes(const std::filesystem::path& path, const bytes& content);
bytes read_bytes(const std::filesystem::path& path);
// The names of the entries of a folder, sorted.
std::vector<std::string> listing(const std::filesystem::path& folder);

}  // namespace zqtest
