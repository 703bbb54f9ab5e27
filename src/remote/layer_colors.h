// The built-in colours of the rendering layer: page backgrounds and button faces below profile
// 1000, and the colours a face takes in each state. Colours are 0x00BBGGRR.
#pragma once

#include <array>
#include <cstdint>

namespace layer {

// Background profiles 400 to 403.
inline constexpr std::array<std::uint32_t, 4> background_colors{0xB37345, 0xCCDECC, 0x38D709, 0xCC9966};
// Button face profiles 0 to 7.
inline constexpr std::array<std::uint32_t, 8> face_colors{0x7FD499, 0x878900, 0x38D709, 0x262CBA,
                                                          0xF4D6BA, 0xB37345, 0xCCDECC, 0x0AABF4};

// The green of profile 0 under a background, the grey behind skin images and the colour of the
// square that stands in for a missing icon.
inline constexpr std::uint32_t plain_background_color = 0x00FF00;
inline constexpr std::uint32_t skin_background_color = 0xE0E0E0;
inline constexpr std::uint32_t missing_icon_color = 0x000000;

// The face a skin falls back on when it has no image for a button.
inline constexpr std::int32_t fallback_face_profile = 4;

// The colour of background profile 400 + index; profiles past the table take the skin's grey.
std::uint32_t background_color(std::int32_t profile);

// The solid face of a profile below 1000 in a state: state 0 (normal) has green 0x64, state 1
// takes profile 6's colour, state 2 has red 0xFA, other states the colour itself. Profiles outside
// the table take the fallback face's colour.
std::uint32_t face_color(std::int32_t profile, std::int32_t state);

// Page previews index the background colours followed by the face colours by the profile itself;
// profiles past that take the skin's grey.
std::uint32_t preview_color(std::int32_t profile);

}  // namespace layer
