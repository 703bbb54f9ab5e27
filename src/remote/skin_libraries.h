// The skin libraries the program holds: resource-only libraries named NAME.dll in the skins folder,
// each loaded once however many users hold it (a reference count; freed at zero), one of them the
// current skin whose resources the remote screen draws with. A library is a skin when it holds the
// resources "ZQED" 1000 and "USKN" 1000; only their presence counts.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/result.h"
#include "platform/module.h"

namespace remote {

inline constexpr std::wstring_view system_skin_name = L"zq-skin-system";
inline constexpr std::wstring_view default_skin_name = L"zq-skin-metalic";

class skin_libraries {
 public:
  // The program's own, on the skins folder it is given at start.
  static skin_libraries& instance();

  skin_libraries() = default;
  explicit skin_libraries(std::wstring folder) : folder_(std::move(folder)) {}

  // The skins folder, a handheld path ("\\Program\\Skins").
  void set_folder(std::wstring folder) { folder_ = std::move(folder); }
  const std::wstring& folder() const { return folder_; }

  // Loads NAME.dll or adds a reference to it: 0, or the file's error (the system's error number,
  // zq::rc::resource_file_damaged, zq::rc::resource_too_large).
  [[nodiscard]] zq::result_t load(std::wstring_view name);
  // Makes a loaded library the current skin; false (nothing changes) when it is not loaded.
  bool select(std::wstring_view name);
  // No skin is current: images fall back to their built-in colours.
  void select_none() { current_ = nullptr; }
  // The library of that name, loaded on first use and then kept for the program's life; null when
  // it cannot be loaded.
  platform::module* keep_loaded(std::wstring_view name);
  // Drops a reference; the library is freed at zero, and stops being the current skin.
  void release(std::wstring_view name);

  // The current skin's resources, or null.
  platform::module* current() const { return current_; }
  bool is_loaded(std::wstring_view name) const;
  int references(std::wstring_view name) const;

  // The names of the skins in the folder: every NAME.dll that loads and is a skin, the default skin
  // first (named even when absent), the others in the folder's order. The current skin stays.
  std::vector<std::wstring> list();

  // Whether a library holds the two resources that make it a skin.
  static bool is_skin(const platform::module& library);

 private:
  struct held {
    std::unique_ptr<platform::module> library;  // stays put while the map changes
    int references = 0;
  };
  std::wstring path_of(std::wstring_view name) const;

  std::wstring folder_;
  std::map<std::wstring, held> held_;  // by full path
  platform::module* current_ = nullptr;
};

}  // namespace remote
