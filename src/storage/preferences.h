// Saved preferences: named copies of the main profile's record in the preferences catalog
// (program folder + "\Preferences", creator "zQed", type "Prof", version 0). Saving under an
// existing name and loading replace the stored file all-or-nothing: a failed step or a crash
// leaves the previous preference, and the previous main profile, whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "storage/database_catalog.h"
#include "storage/main_profile.h"

namespace xman {

class preferences {
 public:
  // The filter the preferences catalog is set up with.
  static catalog_filter filter();

  // Both must outlive this object.
  preferences(database_catalog& catalog, const main_profile& profile) : catalog_(catalog), profile_(profile) {}

  // Names in name order; rescans the folder first when asked.
  std::vector<std::string> list(bool rescan) const;
  bool exists(std::string_view name) const { return catalog_.exists(name); }

  // Stores a copy of the main profile's record under name, replacing a preference of that name.
  // 0; the main profile's read codes (1022/1023, 1024 when it holds no record); 1025 for a name
  // that is not valid or when the new file could not be stored; 1021 when no file path fits.
  [[nodiscard]] zq::result_t save_as(std::string_view name) const;
  // Makes the named preference's record the main profile's. 0; -1 for a name not in the catalog;
  // the preference's read codes (1024 when it holds no record); 1025 when the main profile could
  // not be replaced. The caller then reloads the room from the main profile.
  [[nodiscard]] zq::result_t load(std::string_view name) const;
  // Deletes the named preference (see database_catalog::remove).
  [[nodiscard]] zq::result_t remove(std::string_view name) const { return catalog_.remove(name); }

 private:
  database_catalog& catalog_;
  const main_profile& profile_;
};

}  // namespace xman
