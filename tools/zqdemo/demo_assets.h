// What the demonstration shows and plays: a skin library beside the program ("zq-demo-skin.dll",
// built from skin/ by zqtool) holding the picture of a remote control and the line of help text,
// and a short key click made on the spot.
#pragma once

#include <cstdint>
#include <vector>

#include "base/result.h"
#include "platform/module.h"

namespace zqdemo {

// The skin's resources.
inline constexpr std::uint16_t picture_id = 101;
inline constexpr std::uint16_t help_text_id = 1;
// The resource id the click is played under (the transcript shows it).
inline constexpr std::uint32_t click_sound_id = 1;

// Loads the skin from the program's folder: 0, the file seam's error or the resource loader's code.
[[nodiscard]] zq::result_t load_skin(platform::module& out);
// A RIFF WAVE file: 20 ms of a falling 8-bit click at 11025 Hz.
std::vector<std::uint8_t> click_wave();

}  // namespace zqdemo
