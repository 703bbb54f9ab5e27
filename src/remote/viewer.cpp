#include "remote/viewer.h"

#include "platform/window.h"
#include "platform/window_paint.h"
#include "remote/service.h"

namespace remote {

void viewer::copy_to(platform::dc& target) const { surface_->copy_to(target, 0, 0); }

void viewer::paint(platform::dc& target) {
  if (shown_ == nullptr) return;
  {
    layer::renderer r(surface_);
    shown_->draw(r);
  }
  copy_to(target);
}

void viewer::resize(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  const platform::size now = surface_->size();
  if (now.cx != width || now.cy != height || surface_->is_empty()) surface_->create(width, height);
  if (shown_ != nullptr) {
    const mif::rectangle whole{0, 0, width, height};
    if (!(shown_->rect() == whole)) shown_->set_rect(whole);
  }
  platform::gadget::move_resize({x, y, x + width, y + height});
}

int viewer::input(std::int32_t x, std::int32_t y, std::int32_t extra) {
  if (shown_ == nullptr) return 0;
  layer::renderer r(surface_);
  auto show = [this] {
    if (window() == platform::no_window) return;
    platform::dc d = platform::window_dc(window());
    copy_to(d);
  };
  return shown_->input(x, y, r, surface_, show, extra, 0);
}

service* viewer::show(service* shown) {
  service* before = shown_;
  shown_ = shown;
  if (shown_ != nullptr) {
    const platform::size now = surface_->size();
    shown_->set_rect({0, 0, now.cx, now.cy});
  }
  return before;
}

void viewer::invalidate() {
  if (window() != platform::no_window) platform::invalidate_rect(window(), std::nullopt, false);
}

void viewer::repaint_now() {
  if (window() == platform::no_window) return;
  platform::dc d = platform::window_dc(window());
  paint(d);
  platform::validate_rect(window(), std::nullopt);
}

void viewer::draw(platform::paint_context& paint_ctx) { paint(paint_ctx.hdc); }

void viewer::move_resize(const platform::rect& position) {
  resize(position.left, position.top, position.right - position.left, position.bottom - position.top);
}

void viewer::tap(platform::point p, platform::dc&) { input(p.x, p.y, 0); }

}  // namespace remote
