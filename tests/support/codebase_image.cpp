#include "support/codebase_image.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zqtest {
namespace {

void put16(bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value));
}

void put32(bytes& out, std::uint32_t value) {
  put16(out, value >> 16);
  put16(out, value & 0xFFFF);
}

void put_text(bytes& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

void put_items(bytes& out, const std::vector<std::int16_t>& items) {
  for (const std::int16_t item : items) put16(out, static_cast<std::uint16_t>(item));
}

}  // namespace

bytes database_image(std::string_view name, const char (&type)[5], std::uint16_t version,
                     const std::vector<bytes>& records, const char (&creator)[5]) {
  bytes out(32, 0);
  for (std::size_t i = 0; i < name.size() && i < 31; ++i) out[i] = static_cast<std::uint8_t>(name[i]);
  put16(out, 0);        // attributes
  put16(out, version);  // version
  out.resize(60, 0);    // dates, modification number, info offsets
  put_text(out, std::string_view(type, 4));
  put_text(out, std::string_view(creator, 4));
  put32(out, 0);  // unique ID seed
  put32(out, 0);  // next record list
  put16(out, static_cast<std::uint32_t>(records.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(80 + 8 * records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    put32(out, offset);
    out.push_back(0x40);
    out.push_back(static_cast<std::uint8_t>(i >> 16));
    put16(out, static_cast<std::uint32_t>(i & 0xFFFF));
    offset += static_cast<std::uint32_t>(records[i].size());
  }
  if (!records.empty()) put16(out, 0);
  for (const bytes& record : records) out.insert(out.end(), record.begin(), record.end());
  return out;
}

bytes remote_layout_record() { return {0x01, 0x2A, 0x07, 'r', 'e', 'm', 'o', 't', 'e', 0x00, 0x02}; }

bytes signal_v2_record(std::string_view name, const std::vector<reading_v2>& readings) {
  bytes out{0x00, 0x02};
  put_text(out, name);
  out.push_back(0);
  if (out.size() % 2 != 0) out.push_back(0);
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
  put_text(out, name);
  out.push_back(0);
  if (out.size() % 2 != 0) out.push_back(0);
  out.push_back(0);  // ignored
  out.push_back(carrier);
  for (const reading_v1* reading : {&first, second ? &*second : nullptr}) {
    if (reading == nullptr) continue;
    out.push_back(reading->repeat);
    out.push_back(static_cast<std::uint8_t>(reading->items.size()));
    put_items(out, reading->items);
  }
  return out;
}

bytes macro_record(std::string_view name, const bytes& body) {
  bytes out{0x00, 0x01};
  put_text(out, name);
  out.push_back(0);
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

}  // namespace zqtest
