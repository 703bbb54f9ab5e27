// The command ids of the frame's menu bar (menu resource 128) and the messages the view takes.
#pragma once

#include <cstdint>

namespace shell {

inline constexpr std::uint16_t frame_menu_id = 128;

namespace command {
inline constexpr std::uint32_t about = 32776;
inline constexpr std::uint32_t welcome = 32777;
inline constexpr std::uint32_t help = 32778;
inline constexpr std::uint32_t hard_buttons = 32779;
inline constexpr std::uint32_t hot_buttons = 32780;
inline constexpr std::uint32_t setup = 32781;
inline constexpr std::uint32_t add_device = 32782;
inline constexpr std::uint32_t load_preferences = 32786;
inline constexpr std::uint32_t save_preferences = 32787;
inline constexpr std::uint32_t first_recent = 32789;  // the recently used preferences, 32789 to 32793
inline constexpr std::uint32_t last_recent = 32793;
inline constexpr std::uint32_t exit = 32803;
inline constexpr std::uint32_t ir_setup = 32804;
inline constexpr std::uint32_t flip_screen = 32874;
inline constexpr std::uint32_t use_sounds = 32875;
}  // namespace command

}  // namespace shell
