#include "platform/shared_library.h"

#include <dlfcn.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/file_system.h"

namespace platform {

shared_library::~shared_library() { unload(); }

shared_library::shared_library(shared_library&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)) {}

shared_library& shared_library::operator=(shared_library&& other) noexcept {
  if (this != &other) {
    unload();
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

void shared_library::unload() {
  if (handle_ != nullptr) dlclose(std::exchange(handle_, nullptr));
}

void* shared_library::find_export(const std::string& name) const {
  return handle_ != nullptr ? dlsym(handle_, name.c_str()) : nullptr;
}

int load_shared_library(std::wstring_view path, shared_library& out) {
  out.unload();
  const std::filesystem::path file = host_path(path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return ENOENT;
  // Local: the library's own symbols stay out of the way of later libraries.
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return ENOEXEC;
  out.handle_ = handle;
  return 0;
}

}  // namespace platform
