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

  database() = default;
  ~database();
  database(const database&) = delete;
  database& operator=(const database&) = delete;

  // Closes whatever is open, then opens and loads the file. 0, 1022/1023, or 1024 for a file
  // shorter than its header or record list, or whose record offsets lie outside it or decrease.
  // On failure the object is closed.
  [[nodiscard]] zq::result_t open(std::wstring_view path, open_mode_t mode);
  void close();
  bool is_open() const;

  std::size_t record_count() const;
  // Valid until the record is replaced or removed, or the database is closed.
  std::span<const std::uint8_t> record(std::size_t index) const;
  void add_record(std::span<const std::uint8_t> data);
  void replace_record(std::size_t index, std::span<const std::uint8_t> data);
  void remove_record(std::size_t index);

  // Writes the database back to its file (opened read-write); the previous file stays whole
  // until the new one has taken its place.
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
