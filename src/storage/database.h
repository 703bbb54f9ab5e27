// An open database file held in memory: the whole file image, with records used in place until
// they are replaced. Saving replaces the stored file all-or-nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "platform/file_system.h"
#include "storage/database_file.h"

namespace xman {

class database {
 public:
  enum class open_mode_t { read_only, read_write };

  database();
  ~database();
  database(const database&) = delete;
  database& operator=(const database&) = delete;

  // Closes whatever is open, then opens and loads the file. 0, 1022/1023, or 1024 for a file
  // shorter than its header or record list, or whose record offsets lie outside it or decrease.
  // On failure the object is closed.
  [[nodiscard]] zq::result_t open(std::wstring_view path, open_mode_t mode);
  // Closes whatever is open, then loads a whole file image held in memory, with the checks of
  // open. The database has no file: it can be read and changed but not saved (save gives 1023).
  [[nodiscard]] zq::result_t load_image(std::vector<std::uint8_t> image);
  void close();
  bool is_open() const;

  std::size_t record_count() const;
  // Valid until the record is replaced or removed, or the database is closed.
  std::span<const std::uint8_t> record(std::size_t index) const;
  void add_record(std::span<const std::uint8_t> data);
  void replace_record(std::size_t index, std::span<const std::uint8_t> data);
  void remove_record(std::size_t index);

  // Writes the database back to its file (opened read-write); the previous file stays whole
  // until the new one has taken its place. The complete new image goes to a sibling file, which
  // is flushed and renamed over the file; the file is then opened again with the object's mode.
  // Records obtained before the save stay valid. Results:
  //   0;
  //   1023 when the database was not opened read-write from a file (closed, read-only, image);
  //   1025 when the records cannot be stored in one file (over 65535 records or 4 GiB);
  //   1022 when a step failed with a system error. When the new file could not take the old
  //        one's place, the stored file is untouched and no sibling remains; when only the
  //        re-opening failed, the file holds the new content and the object, still usable, holds
  //        no handle until the next successful save.
  [[nodiscard]] zq::result_t save();

  const std::string& name() const;
  const std::wstring& path() const;
  four_cc type() const;
  four_cc creator() const;
  std::uint16_t version() const;
  // Header fields changed in memory are written by the next save.
  void set_type(four_cc type);
  void set_version(std::uint16_t version);

 private:
  struct state;
  std::unique_ptr<state> state_;
};

}  // namespace xman
