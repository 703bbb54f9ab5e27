// The device settings kept in "Zequon.pref", as plain values with their defaults.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace xman {

inline constexpr std::size_t recent_count = 5;
// A recent name's slot holds 31 characters and a NUL.
inline constexpr std::size_t recent_name_limit = 31;
// The port field holds 7 UTF-16 units, the last always NUL.
inline constexpr std::size_t ir_port_limit = 6;
// Folders are paths, which the handheld limits to 260 characters; more is never stored.
inline constexpr std::size_t import_folder_limit = 1024;

inline constexpr std::int32_t orientation_unset = -1;
inline constexpr std::int32_t orientation_max = 3;
inline constexpr std::int32_t screen_class_unset = -1;
inline constexpr std::int32_t screen_class_max = 6;

struct settings_values {
  // Names of saved preferences (8-bit code-page text), most recent first; empty slots are "".
  std::array<std::string, recent_count> recent;
  // Show the welcome form at start.
  bool first_run = true;
  // The port the IR driver opens, at most six UTF-16 units.
  std::wstring ir_port;
  // The last folder chosen for importing old codebases.
  std::wstring import_folder = L"\\";
  // -1 unset, else 0 to 3.
  std::int32_t orientation = orientation_unset;
  // -1 unset, else a screen class 0 to 6.
  std::int32_t screen_class = screen_class_unset;
  bool use_sounds = false;

  friend bool operator==(const settings_values&, const settings_values&) = default;
};

}  // namespace xman
