#include "support/temp_folder.h"

#include <stdlib.h>

#include <stdexcept>

#include "platform/file_system.h"

namespace zqtest {

temp_folder::temp_folder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zq-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

temp_folder::~temp_folder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::wstring temp_folder::device_path() const { return platform::device_path(path_) + L"\\"; }

std::wstring temp_folder::device_path(const std::string& name) const {
  return platform::device_path(path_ / name);
}

}  // namespace zqtest
