// A set of pixels made of disjoint rectangles: the visible part of a window once its siblings and
// children are cut away, the clip of a device context, the area a window must repaint.
#pragma once

#include <vector>

#include "platform/geometry.h"

namespace platform {

class region {
 public:
  region() = default;
  explicit region(const rect& r) { add(r); }

  const std::vector<rect>& rects() const { return rects_; }
  bool empty() const { return rects_.empty(); }
  bool contains(point p) const;
  // The smallest rectangle holding every pixel (empty when the region is).
  rect bounds() const;

  // Adds r's pixels (those already in the region are not added twice).
  void add(const rect& r);
  void add(const region& other);
  // Removes r's pixels.
  void subtract(const rect& r);
  // Keeps only the pixels inside r.
  void intersect(const rect& r);
  void offset(int dx, int dy);

 private:
  std::vector<rect> rects_;
};

}  // namespace platform
