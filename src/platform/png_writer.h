// Writing a surface as a PNG image (8-bit RGB): screenshots of the emulated screen and the
// reference images of drawing tests.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/pixel_surface.h"

namespace platform {

// 0, or EINVAL for an empty surface, ENOMEM when the encoder fails.
[[nodiscard]] int encode_png(const pixel_surface& image, std::vector<std::uint8_t>& png);
// Replaces the file at a handheld path all-or-nothing (a sibling "path.new" renamed over it).
// 0 or the error of the failing step.
[[nodiscard]] int write_png(const pixel_surface& image, std::wstring_view path);

}  // namespace platform
