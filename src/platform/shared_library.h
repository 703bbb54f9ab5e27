// Libraries of code loaded at run time from a file, and their exports found by name: the way the
// program reaches a companion library (Orientix) that may be missing or broken on a device without
// the program failing to start.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// A loaded library; unloads itself. Move-only.
class shared_library {
 public:
  shared_library() = default;
  ~shared_library();
  shared_library(shared_library&& other) noexcept;
  shared_library& operator=(shared_library&& other) noexcept;
  shared_library(const shared_library&) = delete;
  shared_library& operator=(const shared_library&) = delete;

  bool is_loaded() const { return handle_ != nullptr; }
  void unload();

  // The export of that name, or null (also when nothing is loaded).
  void* find_export(const std::string& name) const;
  // The same, as a function of type F.
  template <class F>
  F find_function(const std::string& name) const {
    return reinterpret_cast<F>(find_export(name));
  }

 private:
  friend int load_shared_library(std::wstring_view path, shared_library& out);
  void* handle_ = nullptr;
};

// Loads the library at a handheld path, every reference it makes resolved now, so that a library
// the program cannot serve fails here and not at its first call. 0, ENOENT when there is no such
// file, or ENOEXEC when the file cannot be loaded (not a library, or a reference left unresolved).
[[nodiscard]] int load_shared_library(std::wstring_view path, shared_library& out);

}  // namespace platform
