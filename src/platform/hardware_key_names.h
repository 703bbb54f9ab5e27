// The handheld's hardware keys by the names the key table and the hard-button assignments use:
// "Left", "Right", "Up", "Down", "Select" for the navigation pad and "40C1" ... "40CF" for the
// application keys. The input backends turn a name (a script line, a desktop key) into the
// virtual key code and hot-key modifiers the key arrives with.
#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

struct hardware_key {
  std::uint32_t virtual_key = 0;
  std::uint32_t modifiers = 0;
};

// The navigation pad: the game-input keys of the portrait layout. The pad's centre is the
// start key (0x86), not the action key (13) that the shell keeps for itself.
inline constexpr std::uint32_t vk_nav_left = 0x25;
inline constexpr std::uint32_t vk_nav_up = 0x26;
inline constexpr std::uint32_t vk_nav_right = 0x27;
inline constexpr std::uint32_t vk_nav_down = 0x28;
inline constexpr std::uint32_t vk_nav_select = 0x86;
// Application key "40Cd" is virtual key 0xC0 + d, held by the shell with the Windows modifier.
inline constexpr std::uint32_t vk_application_base = 0xC0;
inline constexpr std::uint32_t application_key_modifiers = 0x0008;

// False for a name that is no hardware key (names are compared exactly).
bool hardware_key_by_name(std::string_view name, hardware_key& out);

}  // namespace platform
