// A screen-compatible bitmap: 32-bit pixels that a memory device context draws into. It behaves as
// a handle: copies share the pixels, so the bitmap selected into a context and the one its owner
// keeps are the same image.
#pragma once

#include <memory>

#include "platform/pixel_surface.h"

namespace platform {

class bitmap {
 public:
  bitmap() = default;  // the null bitmap
  explicit bitmap(std::shared_ptr<pixel_surface> pixels) : pixels_(std::move(pixels)) {}
  // A new black bitmap of that size; a size below 1 gives the null bitmap.
  static bitmap create_compatible(int width, int height) {
    if (width <= 0 || height <= 0) return {};
    return bitmap(std::make_shared<pixel_surface>(width, height));
  }

  bool is_null() const { return pixels_ == nullptr; }
  pixel_surface* pixels() const { return pixels_.get(); }
  size dimensions() const { return pixels_ ? size{pixels_->width(), pixels_->height()} : size{}; }
  friend bool operator==(const bitmap& a, const bitmap& b) { return a.pixels_ == b.pixels_; }

 private:
  std::shared_ptr<pixel_surface> pixels_;
};

}  // namespace platform
