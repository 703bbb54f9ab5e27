// A codebase opened by name for reading: one database of the codebases catalog whose record 0 is
// the layout document and whose later records are named signals and macros (see
// storage/codebase_record.h). Signals and macros are found by name through two indexes whose keys
// point into the record data; the indexes are rebuilt whenever the records change, so no key
// survives a change.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "storage/database.h"
#include "storage/database_catalog.h"

namespace xman {

// Name -> record index. Byte-wise, case-sensitive order.
using codebase_index = std::map<std::string_view, std::uint16_t, std::less<>>;

class codebase {
 public:
  // The catalog the codebase is looked up in; it must outlive the object.
  explicit codebase(database_catalog& catalog);
  virtual ~codebase();
  codebase(const codebase&) = delete;
  codebase& operator=(const codebase&) = delete;

  // Closes whatever is open and opens the named codebase read-only. 1023 when the name is not in
  // the catalog, the database's open codes, or 1041 (and nothing open) when its version is newer
  // than this program knows.
  [[nodiscard]] virtual zq::result_t open(std::string_view name);
  // Opens a codebase held in memory as a whole database file image (a file received from outside
  // or a test input): read-only, with the checks and the version rule of open. 1024 for an image
  // the database layout rejects.
  [[nodiscard]] zq::result_t open_image(std::vector<std::uint8_t> image);
  virtual void close();
  bool is_open() const { return database_.is_open(); }
  // The catalog name the open codebase was opened under.
  const std::string& name() const { return name_; }
  // Header values of the open codebase (as they will be saved); empty and 0 when closed.
  four_cc type() const { return is_open() ? database_.type() : four_cc{}; }
  std::uint16_t version() const { return is_open() ? database_.version() : 0; }

  // Record 0; 1042 when the codebase has no records.
  [[nodiscard]] zq::result_t layout(std::span<const std::uint8_t>& out) const;

  // Record index of the named signal or macro, -1 when absent. With several records of one name,
  // the lowest index is the one found.
  int signal_index_of(std::string_view name) const;
  int macro_index_of(std::string_view name) const;
  bool has_signal(std::string_view name) const { return signal_index_of(name) > 0; }
  bool has_macro(std::string_view name) const { return macro_index_of(name) > 0; }
  const codebase_index& signals() const { return signals_; }
  const codebase_index& macros() const { return macros_; }

  std::size_t record_count() const { return database_.is_open() ? database_.record_count() : 0; }
  // Valid until the next change or close; empty for an index out of range.
  std::span<const std::uint8_t> record(std::size_t index) const;

 protected:
  [[nodiscard]] zq::result_t open_in_mode(std::string_view name, database::open_mode_t mode);
  // After the database was opened or loaded: the version rule, then the indexes.
  [[nodiscard]] zq::result_t finish_open(std::string_view name);
  void rebuild_indexes();

  database_catalog& catalog_;
  database database_;

 private:
  std::string name_;
  codebase_index signals_;
  codebase_index macros_;
};

}  // namespace xman
