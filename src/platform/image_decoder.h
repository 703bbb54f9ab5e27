// Decoding image resources into surfaces: BMP files, bitmap resources (a BMP without its 14-byte
// file header), PNG and GIF (its first frame). Pixels that are less than half opaque become
// magenta (0xFF00FF), the key colour that transparent drawing leaves out.
#pragma once

#include <cstdint>
#include <span>

#include "base/result.h"
#include "platform/pixel_surface.h"

namespace platform {

inline constexpr std::uint32_t transparent_key_pixel = 0xFF00FF;
// Larger images are refused before any memory is taken for their pixels.
inline constexpr int max_image_side = 8192;
inline constexpr std::int64_t max_image_pixels = 16 << 20;

// 0; zq::rc::resource_damaged when the bytes are no image of these kinds or a damaged one;
// zq::rc::resource_too_large beyond the limits above. The surface is left empty on failure.
[[nodiscard]] zq::result_t decode_image(std::span<const std::uint8_t> bytes, pixel_surface& image);

}  // namespace platform
