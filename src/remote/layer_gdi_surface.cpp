#include "remote/layer_gdi_surface.h"

#include <utility>

namespace layer::detail::win32 {

bool gdi_surface_impl::create(std::int32_t width, std::int32_t height) {
  free();
  platform::bitmap made = platform::bitmap::create_compatible(width, height);
  if (made.is_null()) return false;
  previous_ = context_.select_bitmap(made);
  bitmap_ = std::move(made);
  width_ = width;
  height_ = height;
  return true;
}

void gdi_surface_impl::free() {
  if (is_empty()) return;
  context_.select_bitmap(std::exchange(previous_, {}));
  bitmap_ = {};
  width_ = 0;
  height_ = 0;
}

void gdi_surface_impl::copy_to(platform::dc& target, std::int32_t x, std::int32_t y) const {
  if (is_empty()) return;
  target.bit_blt(x, y, width_, height_, context_, 0, 0, platform::rop::srccopy);
}

bool gdi_surface_impl::copy_from(const surface_impl& other) {
  if (&other == this) return !is_empty();
  const platform::size extent = other.size();
  if (!create(extent.cx, extent.cy)) return false;
  return context_.bit_blt(0, 0, extent.cx, extent.cy, other.context(), 0, 0, platform::rop::srccopy);
}

}  // namespace layer::detail::win32
