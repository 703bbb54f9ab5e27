// Static text: its window text drawn in the control's font, wrapped at word boundaries, aligned
// left, centred or right; grey while disabled. It takes no input.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

inline const std::wstring static_class_name = L"Static";

namespace ss {
inline constexpr std::uint32_t left = 0x0000;
inline constexpr std::uint32_t center = 0x0001;
inline constexpr std::uint32_t right = 0x0002;
}  // namespace ss

// Registers the class unless it exists.
void register_static_class();

}  // namespace platform
