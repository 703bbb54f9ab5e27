// The operations the program uses on the codebases catalog, all by codebase name: listing,
// creation with a layout and initial records, copying, renaming, deleting, beaming, the editor's
// marks and the version checks. The codebases catalog holds types "Rdat", "Rda1" and "temp";
// the list shown to the user leaves out "temp" (codebases being edited).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "storage/database_catalog.h"

namespace xman {

class codebase_catalog {
 public:
  // The filter the codebases catalog is set up with.
  static catalog_filter filter();
  // The kinds listed to the user.
  static catalog_filter listed_filter();

  // The catalog must outlive this object.
  explicit codebase_catalog(database_catalog& catalog) : catalog_(catalog) {}
  database_catalog& databases() const { return catalog_; }

  // Names of "Rdat" and "Rda1" codebases in name order; rescans the folder first when asked.
  std::vector<std::string> list(bool rescan) const;

  // Creates a codebase of the current kind ("zQed", "Rda1", 330) whose record 0 is the layout,
  // followed by the initial records in order. A name the catalog holds already, or one that does
  // not fit a database name, is 1025. On any failure the half-made database is deleted again and
  // the error returned.
  [[nodiscard]] zq::result_t create(std::string_view name, std::span<const std::uint8_t> layout,
                                    std::span<const std::vector<std::uint8_t>> records = {}) const;

  bool exists(std::string_view name) const { return catalog_.exists(name); }
  [[nodiscard]] zq::result_t remove(std::string_view name) const { return catalog_.remove(name); }
  [[nodiscard]] zq::result_t duplicate(std::string_view old_name, std::string_view new_name) const {
    return catalog_.duplicate(old_name, new_name);
  }
  [[nodiscard]] zq::result_t rename(std::string_view old_name, std::string_view new_name) const {
    return catalog_.rename(old_name, new_name);
  }
  [[nodiscard]] zq::result_t beam(std::string_view name) const { return catalog_.beam(name); }

  // Sets the type on disk to "temp" (hidden while edited) or back to "Rda1".
  [[nodiscard]] zq::result_t mark_temporary(std::string_view name) const;
  [[nodiscard]] zq::result_t mark_current(std::string_view name) const;

  // A current-kind codebase with a version newer than this program knows.
  bool is_too_new(std::string_view name) const;

  // Converts the header on disk to the current kind (see convert_codebase_header). 1023 for a
  // name not in the catalog, 1043 for a database that is not a codebase of a known kind.
  [[nodiscard]] zq::result_t convert(std::string_view name) const;

 private:
  database_catalog& catalog_;
};

}  // namespace xman
