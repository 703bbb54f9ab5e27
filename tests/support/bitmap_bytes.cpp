#include "support/bitmap_bytes.h"

#include "base/byte_order.h"

namespace zqtest {

std::vector<std::uint8_t> bmp_file(int width, int height, const std::vector<std::uint32_t>& pixels) {
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> b(54 + stride * static_cast<std::size_t>(height), 0);
  b[0] = 'B';
  b[1] = 'M';
  zq::store_le32(&b[2], static_cast<std::uint32_t>(b.size()));
  zq::store_le32(&b[10], 54);
  zq::store_le32(&b[14], 40);
  zq::store_le32(&b[18], static_cast<std::uint32_t>(width));
  zq::store_le32(&b[22], static_cast<std::uint32_t>(height));
  zq::store_le16(&b[26], 1);
  zq::store_le16(&b[28], 24);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = &b[54 + stride * static_cast<std::size_t>(height - 1 - y)];
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
      row[3 * x] = static_cast<std::uint8_t>(p);
      row[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
      row[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
    }
  }
  return b;
}

}  // namespace zqtest
