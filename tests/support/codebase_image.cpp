#include "support/codebase_image.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zqtest {
namespace {

void put16(bytes& out, std::uint32_t value) { out.insert(out.end(), {std::uint8_t(value >> 8), std::uint8_t(value)}); }

void put32(bytes& out, std::uint32_t value) {
  put16(out, value >> 16);
  put16(out, value & 0xFFFF);
}

// The name, its NUL, and with pad a zero byte up to an even length.
void put_name(bytes& out, std::string_view name, bool pad) {
  out.insert(out.end(), name.begin(), name.end());
  out.push_back(0);
  if (pad && out.size() % 2 != 0) out.push_back(0);
}

void put_items(bytes& out, const std::vector<std::int16_t>& items) {
  for (const std::int16_t item : items) put16(out, static_cast<std::uint16_t>(item));
}

}  // namespace

bytes database_header(std::string_view name_field, const char (&type)[5], std::uint16_t version, std::uint16_t count,
                      std::uint32_t next_record_list, const char (&creator)[5]) {
  if (name_field.size() > 32) throw std::invalid_argument("the name field is 32 bytes");
  bytes out(name_field.begin(), name_field.end());
  out.resize(32, 0);
  put16(out, 0);        // attributes
  put16(out, version);  // version
  out.resize(60, 0);    // dates, modification number, info offsets
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), creator, creator + 4);
  put32(out, 0);  // unique ID seed
  put32(out, next_record_list);
  put16(out, count);
  return out;
}

void append_entry(bytes& out, std::uint32_t offset, std::uint8_t attribute, std::uint32_t id) {
  put32(out, offset);
  out.push_back(attribute);
  out.push_back(static_cast<std::uint8_t>(id >> 16));
  put16(out, id & 0xFFFF);
}

bytes database_image(std::string_view name, const char (&type)[5], std::uint16_t version,
                     const std::vector<bytes>& records, const char (&creator)[5]) {
  bytes out = database_header(name, type, version, static_cast<std::uint16_t>(records.size()), 0, creator);
  std::uint32_t offset = static_cast<std::uint32_t>(80 + 8 * records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    append_entry(out, offset, 0x40, static_cast<std::uint32_t>(i));
    offset += static_cast<std::uint32_t>(records[i].size());
  }
  if (!records.empty()) put16(out, 0);
  for (const bytes& record : records) out.insert(out.end(), record.begin(), record.end());
  return out;
}

bytes remote_layout_record() { return {0x01, 0x2A, 0x07, 'r', 'e', 'm', 'o', 't', 'e', 0x00, 0x02}; }

bytes signal_v2_record(std::string_view name, const std::vector<reading_v2>& readings) {
  bytes out{0x00, 0x02};
  put_name(out, name, true);
  put16(out, static_cast<std::uint32_t>(readings.size()));
  for (const reading_v2& reading : readings) {
    put16(out, reading.carrier);
    put16(out, static_cast<std::uint32_t>(reading.items.size()));
    put16(out, reading.repeat);
    put_items(out, reading.items);
  }
  return out;
}

bytes signal_v1_record(std::string_view name, std::uint8_t carrier, const reading_v1& first,
                       const std::optional<reading_v1>& second) {
  bytes out;
  put_name(out, name, true);
  out.insert(out.end(), {0, carrier});  // an ignored byte, the carrier
  for (const reading_v1* reading : {&first, second ? &*second : nullptr}) {
    if (reading == nullptr) continue;
    out.insert(out.end(), {reading->repeat, static_cast<std::uint8_t>(reading->items.size())});
    put_items(out, reading->items);
  }
  return out;
}

bytes macro_record(std::string_view name, const bytes& body) {
  bytes out{0x00, 0x01};
  put_name(out, name, false);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

void write_bytes(const std::filesystem::path& path, const bytes& content) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

bytes read_bytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path.string());
  return bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> listing(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace zqtest
