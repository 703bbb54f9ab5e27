// The drawing objects a device context uses: raster operations, pens, brushes and the monochrome
// bitmaps pattern brushes are made of. Pens and brushes are small values; a context keeps a copy of
// the selected one.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/pixel_surface.h"

namespace platform {

// Ternary raster operations with the handheld's numbers; the third byte from the bottom is the
// truth table over pattern, source and destination bits.
namespace rop {
inline constexpr std::uint32_t srccopy = 0x00CC0020;
inline constexpr std::uint32_t srcpaint = 0x00EE0086;   // source OR destination
inline constexpr std::uint32_t srcand = 0x008800C6;     // source AND destination
inline constexpr std::uint32_t srcinvert = 0x00660046;  // source XOR destination
inline constexpr std::uint32_t patcopy = 0x00F00021;
inline constexpr std::uint32_t patinvert = 0x005A0049;  // pattern XOR destination
inline constexpr std::uint32_t dstinvert = 0x00550009;
inline constexpr std::uint32_t blackness = 0x00000042;
inline constexpr std::uint32_t whiteness = 0x00FF0062;
}  // namespace rop

// Applies a ternary raster operation bitwise to 24-bit pixel values.
std::uint32_t apply_rop(std::uint32_t rop, std::uint32_t pattern, std::uint32_t source, std::uint32_t destination);

enum class pen_style_t { solid, null };

struct pen {
  pen_style_t style = pen_style_t::solid;
  int width = 1;
  colorref color = 0;
};

// A 1-bit image; a set bit is a "white" pixel. Pattern brushes paint set bits in the context's
// background colour and clear bits in its text colour.
class mono_bitmap {
 public:
  mono_bitmap() = default;
  mono_bitmap(int width, int height);
  // Rows given top to bottom as the low `width` bits (at most 32) of each value, most significant
  // bit leftmost.
  static mono_bitmap from_rows(int width, const std::vector<std::uint32_t>& rows);
  // A decoded image: bright pixels (light above half) become set bits.
  static mono_bitmap from_surface(const pixel_surface& image);

  int width() const { return width_; }
  int height() const { return height_; }
  bool bit(int x, int y) const { return bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + x] != 0; }
  void set_bit(int x, int y, bool on) {
    bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + x] = on ? 1 : 0;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> bits_;
};

enum class brush_style_t { null, solid, pattern };

struct brush {
  brush_style_t style = brush_style_t::solid;
  colorref color = rgb(255, 255, 255);
  std::shared_ptr<const mono_bitmap> pattern;  // only for pattern brushes, never empty then

  static brush solid(colorref c) { return {brush_style_t::solid, c, nullptr}; }
  static brush hollow() { return {brush_style_t::null, 0, nullptr}; }
  // An empty bitmap gives a hollow brush.
  static brush from_pattern(std::shared_ptr<const mono_bitmap> bits) {
    if (!bits || bits->width() <= 0 || bits->height() <= 0) return hollow();
    return {brush_style_t::pattern, 0, std::move(bits)};
  }
};

enum class background_mode_t { transparent = 1, opaque = 2 };

}  // namespace platform
