#include "platform/gdi_objects.h"

#include <algorithm>

namespace platform {

std::uint32_t apply_rop(std::uint32_t rop, std::uint32_t pattern, std::uint32_t source, std::uint32_t destination) {
  const std::uint32_t table = (rop >> 16) & 0xFFu;
  std::uint32_t result = 0;
  // Bit i of the table is the result for pattern bit (i & 4), source bit (i & 2), destination bit (i & 1).
  for (unsigned i = 0; i < 8; ++i) {
    if (((table >> i) & 1u) == 0) continue;
    result |= ((i & 4u) ? pattern : ~pattern) & ((i & 2u) ? source : ~source) &
              ((i & 1u) ? destination : ~destination);
  }
  return result & 0x00FFFFFFu;
}

mono_bitmap::mono_bitmap(int width, int height)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      bits_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0) {}

mono_bitmap mono_bitmap::from_rows(int width, const std::vector<std::uint32_t>& rows) {
  mono_bitmap m(std::min(width, 32), static_cast<int>(rows.size()));
  for (int y = 0; y < m.height_; ++y)
    for (int x = 0; x < m.width_; ++x) m.set_bit(x, y, (rows[y] >> (m.width_ - 1 - x)) & 1u);
  return m;
}

mono_bitmap mono_bitmap::from_surface(const pixel_surface& image) {
  mono_bitmap m(image.width(), image.height());
  for (int y = 0; y < m.height_; ++y)
    for (int x = 0; x < m.width_; ++x) {
      const std::uint32_t p = image.at(x, y);
      const unsigned light = ((p >> 16) & 0xFFu) + ((p >> 8) & 0xFFu) + (p & 0xFFu);
      m.set_bit(x, y, light >= 3 * 128);
    }
  return m;
}

}  // namespace platform
