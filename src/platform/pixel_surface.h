// A 32-bit image in memory: the emulated screen, a window's backing store, a memory bitmap.
// Pixels are 0x00RRGGBB, rows top to bottom without padding.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/geometry.h"

namespace platform {

// A colour as the drawing services take it: 0x00BBGGRR, red in the low byte.
using colorref = std::uint32_t;

constexpr colorref rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return colorref{r} | (colorref{g} << 8) | (colorref{b} << 16);
}
constexpr std::uint32_t pixel_of(colorref c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr colorref colorref_of(std::uint32_t pixel) {
  return ((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16);
}

class pixel_surface {
 public:
  pixel_surface() = default;
  pixel_surface(int width, int height, std::uint32_t fill = 0)
      : width_(width > 0 ? width : 0),
        height_(height > 0 ? height : 0),
        pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

  int width() const { return width_; }
  int height() const { return height_; }
  rect bounds() const { return {0, 0, width_, height_}; }

  std::uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }
  const std::uint32_t* row(int y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  // Pixel access; outside the surface reads 0 and writes nothing.
  std::uint32_t at(int x, int y) const { return bounds().contains({x, y}) ? row(y)[x] : 0; }
  void set(int x, int y, std::uint32_t pixel) {
    if (bounds().contains({x, y})) row(y)[x] = pixel;
  }
  void fill(const rect& r, std::uint32_t pixel) {
    const rect c = r.intersect(bounds());
    for (int y = c.top; y < c.bottom; ++y) std::fill(row(y) + c.left, row(y) + c.right, pixel);
  }
  const std::vector<std::uint32_t>& pixels() const { return pixels_; }
  friend bool operator==(const pixel_surface&, const pixel_surface&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace platform
