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
#include "storage/settings.h"

namespace xman {

class preferences {
 public:
  // The filter the preferences catalog is set up with.
  static catalog_filter filter();

  // All three must outlive this object; settings keeps the list of recently used names.
  preferences(database_catalog& catalog, const main_profile& profile, settings& recent)
      : catalog_(catalog), profile_(profile), recent_(recent) {}

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

  // Puts name first in the recently used names and rewrites the settings file: 0 or the system's
  // error number.
  [[nodiscard]] zq::result_t remember(std::string_view name) const { return recent_.make_most_recent(name); }
  // Takes name out of the recently used names and rewrites the settings file: 0, -1 when it is not
  // among them, or the system's error number.
  [[nodiscard]] zq::result_t forget(std::string_view name) const { return recent_.remove_recent(name); }

 private:
  database_catalog& catalog_;
  const main_profile& profile_;
  settings& recent_;
};

}  // namespace xman
