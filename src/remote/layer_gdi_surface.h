// The drawing surface of the rendering layer: a screen-compatible bitmap selected into a memory
// device context, which keeps the bitmap it replaced so that freeing puts that one back.
#pragma once

#include "platform/gdi_bitmap.h"
#include "platform/gdi_dc.h"
#include "remote/layer.h"

namespace layer::detail::win32 {

class gdi_surface_impl final : public surface_impl {
 public:
  gdi_surface_impl() = default;
  ~gdi_surface_impl() override { free(); }
  gdi_surface_impl(const gdi_surface_impl&) = delete;
  gdi_surface_impl& operator=(const gdi_surface_impl&) = delete;

  const char* name() const override { return "win32-gdi-surface"; }
  void release() override { delete this; }
  bool create(std::int32_t width, std::int32_t height) override;
  void free() override;
  void copy_to(platform::dc& target, std::int32_t x, std::int32_t y) const override;
  bool copy_from(const surface_impl& other) override;
  platform::size size() const override { return {width_, height_}; }
  bool is_empty() const override { return bitmap_.is_null(); }
  platform::dc& context() override { return context_; }
  const platform::dc& context() const override { return context_; }

 private:
  platform::dc context_;
  platform::bitmap bitmap_;
  platform::bitmap previous_;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
};

}  // namespace layer::detail::win32
