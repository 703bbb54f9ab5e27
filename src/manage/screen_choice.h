// Where the handheld's IR port sits and which screen it has, as the Flip Screen form offers them:
// the two stored settings (IR position 0-3, screen mode 0-6, -1 unset), the choices the form opens
// with when they are unset, and the screen mode the form's two answers combine into.
#pragma once

#include <cstdint>

namespace outworld {

namespace ir_position {
inline constexpr std::int32_t top = 0;
inline constexpr std::int32_t bottom = 1;
inline constexpr std::int32_t left = 2;
inline constexpr std::int32_t right = 3;
}  // namespace ir_position

// The resolutions the form offers; each covers several screen modes.
enum class screen_resolution_t { r240x320, r240x240, r480x640 };

// The IR position a display turned this way suggests: the display's orientation code (0, 1 = 90,
// 2 = 180, 4 = 270 degrees; -1 when unknown). Unturned or unknown is the top.
std::int32_t ir_position_of_orientation(std::int32_t orientation_code);

// The stored IR position, or, when unset (or out of range), the one the display's orientation suggests.
std::int32_t opening_ir_position(std::int32_t stored, std::int32_t orientation_code);

// The stored screen mode, or the detected screen class when unset.
std::int32_t opening_screen_mode(std::int32_t stored, std::int32_t detected_screen_class);

// "240 x 240" for mode 2, "480 x 640" for modes 3 to 6, "240 x 320" for any other.
screen_resolution_t resolution_of_screen_mode(std::int32_t mode);

// The mode stored for a resolution and IR position: the landscape variant when the IR port is on
// the left or right side; 240 x 240 has only one.
std::int32_t screen_mode_of(screen_resolution_t resolution, std::int32_t ir_position);

}  // namespace outworld
