// The renderer of the rendering layer: draws faces, backgrounds, icons, text, the focus frame and
// the hatch overlay onto an attached surface's memory context. Profiles below 1000 draw built-in
// colours, 1000 nothing of its own, above 1000 images of the current skin, drawn with magenta
// transparent at their natural size, doubled on the high-resolution screen classes.
#pragma once

#include <memory>

#include "platform/font.h"
#include "platform/gdi_dc.h"
#include "remote/layer.h"

namespace layer::detail::win32 {

class gdi_renderer_impl final : public renderer_impl {
 public:
  // Makes the two bold fonts for the screen class in force.
  gdi_renderer_impl();
  gdi_renderer_impl(const gdi_renderer_impl&) = delete;
  gdi_renderer_impl& operator=(const gdi_renderer_impl&) = delete;

  const char* name() const override { return "win32-gdi-renderer"; }
  void release() override { delete this; }
  void attach(surface_impl* surface) override { surface_ = surface; }
  void detach() override { surface_ = nullptr; }
  void draw_text(const rectangle& r, const char* text, std::size_t length, std::uint32_t color, std::int32_t font,
                 std::int32_t align) override;
  void fill(const rectangle& r, std::uint32_t color) override;
  void draw_background(const rectangle& r, std::int32_t profile) override;
  void draw_icon(const rectangle& r, std::int32_t profile) override;
  void draw_button(const rectangle& r, std::int32_t profile, std::int32_t state) override;
  void focus_frame(const rectangle& r) override;
  void draw_scaled_background(const rectangle& r, std::int32_t divisor, std::int32_t profile) override;
  void hatch(const rectangle& r) override;

  // Font 0 and font 1 (null when the font could not be made).
  const std::shared_ptr<const platform::font>& font_of(int index) const { return index == 0 ? font0_ : font1_; }

 private:
  // The attached surface's context, or null when nothing is attached.
  platform::dc* context() const { return surface_ != nullptr ? &surface_->context() : nullptr; }
  void draw_image(const platform::pixel_surface& image, std::int32_t x, std::int32_t y, std::int32_t divisor);

  std::shared_ptr<const platform::font> font0_;
  std::shared_ptr<const platform::font> font1_;
  surface_impl* surface_ = nullptr;
};

}  // namespace layer::detail::win32
