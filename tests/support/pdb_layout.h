// Database files assembled byte by byte from the stored layout, field by field, so that tests can
// write exactly what they mean (including broken files) without the program's own writer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zqtest::pdb {

using bytes = std::vector<std::uint8_t>;

void append_be16(bytes& out, std::uint16_t value);
void append_be32(bytes& out, std::uint32_t value);

// The 78 bytes before the record entries: the name field (the raw bytes given, NUL-padded to 32),
// attributes 0, the version, dates and offsets 0, type, creator, unique ID seed 0, the next record
// list and the record count as given.
bytes header(std::string_view name_field, std::string_view type, std::string_view creator, std::uint16_t version,
             std::uint16_t count, std::uint32_t next_record_list = 0);
// One record entry.
void append_entry(bytes& out, std::uint32_t offset, std::uint8_t attribute, std::uint32_t id);

// A well-formed file with these records, laid out as the program writes them.
bytes file(std::string_view name, std::string_view type, std::uint16_t version, const std::vector<bytes>& records,
           std::string_view creator = "zQed");

void write(const std::filesystem::path& path, const bytes& content);
bytes read(const std::filesystem::path& path);
// The names of the entries of a folder, sorted.
std::vector<std::string> listing(const std::filesystem::path& folder);

}  // namespace zqtest::pdb
