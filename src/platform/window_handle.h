// A window handle: a 32-bit number naming one window of the window system, so that a handle fits
// the 4-byte block another program reads and can be posted to by number. 0 names no window.
#pragma once

#include <cstdint>

namespace platform {

enum class hwnd : std::uint32_t {};

inline constexpr hwnd no_window{};

constexpr std::uint32_t handle_value(hwnd h) { return static_cast<std::uint32_t>(h); }
constexpr hwnd hwnd_of(std::uint32_t value) { return static_cast<hwnd>(value); }

// The z-order places set_window_pos takes instead of a window to insert after.
inline constexpr hwnd hwnd_top = hwnd_of(0);
inline constexpr hwnd hwnd_bottom = hwnd_of(1);
inline constexpr hwnd hwnd_topmost = hwnd_of(0xFFFFFFFFu);
inline constexpr hwnd hwnd_notopmost = hwnd_of(0xFFFFFFFEu);

}  // namespace platform
