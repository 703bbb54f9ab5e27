// The hard-button assignment table: which action each physical key of the handheld performs while
// the remote screen is shown.
//
// A key is named by its identifier: "Left", "Right", "Up", "Down", "Select" for the navigation pad,
// "40C" and a hexadecimal digit for an application key. An assignment is a pair of texts:
//
//   codebase        command           meaning
//   "@@action"      "Win CE default"  the key keeps the system's own function
//   "@@action"      special action    "Disable", "HomeDevices", "DeviceList" or an action command
//   "@@current"     signal or empty   that signal of the codebase on screen
//   codebase name   signal name       that signal of that codebase
//   codebase name   "$" + macro name  that macro of that codebase
//   codebase name   empty             nothing chosen yet
//
// Texts are 8-bit code-page text, compared exactly. A key without an entry behaves as
// "Win CE default".
#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace outworld {

inline constexpr std::string_view action_codebase = "@@action";
inline constexpr std::string_view current_codebase = "@@current";
inline constexpr std::string_view system_default_command = "Win CE default";
// An older spelling of the system default, still recognised when read.
inline constexpr std::string_view old_system_default_command = "WinCE";
inline constexpr std::string_view disable_command = "Disable";
inline constexpr std::string_view home_devices_command = "HomeDevices";
inline constexpr std::string_view device_list_command = "DeviceList";

struct assignment {
  std::string codebase;
  std::string command;

  friend bool operator==(const assignment&, const assignment&) = default;
};

// Ordered by key identifier, byte by byte (std::char_traits<char> compares as unsigned char).
using assignment_table = std::map<std::string, assignment, std::less<>>;

// The eight special actions in the order the Hard Buttons form lists them.
struct special_action {
  std::string_view command;  // stored name
  std::string_view display;  // shown in the form
};
inline constexpr std::array<special_action, 8> special_actions{{
    {disable_command, "Disabled button"},
    {system_default_command, "Win CE default"},
    {home_devices_command, "Launch Setup form"},
    {device_list_command, "List of codebases"},
    {"@page+", "Next page"},
    {"@page-", "Previous page"},
    {"@device+", "Next codebase"},
    {"@device-", "Previous codebase"},
}};

inline assignment system_default_assignment() {
  return {std::string(action_codebase), std::string(system_default_command)};
}

// True when the key keeps the system's function (either spelling of the default).
inline bool is_system_default(const assignment& a) {
  return a.codebase == action_codebase &&
         (a.command == system_default_command || a.command == old_system_default_command);
}

}  // namespace outworld
