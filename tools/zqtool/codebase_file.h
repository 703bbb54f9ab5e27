// Finding a codebase file given on the command line the way the program itself would open it: by
// the internal name under which the catalog of the file's folder knows it.
#pragma once

#include <filesystem>
#include <string>

#include "base/result.h"
#include "storage/database_catalog.h"

namespace zqtool {

// The host path made absolute and normal (the path as given when that fails).
std::filesystem::path absolute_path(const std::string& host);

// Sets the catalog up on a folder with the codebase filter.
void set_up_folder(xman::database_catalog& catalog, const std::filesystem::path& folder);

// Sets the catalog up on the file's folder and finds the name it knows the file by. A file the
// catalog does not list gives the reason it cannot be read, or 1023 when it can.
[[nodiscard]] zq::result_t locate(const std::string& file, xman::database_catalog& catalog, std::string& name);

}  // namespace zqtool
