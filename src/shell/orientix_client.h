// The program's side of Orientix: the library is loaded from the program's folder at start, turns
// the display to the orientation the settings choose while the program is active, and turns it
// back to the orientation it had before when the program becomes inactive or ends. Without the
// library, or with a library lacking its exports, the program says so once and leaves the display
// alone.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/shared_library.h"

namespace xman {
class settings;
}

namespace outworld {

// The library's file in the program's folder.
inline constexpr std::wstring_view orientix_file_name = L"Orientix.so";
// What the program shows when the library is missing or lacks its exports (stop icon). The texts
// keep the library's handheld name, as the program's messages always gave it.
inline constexpr std::wstring_view orientix_missing_text = L"Orientix.dll not found";
inline constexpr std::wstring_view orientix_damaged_text = L"Orientix.dll corrupted";

// The orientation code for the settings' screen orientation choice: 0 -> 0, 1 -> 2 (upside down),
// 2 -> 1, 3 -> 4; -1 for any other choice.
std::int32_t orientation_code_of_choice(std::int32_t choice);

class orientix_client {
 public:
  orientix_client() = default;
  ~orientix_client() { unload(); }
  orientix_client(const orientix_client&) = delete;
  orientix_client& operator=(const orientix_client&) = delete;

  // Loads the library from the program's folder.
  void load();
  // The same from another folder (a handheld path).
  void load_from(std::wstring_view folder);
  // Frees the library; nothing is saved or supported afterwards.
  void unload();

  // The library is loaded and can turn the display.
  bool supported() const { return supported_; }
  // The display's orientation code now; -1 when not supported.
  std::int32_t query() const;
  // Turns the display to code; nothing when not supported.
  void change(std::int32_t code);

  // Turns the display to the settings' choice (nothing for -1), first remembering the orientation
  // it has when save is set: on activation of the program.
  void apply(const xman::settings& settings, bool save);
  // Turns the display back to the remembered orientation: on deactivation and at exit.
  void restore(const xman::settings& settings);
  // The remembered orientation, -1 when none.
  std::int32_t saved_orientation() const { return saved_; }

 private:
  platform::shared_library library_;
  bool supported_ = false;
  std::int32_t saved_ = -1;
};

}  // namespace outworld
