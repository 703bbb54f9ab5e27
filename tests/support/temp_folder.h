// A fresh folder under the system's temporary folder, removed with everything in it at the end of
// the test.
#pragma once

#include <filesystem>
#include <string>

namespace zqtest {

class temp_folder {
 public:
  temp_folder();
  ~temp_folder();
  temp_folder(const temp_folder&) = delete;
  temp_folder& operator=(const temp_folder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder in the handheld's path form, ending in a backslash.
  std::wstring device_path() const;
  // A file inside the folder, in the handheld's path form.
  std::wstring device_path(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

}  // namespace zqtest
