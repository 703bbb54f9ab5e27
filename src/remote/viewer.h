// remote::viewer: a window area with its own off-screen surface showing one service at a time.
// A paint draws the service onto the surface and copies the surface to the window in one block;
// a stylus touch goes to the service's buttons.
#pragma once

#include <cstdint>

#include "platform/gadget.h"
#include "remote/layer.h"

namespace remote {

class service;

class viewer : public platform::gadget {
 public:
  viewer() = default;
  ~viewer() override = default;

  // The operations after the destructor, in this order.
  virtual void paint(platform::dc& target);
  virtual void resize(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
  virtual int input(std::int32_t x, std::int32_t y, std::int32_t extra);

  // Shows the service (null: nothing) sized to the surface; returns the one shown before.
  service* show(service* shown);
  service* shown() const { return shown_; }
  layer::surface& surface() { return surface_; }
  // Asks the window for a repaint.
  void invalidate();
  // Draws now and puts the result on the window.
  void repaint_now();

  // The window's gadget operations.
  void draw(platform::paint_context& paint) override;
  void move_resize(const platform::rect& position) override;
  void tap(platform::point p, platform::dc& d) override;

 private:
  // Copies the surface to the window through target.
  void copy_to(platform::dc& target) const;

  layer::surface surface_;
  service* shown_ = nullptr;
};

}  // namespace remote
