// mif::component: the base of everything on the remote screen that is drawn and hit-tested, a
// rectangle relative to the surface it is drawn on.
#pragma once

#include <cstdint>

namespace mif {

struct rectangle {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;

  // The right and bottom edges count as inside: a tap on a button's last column still hits it.
  bool contains(std::int32_t px, std::int32_t py) const {
    return px >= x && px <= x + width && py >= y && py <= y + height;
  }
  rectangle moved(std::int32_t dx, std::int32_t dy) const { return {x + dx, y + dy, width, height}; }
  friend bool operator==(const rectangle&, const rectangle&) = default;
};

class component {
 public:
  component() = default;
  explicit component(const rectangle& r) : rect_(r) {}
  virtual ~component() = default;

  const rectangle& rect() const { return rect_; }

 protected:
  rectangle rect_;
};

}  // namespace mif
