#include "platform/pe_writer.h"

#include <algorithm>
#include <cassert>
#include <map>

#include "base/byte_order.h"
#include "platform/pe_format.h"

namespace platform {
namespace {

constexpr std::uint32_t file_alignment = 0x200;
constexpr std::uint32_t section_alignment = 0x1000;
constexpr std::uint32_t section_rva = 0x1000;
constexpr std::uint32_t headers_size = 0x200;  // everything before the section, file-aligned
constexpr std::uint32_t pe_offset = 0x40;
constexpr std::uint32_t image_base = 0x10000000;

std::uint64_t align(std::uint64_t v, std::uint64_t to) { return (v + to - 1) / to * to; }

using language_map = std::map<std::uint16_t, const pe_resource_input*>;
using id_map = std::map<resource_name, language_map>;
using type_map = std::map<resource_name, id_map>;

// Lays out the resource section: every directory table, then the data entries, then the names,
// then the data, each resource aligned to 8 bytes.
class section_builder {
 public:
  explicit section_builder(const type_map& types) : types_(types) {}

  std::vector<std::uint8_t> build() {
    // Pass 1: offsets of tables, data entries and names.
    std::uint64_t at = table_size(types_.size());
    for (const auto& [type, ids] : types_) {
      at += table_size(ids.size());
      for (const auto& [id, languages] : ids) at += table_size(languages.size());
    }
    data_entries_ = at;
    std::size_t leaves = 0;
    for (const auto& [type, ids] : types_) {
      for (const auto& [id, languages] : ids) leaves += languages.size();
    }
    names_ = data_entries_ + pe::data_entry_size * leaves;
    std::uint64_t names_end = names_;
    for (const auto& [type, ids] : types_) {
      names_end += name_size(type);
      for (const auto& [id, languages] : ids) names_end += name_size(id);
    }
    std::uint64_t data = align(names_end, 8);
    std::uint64_t end = data;
    for (const auto& [type, ids] : types_) {
      for (const auto& [id, languages] : ids) {
        for (const auto& [language, input] : languages) end = align(end + input->data.size(), 8);
      }
    }
    bytes_.assign(end, 0);

    // Pass 2: write them.
    std::uint64_t next_table = table_size(types_.size());
    std::uint64_t next_entry = data_entries_;
    std::uint64_t next_name = names_;
    std::uint64_t next_data = data;
    write_table_header(0, types_.size(), count_named(types_));
    std::size_t type_index = 0;
    for (const auto& [type, ids] : types_) {
      const std::uint64_t type_table = next_table;
      next_table += table_size(ids.size());
      write_entry(0, type_index++, name_field(type, next_name), pe::high_bit | static_cast<std::uint32_t>(type_table));
      write_table_header(type_table, ids.size(), count_named(ids));
      std::size_t id_index = 0;
      for (const auto& [id, languages] : ids) {
        const std::uint64_t id_table = next_table;
        next_table += table_size(languages.size());
        write_entry(type_table, id_index++, name_field(id, next_name), pe::high_bit | static_cast<std::uint32_t>(id_table));
        write_table_header(id_table, languages.size());
        std::size_t language_index = 0;
        for (const auto& [language, input] : languages) {
          write_entry(id_table, language_index++, language, static_cast<std::uint32_t>(next_entry));
          zq::store_le32(&bytes_[next_entry], static_cast<std::uint32_t>(section_rva + next_data));
          zq::store_le32(&bytes_[next_entry + 4], static_cast<std::uint32_t>(input->data.size()));
          next_entry += pe::data_entry_size;
          std::copy(input->data.begin(), input->data.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(next_data));
          next_data = align(next_data + input->data.size(), 8);
        }
      }
    }
    return std::move(bytes_);
  }

 private:
  static std::uint64_t table_size(std::size_t entries) {
    return pe::directory_header_size + pe::directory_entry_size * entries;
  }
  static std::uint64_t name_size(const resource_name& name) {
    return name.is_number() ? 0 : 2 + 2 * name.text().size();
  }
  template <typename Map>
  static std::size_t count_named(const Map& map) {
    return static_cast<std::size_t>(std::count_if(map.begin(), map.end(), [](const auto& e) { return !e.first.is_number(); }));
  }
  void write_table_header(std::uint64_t at, std::size_t entries, std::size_t named = 0) {
    zq::store_le16(&bytes_[at + 12], static_cast<std::uint16_t>(named));
    zq::store_le16(&bytes_[at + 14], static_cast<std::uint16_t>(entries - named));
  }
  void write_entry(std::uint64_t table, std::size_t index, std::uint32_t name, std::uint32_t target) {
    const std::uint64_t at = table + pe::directory_header_size + pe::directory_entry_size * index;
    zq::store_le32(&bytes_[at], name);
    zq::store_le32(&bytes_[at + 4], target);
  }
  // The entry's name field; a name is stored at next_name, which advances.
  std::uint32_t name_field(const resource_name& name, std::uint64_t& next_name) {
    if (name.is_number()) return name.number();
    const std::uint64_t at = next_name;
    zq::store_le16(&bytes_[at], static_cast<std::uint16_t>(name.text().size()));
    // Stored in upper case, as resource compilers store names; lookups ignore case anyway.
    for (std::size_t i = 0; i < name.text().size(); ++i) {
      const char16_t c = name.text()[i];
      zq::store_le16(&bytes_[at + 2 + 2 * i], static_cast<std::uint16_t>(c >= u'a' && c <= u'z' ? c - 0x20 : c));
    }
    next_name += name_size(name);
    return pe::high_bit | static_cast<std::uint32_t>(at);
  }

  const type_map& types_;
  std::uint64_t data_entries_ = 0;
  std::uint64_t names_ = 0;
  std::vector<std::uint8_t> bytes_;
};

void put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) { zq::store_le16(&b[at], static_cast<std::uint16_t>(v)); }
void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) { zq::store_le32(&b[at], v); }

void write_headers(std::vector<std::uint8_t>& image, std::uint32_t section_size, std::uint32_t raw_size) {
  image[0] = 'M';
  image[1] = 'Z';
  put32(image, pe::dos_pe_offset_field, pe_offset);
  put32(image, pe_offset, 0x00004550);  // "PE\0\0"
  const std::size_t header = pe_offset + 4;
  put16(image, header + 0, 0x01C0);      // ARM, the handheld's processor
  put16(image, header + 2, 1);           // one section
  put16(image, header + 16, pe::optional_header_size);
  put16(image, header + 18, 0x210F);     // DLL, 32-bit, executable image, no relocations, stripped
  const std::size_t opt = header + pe::file_header_size;
  const std::uint32_t image_size = static_cast<std::uint32_t>(align(section_rva + section_size, section_alignment));
  put16(image, opt + 0, pe::pe32_magic);
  image[opt + 2] = 6;                    // linker version 6.0
  put32(image, opt + 8, raw_size);       // size of initialised data
  put32(image, opt + 24, section_rva);   // base of data
  put32(image, opt + 28, image_base);
  put32(image, opt + 32, section_alignment);
  put32(image, opt + 36, file_alignment);
  put16(image, opt + 40, 4);             // operating system version 4.0
  put16(image, opt + 48, 4);             // subsystem version 4.0
  put32(image, opt + 56, image_size);
  put32(image, opt + 60, headers_size);
  put16(image, opt + 68, 9);             // Windows CE GUI
  put32(image, opt + 72, 0x10000);       // stack reserve
  put32(image, opt + 76, 0x1000);        // stack commit
  put32(image, opt + 80, 0x100000);      // heap reserve
  put32(image, opt + 84, 0x1000);        // heap commit
  put32(image, opt + pe::opt_rva_count, pe::data_directory_count);
  const std::size_t resource_entry = opt + pe::optional_header_fields_size + 8 * pe::resource_directory_index;
  put32(image, resource_entry, section_rva);
  put32(image, resource_entry + 4, section_size);
  const std::size_t section = opt + pe::optional_header_size;
  std::copy_n(".rsrc", 5, image.begin() + static_cast<std::ptrdiff_t>(section));
  put32(image, section + 8, section_size);
  put32(image, section + 12, section_rva);
  put32(image, section + 16, raw_size);
  put32(image, section + 20, headers_size);
  put32(image, section + 36, 0x40000040);  // initialised data, readable
}

}  // namespace

zq::result_t write_pe_library(std::span<const pe_resource_input> resources, std::vector<std::uint8_t>& image) {
  image.clear();
  type_map types;
  std::uint64_t total = 0;
  for (const pe_resource_input& r : resources) {
    const bool added = types[r.type][r.id].emplace(r.language, &r).second;
    assert(added && "a resource appears twice");
    (void)added;
    total += r.data.size();
    for (const resource_name* name : {&r.type, &r.id}) {
      if (!name->is_number() && name->text().size() > 0xFFFF) return zq::rc::resource_too_large;
    }
  }
  if (total > pe::max_file_size) return zq::rc::resource_too_large;
  const std::vector<std::uint8_t> section = section_builder(types).build();
  if (section.size() + headers_size > pe::max_file_size) return zq::rc::resource_too_large;
  const auto section_size = static_cast<std::uint32_t>(section.size());
  const auto raw_size = static_cast<std::uint32_t>(align(section_size, file_alignment));
  image.assign(headers_size + raw_size, 0);
  write_headers(image, section_size, raw_size);
  std::copy(section.begin(), section.end(), image.begin() + headers_size);
  return zq::rc::ok;
}

}  // namespace platform
