// Points, sizes and rectangles in screen or window pixels, as the handheld's window and drawing
// services use them: a rectangle holds its left and top edge and excludes its right and bottom
// edge.
#pragma once

#include <algorithm>

namespace platform {

struct point {
  int x = 0;
  int y = 0;
  friend bool operator==(const point&, const point&) = default;
};

struct size {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const size&, const size&) = default;
};

struct rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static rect from_size(point origin, size extent) {
    return {origin.x, origin.y, origin.x + extent.cx, origin.y + extent.cy};
  }
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  bool contains(point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  rect offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  rect inflate(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
  // The common part; empty (all zero) when there is none.
  rect intersect(const rect& o) const {
    const rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    return r.empty() ? rect{} : r;
  }
  // The smallest rectangle holding both; an empty one adds nothing.
  rect unite(const rect& o) const {
    if (empty()) return o;
    if (o.empty()) return *this;
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
  }
  friend bool operator==(const rect&, const rect&) = default;
};

}  // namespace platform
