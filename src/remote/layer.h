// The rendering layer: an off-screen drawing surface and a renderer that draws faces, backgrounds,
// icons and text onto it by profile number (below 1000 a built-in colour, 1000 nothing, above 1000
// an image of the current skin). One factory makes both; its only implementation draws with the
// platform's device contexts into a memory bitmap. A viewer shows its surface with one block copy,
// so the screen never shows a half-drawn page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/gdi_dc.h"
#include "remote/component.h"

namespace layer {

using mif::rectangle;

// Colours are 0x00BBGGRR; a top byte of 0xFF means no colour.
inline constexpr std::uint32_t no_color = 0xFF000000;

namespace detail {

class impl {
 public:
  virtual ~impl() = default;
};

class surface_impl : public impl {
 public:
  virtual const char* name() const = 0;
  virtual void release() = 0;
  // Frees any bitmap and makes a new one of that size; false when it cannot be made.
  virtual bool create(std::int32_t width, std::int32_t height) = 0;
  virtual void free() = 0;
  // The whole surface onto target at (x, y), no transparency.
  virtual void copy_to(platform::dc& target, std::int32_t x, std::int32_t y) const = 0;
  // Re-creates this surface at the other's size with the other's pixels.
  virtual bool copy_from(const surface_impl& other) = 0;
  virtual platform::size size() const = 0;
  virtual bool is_empty() const = 0;
  // The memory context drawing onto the surface.
  virtual platform::dc& context() = 0;
  virtual const platform::dc& context() const = 0;
};

class renderer_impl : public impl {
 public:
  virtual const char* name() const = 0;
  virtual void release() = 0;
  virtual void attach(surface_impl* surface) = 0;
  virtual void detach() = 0;
  // text holds 8-bit characters (the code page of the documents).
  virtual void draw_text(const rectangle& r, const char* text, std::size_t length, std::uint32_t color, std::int32_t font,
                         std::int32_t align) = 0;
  virtual void fill(const rectangle& r, std::uint32_t color) = 0;
  virtual void draw_background(const rectangle& r, std::int32_t profile) = 0;
  virtual void draw_icon(const rectangle& r, std::int32_t profile) = 0;
  virtual void draw_button(const rectangle& r, std::int32_t profile, std::int32_t state) = 0;
  virtual void focus_frame(const rectangle& r) = 0;
  virtual void draw_scaled_background(const rectangle& r, std::int32_t divisor, std::int32_t profile) = 0;
  virtual void hatch(const rectangle& r) = 0;
};

class factory {
 public:
  virtual ~factory() = default;
  virtual renderer_impl* create_renderer() = 0;
  virtual surface_impl* create_surface() = 0;
};

// The process's factory, made on first use.
factory& the_factory();

struct releaser {
  void operator()(surface_impl* s) const {
    if (s != nullptr) s->release();
  }
  void operator()(renderer_impl* r) const {
    if (r != nullptr) r->release();
  }
};

}  // namespace detail

// An owned surface.
class surface {
 public:
  surface() : impl_(detail::the_factory().create_surface()) {}
  detail::surface_impl& impl() const { return *impl_; }
  detail::surface_impl* operator->() const { return impl_.get(); }

 private:
  std::unique_ptr<detail::surface_impl, detail::releaser> impl_;
};

// A renderer for one paint or one tap: made by the factory, attached to a surface for its life.
class renderer {
 public:
  explicit renderer(surface& target) : impl_(detail::the_factory().create_renderer()) { impl_->attach(&target.impl()); }
  ~renderer() { impl_->detach(); }
  renderer(const renderer&) = delete;
  renderer& operator=(const renderer&) = delete;

  detail::renderer_impl& impl() const { return *impl_; }
  detail::renderer_impl* operator->() const { return impl_.get(); }
  void hatch(const rectangle& r) { impl_->hatch(r); }

 private:
  std::unique_ptr<detail::renderer_impl, detail::releaser> impl_;
};

// The screen class the renderers draw for: images and fonts double on classes 3 to 6.
void set_screen_class(int screen_class);
int screen_class();
// The factor by which images and fonts grow on the screen class: 2 on classes 3 to 6, else 1.
int pixel_scale();

}  // namespace layer
