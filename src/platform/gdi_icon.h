// An icon image as the resource loader decodes it: colour pixels with an alpha channel, or
// without one and with a mask whose set pixels are transparent (where the colour, usually black,
// is combined with the background by XOR, so a non-black colour there inverts).
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

struct icon {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, rows top to bottom
  std::vector<std::uint8_t> mask;     // one value per pixel, nonzero = transparent; unused with alpha
  bool has_alpha = false;

  bool valid() const {
    const std::size_t count = static_cast<std::size_t>(width > 0 ? width : 0) * static_cast<std::size_t>(height > 0 ? height : 0);
    return count > 0 && pixels.size() == count && (has_alpha || mask.size() == count);
  }
};

}  // namespace platform
