// What the demonstration shows and plays: a picture of a remote control (remote.png beside the
// program) and a short key click made on the spot.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/pixel_surface.h"

namespace zqdemo {

// The resource id the click is played under (the transcript shows it).
inline constexpr std::uint32_t click_sound_id = 1;

// 0, or the file seam's error / EINVAL for a file that is no image.
[[nodiscard]] int load_picture(platform::pixel_surface& out);
// A RIFF WAVE file: 20 ms of a falling 8-bit click at 11025 Hz.
std::vector<std::uint8_t> click_wave();

}  // namespace zqdemo
