#include "support/pdb_layout.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zqtest::pdb {

void append_be16(bytes& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value));
}

void append_be32(bytes& out, std::uint32_t value) {
  append_be16(out, static_cast<std::uint16_t>(value >> 16));
  append_be16(out, static_cast<std::uint16_t>(value));
}

namespace {
void append_code(bytes& out, std::string_view code) {
  if (code.size() != 4) throw std::invalid_argument("four-character code expected");
  out.insert(out.end(), code.begin(), code.end());
}
}  // namespace

bytes header(std::string_view name_field, std::string_view type, std::string_view creator, std::uint16_t version,
             std::uint16_t count, std::uint32_t next_record_list) {
  if (name_field.size() > 32) throw std::invalid_argument("name field is 32 bytes");
  bytes out(name_field.begin(), name_field.end());
  out.resize(32, 0);
  append_be16(out, 0);        // attributes
  append_be16(out, version);  // version
  out.resize(out.size() + 24, 0);  // three dates, modification number, app info and sort info offsets
  append_code(out, type);
  append_code(out, creator);
  append_be32(out, 0);  // unique ID seed
  append_be32(out, next_record_list);
  append_be16(out, count);
  return out;
}

void append_entry(bytes& out, std::uint32_t offset, std::uint8_t attribute, std::uint32_t id) {
  append_be32(out, offset);
  out.push_back(attribute);
  out.push_back(static_cast<std::uint8_t>(id >> 16));
  out.push_back(static_cast<std::uint8_t>(id >> 8));
  out.push_back(static_cast<std::uint8_t>(id));
}

bytes file(std::string_view name, std::string_view type, std::uint16_t version, const std::vector<bytes>& records,
           std::string_view creator) {
  const auto count = static_cast<std::uint16_t>(records.size());
  bytes out = header(name, type, creator, version, count);
  std::uint32_t offset = 80 + 8 * count;
  for (std::uint16_t i = 0; i < count; ++i) {
    append_entry(out, offset, 0x40, i);
    offset += static_cast<std::uint32_t>(records[i].size());
  }
  if (count > 0) append_be16(out, 0);
  for (const auto& record : records) out.insert(out.end(), record.begin(), record.end());
  return out;
}

void write(const std::filesystem::path& path, const bytes& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

bytes read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> listing(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace zqtest::pdb
