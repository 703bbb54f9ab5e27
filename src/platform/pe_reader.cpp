#include "platform/pe_reader.h"

#include <set>
#include <string>

#include "base/byte_order.h"
#include "platform/pe_format.h"

namespace platform {
namespace {

// A window onto bytes whose reads fail instead of reaching outside.
class byte_window {
 public:
  explicit byte_window(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool holds(std::uint64_t offset, std::uint64_t size) const {
    return offset <= bytes_.size() && size <= bytes_.size() - offset;
  }
  bool u16(std::uint64_t offset, std::uint16_t& v) const {
    if (!holds(offset, 2)) return false;
    v = zq::load_le16(bytes_.data() + offset);
    return true;
  }
  bool u32(std::uint64_t offset, std::uint32_t& v) const {
    if (!holds(offset, 4)) return false;
    v = zq::load_le32(bytes_.data() + offset);
    return true;
  }
  std::span<const std::uint8_t> bytes() const { return bytes_; }

 private:
  std::span<const std::uint8_t> bytes_;
};

struct section {
  std::uint32_t rva = 0;
  std::uint32_t raw_size = 0;
  std::uint32_t raw_offset = 0;
};

class resource_tree_reader {
 public:
  resource_tree_reader(const byte_window& image, std::vector<section> sections, byte_window directory,
                       std::vector<pe_resource>& out)
      : image_(image), sections_(std::move(sections)), directory_(directory), out_(out) {}

  bool read() { return read_table(0, 0, {}, {}); }

 private:
  // The file offset of [rva, rva + size), which must lie inside one section's stored bytes.
  bool file_offset(std::uint32_t rva, std::uint32_t size, std::uint32_t& offset) const {
    for (const section& s : sections_) {
      const std::uint64_t start = s.rva;
      const std::uint64_t end = start + s.raw_size;
      if (rva >= start && std::uint64_t{rva} + size <= end) {
        offset = s.raw_offset + (rva - s.rva);
        return true;
      }
    }
    return false;
  }

  bool read_name(std::uint32_t field, bool named, resource_name& name) const {
    if (!named) {
      if (field > 0xFFFF) return false;
      name = resource_name(static_cast<std::uint16_t>(field));
      return true;
    }
    const std::uint32_t offset = field & ~pe::high_bit;
    std::uint16_t length = 0;
    if (!directory_.u16(offset, length) || !directory_.holds(std::uint64_t{offset} + 2, 2u * length)) return false;
    std::u16string text(length, u'\0');
    for (std::uint16_t i = 0; i < length; ++i) {
      std::uint16_t c = 0;
      (void)directory_.u16(std::uint64_t{offset} + 2 + 2u * i, c);
      text[i] = static_cast<char16_t>(c);
    }
    name = resource_name(std::move(text));
    return true;
  }

  // Level 0 lists types, 1 ids, 2 languages whose entries point at data entries.
  bool read_table(std::uint32_t offset, int level, const resource_name& type, const resource_name& id) {
    // A table reached twice would be a loop or a shared subtree; neither occurs in a sound library.
    if (!visited_.insert(offset).second) return false;
    std::uint16_t named = 0;
    std::uint16_t numbered = 0;
    if (!directory_.u16(std::uint64_t{offset} + 12, named) || !directory_.u16(std::uint64_t{offset} + 14, numbered)) {
      return false;
    }
    const std::uint32_t count = std::uint32_t{named} + numbered;
    const std::uint64_t first = std::uint64_t{offset} + pe::directory_header_size;
    if (!directory_.holds(first, std::uint64_t{count} * pe::directory_entry_size)) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
      std::uint32_t name_field = 0;
      std::uint32_t target = 0;
      (void)directory_.u32(first + 8u * i, name_field);
      (void)directory_.u32(first + 8u * i + 4, target);
      const bool named_entry = i < named;
      if (((name_field & pe::high_bit) != 0) != named_entry) return false;
      resource_name name;
      if (!read_name(name_field, named_entry, name)) return false;
      const bool is_table = (target & pe::high_bit) != 0;
      if (level < 2) {
        if (!is_table) return false;
        const std::uint32_t sub = target & ~pe::high_bit;
        if (!(level == 0 ? read_table(sub, 1, name, {}) : read_table(sub, 2, type, name))) return false;
      } else {
        if (is_table || !name.is_number() || !read_data_entry(target, type, id, name.number())) return false;
      }
    }
    return true;
  }

  bool read_data_entry(std::uint32_t offset, const resource_name& type, const resource_name& id,
                       std::uint16_t language) {
    std::uint32_t rva = 0;
    std::uint32_t size = 0;
    if (!directory_.holds(offset, pe::data_entry_size)) return false;
    (void)directory_.u32(offset, rva);
    (void)directory_.u32(std::uint64_t{offset} + 4, size);
    std::uint32_t file = 0;
    if (!file_offset(rva, size, file) || !image_.holds(file, size)) return false;
    out_.push_back({type, id, language, file, size});
    return true;
  }

  const byte_window& image_;
  std::vector<section> sections_;
  byte_window directory_;
  std::vector<pe_resource>& out_;
  std::set<std::uint32_t> visited_;
};

bool read_resources(const byte_window& image, std::vector<pe_resource>& out) {
  std::uint16_t mz = 0;
  std::uint32_t pe_offset = 0;
  if (!image.u16(0, mz) || mz != 0x5A4D || !image.u32(pe::dos_pe_offset_field, pe_offset)) return false;
  std::uint32_t signature = 0;
  if (!image.u32(pe_offset, signature) || signature != 0x00004550) return false;
  const std::uint64_t header = std::uint64_t{pe_offset} + 4;
  std::uint16_t section_count = 0;
  std::uint16_t optional_size = 0;
  if (!image.u16(header + 2, section_count) || !image.u16(header + 16, optional_size)) return false;
  const std::uint64_t optional = header + pe::file_header_size;
  std::uint16_t magic = 0;
  std::uint32_t rva_count = 0;
  if (optional_size < pe::optional_header_fields_size || !image.holds(optional, optional_size) ||
      !image.u16(optional + pe::opt_magic, magic) || magic != pe::pe32_magic ||
      !image.u32(optional + pe::opt_rva_count, rva_count) ||
      std::uint64_t{pe::optional_header_fields_size} + 8ull * rva_count > optional_size) {
    return false;
  }
  const std::uint64_t table = optional + optional_size;
  if (section_count > pe::max_sections || !image.holds(table, std::uint64_t{section_count} * pe::section_header_size)) {
    return false;
  }
  std::vector<section> sections;
  for (std::uint16_t i = 0; i < section_count; ++i) {
    const std::uint64_t at = table + std::uint64_t{i} * pe::section_header_size;
    section s;
    (void)image.u32(at + 12, s.rva);
    (void)image.u32(at + 16, s.raw_size);
    (void)image.u32(at + 20, s.raw_offset);
    if (!image.holds(s.raw_offset, s.raw_size)) return false;
    sections.push_back(s);
  }
  if (rva_count <= pe::resource_directory_index) return true;  // no resource directory: no resources
  std::uint32_t directory_rva = 0;
  std::uint32_t directory_size = 0;
  const std::uint64_t entry = optional + pe::optional_header_fields_size + 8 * pe::resource_directory_index;
  (void)image.u32(entry, directory_rva);
  (void)image.u32(entry + 4, directory_size);
  if (directory_rva == 0 && directory_size == 0) return true;
  for (const section& s : sections) {
    if (directory_rva >= s.rva && std::uint64_t{directory_rva} + directory_size <= std::uint64_t{s.rva} + s.raw_size) {
      const byte_window directory(image.bytes().subspan(s.raw_offset + (directory_rva - s.rva), directory_size));
      return resource_tree_reader(image, sections, directory, out).read();
    }
  }
  return false;
}

}  // namespace

zq::result_t read_pe_resources(std::span<const std::uint8_t> image, std::vector<pe_resource>& resources) {
  resources.clear();
  if (image.size() > pe::max_file_size || !read_resources(byte_window(image), resources)) {
    resources.clear();
    return zq::rc::resource_file_damaged;
  }
  return zq::rc::ok;
}

}  // namespace platform
