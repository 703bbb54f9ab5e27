// Lines, rectangles with square or rounded corners and the focus frame of a device context.
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/gdi_dc.h"

namespace platform {

namespace {

// The pixels of a rectangle with rounded corners, as one span [left, right) per row.
struct row_span {
  int left = 0;
  int right = 0;
};

std::vector<row_span> rounded_spans(const rect& r, int ellipse_width, int ellipse_height) {
  const double rx = std::min(std::max(ellipse_width, 0), r.width()) / 2.0;
  const double ry = std::min(std::max(ellipse_height, 0), r.height()) / 2.0;
  std::vector<row_span> spans(static_cast<std::size_t>(r.height()));
  for (int y = r.top; y < r.bottom; ++y) {
    int inset = 0;
    const double py = y + 0.5;
    double dy = -1;  // distance into a corner's band, as a fraction of ry; -1 outside the bands
    if (rx > 0 && ry > 0) {
      if (py < r.top + ry) dy = (r.top + ry - py) / ry;
      else if (py > r.bottom - ry) dy = (py - (r.bottom - ry)) / ry;
    }
    if (dy >= 0) {
      // A pixel belongs to the shape when its centre lies inside the corner's ellipse.
      const double half = rx * std::sqrt(1.0 - dy * dy);
      inset = static_cast<int>(std::ceil(rx - half - 0.5));
      if (inset < 0) inset = 0;
    }
    spans[static_cast<std::size_t>(y - r.top)] = {r.left + inset, r.right - inset};
  }
  return spans;
}

}  // namespace

void dc::line_to(int x, int y) {
  const point from = position_;
  position_ = {x, y};
  if (pen_.style == pen_style_t::null) return;
  const int width = std::max(pen_.width, 1);
  const int before = (width - 1) / 2;
  const auto plot = [&](int px, int py) {
    for (int sy = 0; sy < width; ++sy)
      for (int sx = 0; sx < width; ++sx) set_pixel(px - before + sx, py - before + sy, pen_.color);
  };
  // Bresenham's walk; the end point is left out so that joined lines do not meet twice.
  const int dx = std::abs(x - from.x), dy = -std::abs(y - from.y);
  const int step_x = from.x < x ? 1 : -1, step_y = from.y < y ? 1 : -1;
  int error = dx + dy;
  int px = from.x, py = from.y;
  while (px != x || py != y) {
    plot(px, py);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      px += step_x;
    }
    if (twice <= dx) {
      error += dx;
      py += step_y;
    }
  }
}

void dc::round_rect(const rect& r, int ellipse_width, int ellipse_height) {
  if (r.empty()) return;
  const std::vector<row_span> spans = rounded_spans(r, ellipse_width, ellipse_height);
  const auto inside = [&](int x, int y) {
    if (y < r.top || y >= r.bottom) return false;
    const row_span& s = spans[static_cast<std::size_t>(y - r.top)];
    return x >= s.left && x < s.right;
  };
  const int pen_width = pen_.style == pen_style_t::null ? 0 : std::max(pen_.width, 1);
  // Outline pixels are shape pixels within pen_width steps (up, down, left, right) of the outside.
  const auto on_outline = [&](int x, int y) {
    for (int dy = -pen_width; dy <= pen_width; ++dy)
      for (int dx = -pen_width; dx <= pen_width; ++dx)
        if (std::abs(dx) + std::abs(dy) <= pen_width && !inside(x + dx, y + dy)) return true;
    return false;
  };
  for (int y = r.top; y < r.bottom; ++y) {
    const row_span& s = spans[static_cast<std::size_t>(y - r.top)];
    int run_start = s.left;  // the interior run is filled in one go when the outline interrupts it
    for (int x = s.left; x <= s.right; ++x) {
      const bool outline = x < s.right && pen_width > 0 && on_outline(x, y);
      if (x < s.right && !outline) continue;
      if (x > run_start) fill_rect({run_start, y, x, y + 1}, brush_);
      if (outline) set_pixel(x, y, pen_.color);
      run_start = x + 1;
    }
  }
}

void dc::draw_focus_rect(const rect& r) {
  if (r.empty()) return;
  // Every edge pixel is visited once, so that a second frame inverts exactly the same pixels back.
  const auto invert = [&](int x, int y) {
    if (((x + y) & 1) != 0) return;
    const int dx = x + origin_.x, dy = y + origin_.y;
    if (clip_contains(dx, dy)) target_->set(dx, dy, target_->at(dx, dy) ^ 0x00FFFFFFu);
  };
  for (int y = r.top; y < r.bottom; ++y) {
    if (y == r.top || y == r.bottom - 1) {
      for (int x = r.left; x < r.right; ++x) invert(x, y);
    } else {
      invert(r.left, y);
      if (r.right - 1 != r.left) invert(r.right - 1, y);
    }
  }
}

}  // namespace platform
