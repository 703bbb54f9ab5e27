#include "storage/main_profile.h"

#include "platform/file_system.h"
#include "storage/database.h"
#include "storage/database_file.h"
#include "storage/room_document.h"

namespace xman {

zq::result_t read_first_record(std::wstring_view path, std::vector<std::uint8_t>& out) {
  database db;
  if (const zq::result_t result = db.open(path, database::open_mode_t::read_only); result != zq::rc::ok) {
    return result;
  }
  // A database without its first record is cut short: there is nothing to read.
  if (db.record_count() == 0) return zq::rc::file_too_short;
  const std::span<const std::uint8_t> record = db.record(0);
  out.assign(record.begin(), record.end());
  return zq::rc::ok;
}

zq::result_t main_profile::save(remote::room_state& room) const {
  room.name = remote::kDefaultRoomName;
  std::vector<std::uint8_t> document;
  if (const zq::result_t result = write_room_document(room, document); result != zq::rc::ok) return result;
  return store_record(document);
}

zq::result_t main_profile::load(remote::room_state& room, const codebase_catalog* codebases) const {
  if (!platform::path_exists(path_)) return zq::rc::ok;
  std::vector<std::uint8_t> document;
  if (const zq::result_t result = read_record(document); result != zq::rc::ok) return result;
  return read_room_document(document, room, codebases);
}

zq::result_t main_profile::read_record(std::vector<std::uint8_t>& out) const { return read_first_record(path_, out); }

zq::result_t main_profile::store_record(std::span<const std::uint8_t> record) const {
  const std::span<const std::uint8_t> records[] = {record};
  return store_database_file(path_, kMainProfileName, kCreator, kTypeMainProfile, 0, records);
}

}  // namespace xman
