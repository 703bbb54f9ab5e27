#include "storage/program_databases.h"

#include "storage/codebase_2x.h"
#include "storage/ir_archive.h"

namespace xman {

program_databases& program_databases::instance() {
  static program_databases databases;
  return databases;
}

void program_databases::set_up(const std::wstring& program_folder, settings& settings) {
  codebases_.set_up(program_folder + L"\\Codebases", codebase_catalog::filter());
  archive_.set_up(program_folder, ir_archive::filter());
  preference_files_.set_up(program_folder + L"\\Preferences", preferences::filter());
  if (!settings.import_folder().empty()) import_.set_up(settings.import_folder(), codebase_2x_filter());
  profile_ = std::make_unique<main_profile>(program_folder + L"\\" + std::wstring(kMainProfileFile));
  preferences_ = std::make_unique<preferences>(preference_files_, *profile_, settings);
}

}  // namespace xman
