// A folder of database files indexed by internal name and filtered by (creator, type). Databases
// are found by their internal name, never by their file name; the file name is derived from the
// internal name when a file is created, copied or renamed, and made unique in the folder.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/result.h"
#include "storage/database_file.h"

namespace xman {

using catalog_filter = std::vector<std::pair<four_cc, four_cc>>;  // (creator, type)

struct catalog_entry {
  std::wstring path;
  four_cc creator;
  four_cc type;
  std::uint16_t version = 0;
};

class database_catalog {
 public:
  // Normalises the folder (one leading backslash of a run, a trailing backslash), stores the
  // filter and scans.
  void set_up(std::wstring_view folder, catalog_filter filter);
  void scan();

  const std::wstring& folder() const { return folder_; }
  std::vector<std::string> names() const;
  std::vector<std::string> names(const catalog_filter& filter) const;
  std::optional<std::wstring> path_of(std::string_view name) const;
  // In the catalog and its file exists.
  bool exists(std::string_view name) const;
  std::optional<catalog_entry> attributes_of(std::string_view name) const;
  // Updates the header on disk, then the catalog.
  [[nodiscard]] zq::result_t set_attributes(std::string_view name, std::optional<four_cc> creator,
                                            std::optional<four_cc> type, std::optional<std::uint16_t> version);
  // Updates the catalog only (the file was changed by its open database).
  void set_attributes_in_catalog(std::string_view name, std::optional<four_cc> creator, std::optional<four_cc> type,
                                 std::optional<std::uint16_t> version);

  // create, duplicate and rename give 1025 for a new name that is not valid (over 31 bytes or
  // holding a NUL, see is_valid_database_name) or that the catalog already holds, 1021 when no
  // unique file path fits, and 1023 for an old name not in the catalog.
  //
  // Creates the folder when missing and an empty database file; 1025 when it cannot be made.
  [[nodiscard]] zq::result_t create(std::string_view name, four_cc creator, four_cc type, std::uint16_t version);
  // Stores a whole new database of this name with these records: over the file of the database
  // the catalog holds under the name (all-or-nothing: that database stays whole until the new one
  // has taken its place), or in a new file. 0, or 1025 for a name that is not valid, or when the
  // records do not fit one file or a step failed; 1021 when no unique file path fits.
  [[nodiscard]] zq::result_t store(std::string_view name, four_cc creator, four_cc type, std::uint16_t version,
                                   std::span<const std::span<const std::uint8_t>> records);
  // Copies the file (1028 when the copy fails) and writes the new name into the copy; on failure
  // no copy remains.
  [[nodiscard]] zq::result_t duplicate(std::string_view old_name, std::string_view new_name);
  // Copies the file (1027), writes the new name into the copy, then deletes the old file (1026);
  // on failure the copy is removed and the old database stays as it was. Renaming a database to
  // its own name changes nothing.
  [[nodiscard]] zq::result_t rename(std::string_view old_name, std::string_view new_name);
  // Deletes the file; a name not in the catalog, or a file already gone, is success. 1026 when the
  // file cannot be deleted; the entry then stays.
  [[nodiscard]] zq::result_t remove(std::string_view name);
  // Hands the file to the system's beaming program: 0, -1 when there is none or it cannot be
  // started, 1023 for a name not in the catalog.
  [[nodiscard]] zq::result_t beam(std::string_view name) const;

  // The unique file path a new database of this name would get (1021 when none fits).
  [[nodiscard]] zq::result_t unique_path(std::string_view name, std::wstring& out) const;

 private:
  // unique_path for a new database name after checking the name.
  [[nodiscard]] zq::result_t new_file_path(std::string_view name, std::wstring& out) const;
  void create_folder() const;

  std::wstring folder_;
  catalog_filter filter_;
  std::map<std::string, catalog_entry, std::less<>> entries_;
};

}  // namespace xman
