#include "platform/program_folder.h"

#include <filesystem>
#include <system_error>

#include "platform/file_system.h"

namespace platform {

std::wstring program_folder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return device_path(error ? std::filesystem::current_path(error) : self.parent_path());
}

std::wstring program_file() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::wstring() : device_path(self);
}

}  // namespace platform
