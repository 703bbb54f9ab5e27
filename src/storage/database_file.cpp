#include "storage/database_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/byte_order.h"
#include "platform/file_system.h"
#include "storage/database_image.h"
#include "storage/file_replacement.h"

namespace xman {

bool is_valid_database_name(std::string_view name) {
  return name.size() <= kMaxNameLength && name.find('\0') == std::string_view::npos;
}

zq::result_t create_database_file(std::wstring_view path, std::string_view name, four_cc creator, four_cc type,
                                  std::uint16_t version) {
  if (!is_valid_database_name(name)) return zq::rc::create_failed;
  // An empty database is its header followed by a zero next-record-list field and record count.
  std::array<std::uint8_t, kEmptyDatabaseSize> bytes{};
  const header_bytes header = new_header(name, creator, type, version);
  std::copy(header.begin(), header.end(), bytes.begin());

  platform::file out;
  if (platform::open_file(path, platform::file_access_t::read_write, platform::file_create_t::create_new, out) != 0) {
    return zq::rc::create_failed;
  }
  int error = platform::write_file_at(out, 0, bytes.data(), bytes.size());
  if (error == 0) error = platform::flush_file(out);
  out.close();
  if (error != 0) {
    // A partly written file must not pass for a database.
    (void)platform::delete_file(path);
    return zq::rc::create_failed;
  }
  return zq::rc::ok;
}

zq::result_t store_database_file(std::wstring_view path, std::string_view name, four_cc creator, four_cc type,
                                 std::uint16_t version, std::span<const std::span<const std::uint8_t>> records) {
  if (!is_valid_database_name(name)) return zq::rc::create_failed;
  std::vector<std::uint8_t> image;
  if (!build_database_image(new_header(name, creator, type, version), 0, records, image)) {
    return zq::rc::create_failed;
  }
  // A read-only flag would not stop the rename, but the stored file is meant to be writable.
  (void)platform::set_normal_attributes(path);
  return replace_file(path, image) == 0 ? zq::rc::ok : zq::rc::create_failed;
}

zq::result_t read_database_header(std::wstring_view path, database_header& out) {
  // Only reading follows, which a read-only flag does not hinder.
  (void)platform::set_normal_attributes(path);
  platform::file in;
  if (platform::open_file(path, platform::file_access_t::read_only, platform::file_create_t::open_existing, in) != 0) {
    return zq::rc::open_system_error;
  }
  header_bytes header{};
  std::size_t got = 0;
  if (platform::read_file_at(in, 0, header.data(), header.size(), got) != 0) return zq::rc::open_system_error;
  if (got < header.size()) return zq::rc::file_too_short;
  out = parse_header(header);
  return zq::rc::ok;
}

namespace {

// Reads a stored file whose header is to change: 0, 1022 or 1024.
zq::result_t read_for_header_change(std::wstring_view path, std::vector<std::uint8_t>& content) {
  (void)platform::set_normal_attributes(path);
  if (platform::read_whole_file(path, content) != 0) return zq::rc::open_system_error;
  if (content.size() < kHeaderSize) return zq::rc::file_too_short;
  return zq::rc::ok;
}

}  // namespace

zq::result_t update_database_header(std::wstring_view path, std::optional<four_cc> creator,
                                    std::optional<four_cc> type, std::optional<std::uint16_t> version) {
  std::vector<std::uint8_t> content;
  if (const zq::result_t result = read_for_header_change(path, content); result != zq::rc::ok) return result;
  const std::vector<std::uint8_t> before = content;
  if (creator) std::memcpy(content.data() + kCreatorOffset, creator->chars.data(), 4);
  if (type) std::memcpy(content.data() + kTypeOffset, type->chars.data(), 4);
  if (version) zq::store_be16(content.data() + kVersionOffset, *version);
  if (content == before) return zq::rc::ok;
  return replace_file(path, content) == 0 ? zq::rc::ok : zq::rc::open_system_error;
}

zq::result_t write_database_name(std::wstring_view path, std::string_view name) {
  if (!is_valid_database_name(name)) return zq::rc::create_failed;
  std::vector<std::uint8_t> content;
  if (const zq::result_t result = read_for_header_change(path, content); result != zq::rc::ok) return result;
  store_name(std::span(content).subspan<kNameOffset, kNameFieldSize>(), name);
  return replace_file(path, content) == 0 ? zq::rc::ok : zq::rc::open_system_error;
}

}  // namespace xman
