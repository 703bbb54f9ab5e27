#include "codebase_file.h"

#include "platform/file_system.h"
#include "storage/codebase_catalog.h"
#include "storage/database_file.h"

namespace zqtool {

std::filesystem::path absolute_path(const std::string& host) {
  std::error_code error;
  std::filesystem::path path = std::filesystem::absolute(host, error);
  if (error) path = host;
  return path.lexically_normal();
}

void set_up_folder(xman::database_catalog& catalog, const std::filesystem::path& folder) {
  catalog.set_up(platform::device_path(folder), xman::codebase_catalog::filter());
}

zq::result_t locate(const std::string& file, xman::database_catalog& catalog, std::string& name) {
  const std::filesystem::path path = absolute_path(file);
  set_up_folder(catalog, path.parent_path());
  const std::wstring wanted = catalog.folder() + platform::device_path(path.filename());
  for (const std::string& candidate : catalog.names()) {
    if (catalog.path_of(candidate) == wanted) {
      name = candidate;
      return zq::rc::ok;
    }
  }
  // Not a codebase of the catalog: report why the file itself cannot be read, if it cannot.
  xman::database_header header;
  if (const zq::result_t result = xman::read_database_header(platform::device_path(path), header);
      result != zq::rc::ok) {
    return result;
  }
  return zq::rc::not_found;
}

}  // namespace zqtool
