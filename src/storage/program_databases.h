// The databases the program works with, set up once at start on the program folder and kept for
// the program's life: the codebases catalog ("\Codebases"), the IR archive catalog (the program
// folder itself), the saved preferences ("\Preferences"), the catalog of old-format codebases to
// import (the settings' import folder, when one is set), and the main profile.
#pragma once

#include <memory>
#include <string>

#include "storage/codebase_catalog.h"
#include "storage/database_catalog.h"
#include "storage/main_profile.h"
#include "storage/preferences.h"
#include "storage/settings.h"

namespace xman {

class program_databases {
 public:
  // The program's own, once set_up has run.
  static program_databases& instance();

  // Sets every catalog up on its folder below program_folder (a handheld path) and scans it;
  // folders that do not exist give empty catalogs. settings gives the import folder and keeps the
  // recently used preference names; it must outlive this object.
  void set_up(const std::wstring& program_folder, settings& settings);

  database_catalog& codebase_databases() { return codebases_; }
  database_catalog& archive_databases() { return archive_; }
  database_catalog& preference_databases() { return preference_files_; }
  database_catalog& import_databases() { return import_; }
  const codebase_catalog& codebases() const { return codebase_list_; }
  const main_profile& profile() const { return *profile_; }
  // Null before set_up.
  const preferences* saved_preferences() const { return preferences_.get(); }

 private:
  database_catalog codebases_;
  database_catalog archive_;
  database_catalog preference_files_;
  database_catalog import_;
  codebase_catalog codebase_list_{codebases_};
  std::unique_ptr<main_profile> profile_ = std::make_unique<main_profile>(L"");
  std::unique_ptr<preferences> preferences_;
};

}  // namespace xman
